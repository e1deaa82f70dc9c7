#pragma once

#include <QWidget>

class TWindowDrag;

// A frameless window that can be dragged by any point of its surface not taken by a control.
class TfrmModWindowPos : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmModWindowPos(QWidget* parent = nullptr,
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
    // Where the window goes when dragged to `proposed`: snapped to the work-area edges, and
    // kept inside the work area once any such window has been snapped.
    virtual QPoint ProposedPosition(const QPoint& proposed) const;
    TWindowDrag* Drag() const { return drag; }
    void closeEvent(QCloseEvent* event) override;

private:
    TWindowDrag* drag;
    int modalResult = 0;
    bool inModalLoop = false;
};
