#pragma once

#include "U_TimeSource.h"

#include <QTime>
#include <QTimer>
#include <QWidget>

// A digital clock showing the time of day (hh:mm:ss) that raises `Alarm` once when the time
// of day reaches its armed alarm time.
class TDigitalClock : public QWidget
{
    Q_OBJECT
public:
    explicit TDigitalClock(QWidget* parent = nullptr);
    QSize sizeHint() const override;

    // The clock of every toolkit control, for the whole process (empty: the system clock).
    static void SetTimeSource(TTimeSource::TNow now);

    // Sets and arms the alarm time; false (nothing changed) when it is no time of day.
    bool SetAlarmTime(int hour, int minute, int second);
    QTime AlarmTime() const { return alarmTime; }
    // Switching the alarm on arms it; switching it on while on changes nothing.
    void SetAlarmEnabled(bool enabled);
    bool IsAlarmEnabled() const { return alarmEnabled; }
    void SetTag(int value) { tag = value; }
    int Tag() const { return tag; }
    QString Text() const { return text; }
    void SetColor(quint32 bgr);
    void SetFontColor(quint32 bgr);
    void SetShowHint(bool show);

public Q_SLOTS:
    // Reads the time, shows it and checks the alarm; the timer calls it once a second.
    void Tick();

Q_SIGNALS:
    void Alarm();
    // Each tick, after the clock is shown: other once-a-second work rides on the same wake-up.
    void Ticked();
    void Click();
    void MouseDown(Qt::MouseButton button, QPoint pos);
    void MouseUp(Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static QDateTime WholeSecondNow();
    void Arm();
    bool AlarmReached(const QDateTime& now) const;

    QTimer tickTimer;
    QString text;
    QColor color{Qt::black};
    QColor fontColor{Qt::green};
    QTime alarmTime{0, 0, 0};
    bool alarmEnabled = false;
    bool fired = false;
    QDateTime lastCheck;
    int tag = 0;
};
