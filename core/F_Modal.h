#pragma once

#include <QWidget>

// A frameless window that can be shown modally and closed with a result, as the program's
// own dialogs are.
class TfrmModal : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmModal(QWidget* parent = nullptr,
                       Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint);

    // Shows the window application-modal and returns once it is closed: the modal result
    // set before (0 when it was closed without one, a session's end among others).
    int ShowModal();
    // Sets the result and closes the window.
    void SetModalResult(int result);
    int ModalResult() const { return modalResult; }

Q_SIGNALS:
    // The window was closed while shown modally.
    void ModalClosed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    int modalResult = 0;
    bool inModalLoop = false;
};
