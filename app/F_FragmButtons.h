#pragma once

#include <QObject>
#include <QPoint>

struct TFragmControls;
class TSkinPanel;
class TTransparentLabel;

// The main window's "X" and "OK" buttons: a skinned panel with its label, pressed in by a press
// on either and acting on a release on the panel, or on the label when it is released inside.
class TFragmButtons : public QObject
{
    Q_OBJECT
public:
    TFragmButtons(TFragmControls& ui, QObject* parent = nullptr);

Q_SIGNALS:
    void StopReleased();
    void OkReleased();

private:
    void Connect(TSkinPanel* panel, TTransparentLabel* label, void (TFragmButtons::*released)());
    static void PressLook(TTransparentLabel* label, bool pressed);

    TFragmControls& ui;
};
