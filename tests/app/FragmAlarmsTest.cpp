#include "FragmFixture.h"
#include "alarms/F_GestAlarm.h"
#include "alarms/F_ListAlrms0.h"
#include "core/U_Constantes.h"
#include "toolkit/C_NumericEdit.h"

#include <QPlainTextEdit>

namespace {
// The main window on 07/12/2026 at 09:30:00 with an alarm file written before the start.
class FragmAlarms : public FragmFixture
{
protected:
    void StartWith(const QByteArray& records)
    {
        ASSERT_TRUE(WriteBytes(AlarmPath(), records));
        Start();
        frm->show();
    }
    static QString AlarmPath() { return AppFolder() + Constantes::AlarmFileName; }
    // The next top-level window of that type, once the modal loop that shows it runs.
    template <typename T> void WhenShown(std::function<void(T&)> act)
    {
        QTimer::singleShot(0, frm.get(), [act]() {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* found = qobject_cast<T*>(window); found && found->isVisible())
                    return act(*found);
            ADD_FAILURE() << "no window shown";
        });
    }
    static QWidget* Banner()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == "AlarmBanner" && window->isVisible())
                return window;
        return nullptr;
    }
    void Reach(const QTime& time)
    {
        clock->Set(QDateTime(QDate(2026, 12, 7), time));
        frm->ui.rxClocker->Tick();
        QCoreApplication::processEvents();
    }
};
} // namespace

// The creation arms the clock with the day's next alarm; its time fires every record of that
// minute, shows the picture and the banner, and arms the next one; the picture's click lists
// the fired alarms, forgets them and hides the picture.
TEST_F(FragmAlarms, TheClockFiresTheDaysAlarmsAndThePictureListsThem)
{
    StartWith("07/12/2026;11:00:00;b\r\n07/12/2026;10:00:00;a\r\n07/12/2026;10:00:00;A\r\n");
    TDigitalClock& clockWidget = *frm->ui.rxClocker;
    EXPECT_TRUE(clockWidget.IsAlarmEnabled());
    EXPECT_EQ(clockWidget.AlarmTime(), QTime(10, 0));
    EXPECT_EQ(clockWidget.Tag(), 2);
    EXPECT_FALSE(frm->ui.imgAlarm->isVisible());
    Reach(QTime(9, 59, 59));
    EXPECT_FALSE(frm->ui.imgAlarm->isVisible());
    Reach(QTime(10, 0, 0));
    EXPECT_TRUE(frm->ui.imgAlarm->isVisible());
    ASSERT_NE(Banner(), nullptr);
    EXPECT_EQ(Alarms().FiredAlarms(), QStringList({"07/12/2026;10:00:00;a"}));
    EXPECT_EQ(clockWidget.AlarmTime(), QTime(11, 0));
    EXPECT_EQ(clockWidget.Tag(), 1);

    QStringList listed;
    WhenShown<TfrmListAlrms0>([&listed](TfrmListAlrms0& list) {
        listed << list.rxAffNbrAlrm->text();
        list.SetModalResult(1);
    });
    Q_EMIT frm->ui.imgAlarm->Click();
    EXPECT_EQ(listed, QStringList({"1 alarme"}));
    EXPECT_TRUE(Alarms().FiredAlarms().isEmpty());
    EXPECT_FALSE(frm->ui.imgAlarm->isVisible());
}

// The right button released over the clock opens the entry: the calendar's date, the subject
// box's text moved into the subject (the box emptied also when the alarm is cancelled); a
// confirmed save appends the record and arms the clock with it. Other buttons open nothing.
TEST_F(FragmAlarms, TheClocksRightButtonAddsAnAlarmFromTheSubjectBox)
{
    StartWith("");
    frm->ui.edtMnemo->setText("Appeler");
    Q_EMIT frm->ui.rxClocker->MouseUp(Qt::LeftButton, QPoint(2, 2));
    EXPECT_EQ(frm->ui.edtMnemo->text(), "Appeler");

    QString date, subject;
    WhenShown<TfrmGestAlarm>([&](TfrmGestAlarm& entry) {
        date = entry.rxDateur->Text();
        subject = entry.memObjet->toPlainText();
        entry.scrAnnulAlarmClick();
    });
    Q_EMIT frm->ui.rxClocker->MouseUp(Qt::RightButton, QPoint(2, 2));
    EXPECT_EQ(date, "07/12/2026");
    EXPECT_EQ(subject, "Appeler");
    EXPECT_TRUE(frm->ui.edtMnemo->text().isEmpty());
    EXPECT_FALSE(QFile::exists(AlarmPath()) && !ReadBytes(AlarmPath()).isEmpty());

    frm->ui.calendMem->SetDate(QDate(2026, 12, 7));
    frm->ui.edtMnemo->setText("Garage");
    WhenShown<TfrmGestAlarm>([&](TfrmGestAlarm& entry) {
        entry.curEdtHour->SetValue(1045);
        dialogs->AnswerNext(1);
        entry.scrEnregAlarmClick();
    });
    Q_EMIT frm->ui.rxClocker->MouseUp(Qt::RightButton, QPoint(2, 2));
    EXPECT_EQ(ReadBytes(AlarmPath()), "07/12/2026;10:45:00;Garage\r\n");
    EXPECT_EQ(frm->ui.rxClocker->AlarmTime(), QTime(10, 45));
    EXPECT_TRUE(frm->ui.rxClocker->IsAlarmEnabled());
}

// A program left running past midnight arms the new day's first alarm.
TEST_F(FragmAlarms, TheNewDaysAlarmIsArmedAtMidnight)
{
    StartWith("08/12/2026;08:00:00;lendemain\r\n");
    EXPECT_FALSE(frm->ui.rxClocker->IsAlarmEnabled());
    clock->Set(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59)));
    frm->ui.rxClocker->Tick();
    QCoreApplication::processEvents();
    clock->Set(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 0)));
    frm->ui.rxClocker->Tick();
    QCoreApplication::processEvents();
    EXPECT_TRUE(frm->ui.rxClocker->IsAlarmEnabled());
    EXPECT_EQ(frm->ui.rxClocker->AlarmTime(), QTime(8, 0));
}
