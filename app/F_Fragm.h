#pragma once

#include <QStringList>
#include <QWidget>

// The main window: the small floating window whose closing ends the program.
class TfrmFragm : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmFragm(QWidget* parent = nullptr);

    // The creation sequence; false when another copy runs, and this one must end at once.
    bool FormCreate(const QStringList& arguments);
    // A later copy asked this one to come forward: restored when minimised, raised when
    // shown, left alone when hidden in the tray.
    void ComeForward();

Q_SIGNALS:
    // The window closed for good: the program ends.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};
