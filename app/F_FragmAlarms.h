#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;
class TAlarms;
struct TFragmControls;

// The alarms as the main window offers them: the clock armed by the alarm component, the
// clock's right button for a new alarm, the announcement and the alarm picture's list.
class TFragmAlarms : public QObject
{
    Q_OBJECT
public:
    TFragmAlarms(TAlarms& alarms, TFragmControls& ui, QWidget* window);

    void SetTracerWindow(QWidget* tracerWindow);
    // The last step of the window's creation.
    void StartAlarms();
    // The clock's alarm off: the window closes.
    void SwitchOff();

Q_SIGNALS:
    // The program is to come to the front with its windows, for an alarm.
    void ComeForward();

private:
    void ArmClock(int hour, int minute, int second, int record);
    void AnnounceAlarm();
    void rxClockerMouseUp(Qt::MouseButton button);
    void imgAlarmClick();
    void PlaceEntryWindow(QWidget* entry) const;

    TAlarms& alarms;
    TFragmControls& ui;
    QWidget* window;
    QPointer<QWidget> tracerWindow;
};
