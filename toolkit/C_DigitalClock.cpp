#include "C_DigitalClock.h"

#include "C_HintSwitch.h"
#include "C_MouseRelay.h"
#include "U_BgrColor.h"

#include <QPainter>

TDigitalClock::TDigitalClock(QWidget* parent) : QWidget(parent)
{
    auto* mouse = new TMouseRelay(this);
    connect(mouse, &TMouseRelay::Click, this, &TDigitalClock::Click);
    connect(mouse, &TMouseRelay::MouseDown, this, &TDigitalClock::MouseDown);
    connect(mouse, &TMouseRelay::MouseUp, this, &TDigitalClock::MouseUp);
    tickTimer.setObjectName("tickTimer");
    tickTimer.setParent(this);
    tickTimer.setTimerType(Qt::PreciseTimer);
    tickTimer.setInterval(1000);
    connect(&tickTimer, &QTimer::timeout, this, &TDigitalClock::Tick);
    // The alarm must come also while the clock is hidden with its window.
    tickTimer.start();
    Arm();
    Tick();
}

void TDigitalClock::SetTimeSource(TTimeSource::TNow now)
{
    TTimeSource::Set(std::move(now));
}

bool TDigitalClock::SetAlarmTime(int hour, int minute, int second)
{
    if (!QTime::isValid(hour, minute, second, 0))
        return false;
    alarmTime = QTime(hour, minute, second);
    Arm();
    return true;
}

void TDigitalClock::SetAlarmEnabled(bool enabled)
{
    if (enabled && !alarmEnabled)
        Arm();
    alarmEnabled = enabled;
}

void TDigitalClock::SetColor(quint32 bgr)
{
    color = Bgr::ToColor(bgr);
    update();
}

void TDigitalClock::SetFontColor(quint32 bgr)
{
    fontColor = Bgr::ToColor(bgr);
    update();
}

void TDigitalClock::SetShowHint(bool show)
{
    THintSwitch::Set(this, show);
}

QDateTime TDigitalClock::WholeSecondNow()
{
    const QDateTime now = TTimeSource::Now();
    return QDateTime(now.date(),
                     QTime(now.time().hour(), now.time().minute(), now.time().second()));
}

// An arming looks forward only: a time of day at or before the present second is reached
// on the following day, not at the next tick.
void TDigitalClock::Arm()
{
    lastCheck = WholeSecondNow();
    fired = false;
}

void TDigitalClock::Tick()
{
    const QDateTime now = WholeSecondNow();
    const QString shown = now.time().toString("hh:mm:ss");
    if (shown != text) {
        text = shown;
        update();
    }
    const bool reached = alarmEnabled && !fired && AlarmReached(now);
    lastCheck = now;
    Q_EMIT Ticked();
    if (!reached)
        return;
    fired = true;
    // Last: the receiver may re-arm the clock from its handler.
    Q_EMIT Alarm();
}

// Reached when the first occurrence of the alarm time after the previous check is not
// later than now, so that a jump over it (a suspended machine, midnight) still counts and
// a clock set back reaches it again.
bool TDigitalClock::AlarmReached(const QDateTime& now) const
{
    QDateTime due(lastCheck.date(), alarmTime);
    if (due <= lastCheck)
        due = due.addDays(1);
    return due <= now;
}

QSize TDigitalClock::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance("00:00:00") + 8, metrics.height() + 4};
}

void TDigitalClock::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color);
    painter.setPen(color.darker(200));
    painter.drawLine(rect().topLeft(), rect().topRight());
    painter.drawLine(rect().topLeft(), rect().bottomLeft());
    painter.setPen(color.lighter(200));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
    painter.drawLine(rect().topRight(), rect().bottomRight());
    painter.setPen(fontColor);
    painter.drawText(rect(), Qt::AlignCenter, text);
}
