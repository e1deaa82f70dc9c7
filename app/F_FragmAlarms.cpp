#include "app/F_FragmAlarms.h"

#include "alarms/F_AlarmBanner.h"
#include "alarms/F_GestAlarm.h"
#include "alarms/F_ListAlrms0.h"
#include "alarms/U_Alarms.h"
#include "app/F_FragmControls.h"
#include "core/U_Glb.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_DigitalClock.h"
#include "toolkit/C_Image.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <memory>

namespace {
const QString kBannerText = QStringLiteral("A L A R M E - Tarvelle");
const QString kEmptyDate = QStringLiteral("  /  /    ");
} // namespace

TFragmAlarms::TFragmAlarms(TAlarms& alarmComponent, TFragmControls& controls, QWidget* mainWindow)
    : QObject(mainWindow), alarms(alarmComponent), ui(controls), window(mainWindow)
{
    connect(&alarms, &TAlarms::ClockArmed, this, &TFragmAlarms::ArmClock);
    connect(&alarms, &TAlarms::ClockDisarmed, this, &TFragmAlarms::SwitchOff);
    connect(&alarms, &TAlarms::AlarmFired, this, &TFragmAlarms::AnnounceAlarm);
    connect(ui.rxClocker, &TDigitalClock::Alarm, &alarms, &TAlarms::rxClockerAlarm);
    // Queued: the clock's own alarm of the same second is handled before a new day's arming.
    connect(ui.rxClocker, &TDigitalClock::Ticked, &alarms, &TAlarms::TimeTick,
            Qt::QueuedConnection);
    connect(ui.rxClocker, &TDigitalClock::MouseUp, this,
            [this](Qt::MouseButton button, QPoint) { rxClockerMouseUp(button); });
    connect(ui.imgAlarm, &TImage::Click, this, &TFragmAlarms::imgAlarmClick);
}

void TFragmAlarms::SetTracerWindow(QWidget* tracer)
{
    tracerWindow = tracer;
}

void TFragmAlarms::StartAlarms()
{
    alarms.StartAlarms();
}

void TFragmAlarms::SwitchOff()
{
    ui.rxClocker->SetAlarmEnabled(false);
}

void TFragmAlarms::ArmClock(int hour, int minute, int second, int record)
{
    ui.rxClocker->SetAlarmEnabled(false);
    if (!ui.rxClocker->SetAlarmTime(hour, minute, second))
        return;
    ui.rxClocker->SetTag(record);
    ui.rxClocker->SetAlarmEnabled(true);
}

void TFragmAlarms::AnnounceAlarm()
{
    ui.imgAlarm->show();
    Q_EMIT ComeForward();
    QApplication::beep();
    DrawAlarmBanner(kBannerText);
}

void TFragmAlarms::rxClockerMouseUp(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    auto entry = std::make_unique<TfrmGestAlarm>(alarms, window);
    const TColourSettings& colours = Glb().Colours;
    entry->SetEntryColours(colours.TextBackColour, colours.TextColour, colours.TitleColour);
    entry->rxDateur->SetText(ui.calendMem->Text() != kEmptyDate ? ui.calendMem->Text()
                                                                : CurrentDateText());
    if (!ui.edtMnemo->text().isEmpty())
        entry->memObjet->setPlainText(ui.edtMnemo->text());
    // The subject is the alarm's now, whatever becomes of the alarm.
    ui.edtMnemo->clear();
    PlaceEntryWindow(entry.get());
    if (entry->ShowModal() == 1)
        alarms.AppendAlarm(entry->rxDateur->Text(), entry->AlarmTimeText, entry->SubjectLines());
}

// Beside the tracer window: its left edge, just below it when there is no room above.
void TFragmAlarms::PlaceEntryWindow(QWidget* entry) const
{
    if (!tracerWindow)
        return;
    const QRect tracer(tracerWindow->pos(), tracerWindow->size());
    const int top = entry->height() > tracer.top() ? tracer.top() + tracer.height() - 1
                                                   : tracer.top() - entry->height() + 1;
    entry->move(tracer.left(), top);
}

void TFragmAlarms::imgAlarmClick()
{
    const TColourSettings& colours = Glb().Colours;
    if (!alarms.FiredAlarms().isEmpty())
        ShowFiredAlarms(alarms, window, colours.TextBackColour, colours.TextColour,
                        colours.TitleColour);
    // An alarm fired while the list was open stays to be seen.
    if (alarms.FiredAlarms().isEmpty())
        ui.imgAlarm->hide();
    window->update();
}
