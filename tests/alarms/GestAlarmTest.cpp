#include "TestEnv.h"
#include "TestFiles.h"
#include "alarms/F_GestAlarm.h"
#include "alarms/F_ListAlrms0.h"
#include "alarms/F_TimeClick.h"
#include "alarms/U_Alarms.h"
#include "core/U_Fonts.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_NumericEdit.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_StringGrid.h"
#include "toolkit/C_TransparentLabel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
class GestAlarm : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        Reopen();
    }
    void TearDown() override
    {
        entry.reset();
        TarvelleTest::TearDown();
    }
    void Reopen()
    {
        entry = std::make_unique<TfrmGestAlarm>(alarms, nullptr);
        entry->rxDateur->SetText("24/12/2026");
        entry->show();
    }
    bool StillOpen() const { return entry->isVisible() && entry->ModalResult() == 0; }
    void Save(int hour, const QString& subject)
    {
        entry->curEdtHour->SetValue(hour);
        entry->memObjet->setPlainText(subject);
        QTest::mouseClick(entry->scrEnregAlarm, Qt::LeftButton);
    }
    void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    // The double click on the hour field, with `act` run in the picker it opens.
    void Pick(const std::function<void(TfrmTimeClick&)>& act)
    {
        QTimer::singleShot(0, entry.get(), [this, act] {
            auto* picker = qobject_cast<TfrmTimeClick*>(QApplication::activeModalWidget());
            ASSERT_TRUE(picker);
            EXPECT_EQ(picker->pos(), entry->pos());
            act(*picker);
        });
        QTest::mouseDClick(entry->curEdtHour, Qt::LeftButton);
        EXPECT_FALSE(entry->findChild<TfrmTimeClick*>()) << "gone";
    }

    TAlarms alarms;
    std::unique_ptr<TfrmGestAlarm> entry;
};
} // namespace

TEST_F(GestAlarm, DiscWithEveryControlAtItsPlace)
{
    EXPECT_EQ(entry->size(), QSize(236, 236));
    EXPECT_EQ(entry->mask(), QRegion(0, 0, 236, 236, QRegion::Ellipse));
    const std::pair<QWidget*, QRect> places[] = {
        {entry->rxDateur, {73, 25, 89, 18}},       {entry->curEdtHour, {90, 50, 57, 18}},
        {entry->scrShowerAlrm, {193, 64, 14, 15}}, {entry->memObjet, {14, 93, 208, 61}},
        {entry->scrAnnulAlarm, {82, 182, 72, 19}}, {entry->scrEnregAlarm, {73, 206, 90, 17}}};
    for (const auto& [control, geometry] : places)
        EXPECT_EQ(control->geometry(), geometry) << control->objectName().toStdString();
    for (auto [label, at] : {std::pair{entry->rxAlarmDate, QPoint(81, 6)},
                             {entry->rxAlarmHour, QPoint(76, 49)},
                             {entry->RxObjet, QPoint(15, 73)},
                             {entry->rxAlarmTitre, QPoint(25, 159)}})
        EXPECT_EQ(label->pos(), at) << label->text().toStdString();
    EXPECT_EQ(entry->rxAlarmTitre->font().family(), Fonts::FamilyFor("Papyrus"));
    EXPECT_EQ(entry->curEdtHour->text(), "00 h 00");
    EXPECT_EQ(entry->curEdtHour->toolTip(), "Saisir hhmm\r\nou dbl-clicker");
    EXPECT_EQ(entry->scrShowerAlrm->toolTip(), "Aperçu alarmes");
    EXPECT_FALSE(entry->scrShowerAlrm->IsActive());
    const auto& save = entry->scrEnregAlarm->ScrollSettings();
    EXPECT_EQ(save.lines, QStringList({"ENREGISTRER", "ALARME"}));
    EXPECT_EQ(save.direction, TSkinPanel::TDirection::Vertical);
    EXPECT_EQ(save.intervalMs, 40);
    EXPECT_EQ(entry->scrAnnulAlarm->ScrollSettings().lines, QStringList({"A N N U L E R"}));
    EXPECT_TRUE(entry->scrAnnulAlarm->IsActive() && entry->scrEnregAlarm->IsActive());
}

// Tab order: date, hour, subject, save, cancel; the subject does not take tabs.
TEST_F(GestAlarm, OpensOnTheDateAndTabFromTheSubjectSavesThenCancels)
{
    entry->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(entry.get()));
    EXPECT_TRUE(entry->rxDateur->hasFocus());
    Tab();
    EXPECT_TRUE(entry->curEdtHour->hasFocus());
    QTest::keyClicks(entry->curEdtHour, "1430");
    EXPECT_EQ(entry->curEdtHour->text(), "14 h 30");
    Tab();
    EXPECT_TRUE(entry->memObjet->hasFocus());

    dialogs->AnswerNext(2);
    Tab();
    ASSERT_EQ(dialogs->questions.size(), 1);
    const TQuestionRequest& asked = dialogs->questions[0];
    EXPECT_EQ(asked.text, "Objet non renseigné ?");
    EXPECT_EQ(
        std::tie(asked.textColour, asked.backColour, asked.fontSize, asked.width, asked.height),
        std::make_tuple(0xFF0000u, 0xFFFFFFu, 12, 200, 60));
    EXPECT_EQ(asked.okCaption, "Oui");
    EXPECT_EQ(asked.cancelCaption, "mais non...");
    EXPECT_TRUE(StillOpen()) << "mais non...: nothing saved";
    EXPECT_TRUE(entry->AlarmTimeText.isEmpty());
    EXPECT_TRUE(entry->scrEnregAlarm->hasFocus());

    Tab();
    EXPECT_EQ(entry->ModalResult(), 2);
    EXPECT_FALSE(entry->isVisible());
    EXPECT_EQ(dialogs->questions.size(), 1);
}

TEST_F(GestAlarm, HourValuesSavedAsTimeTextsOnConfirmation)
{
    const std::tuple<int, const char*, const char*> hours[] = {{5, "00:05:00", "00 h 05"},
                                                               {905, "09:05:00", "09 h 05"},
                                                               {930, "09:30:00", "09 h 30"},
                                                               {2359, "23:59:00", "23 h 59"}};
    for (const auto& [hour, timeText, spoken] : hours) {
        Reopen();
        dialogs->questions.clear();
        dialogs->AnswerNext(1);
        Save(hour, "Appeler\nle garage");
        EXPECT_EQ(entry->ModalResult(), 1) << hour;
        EXPECT_EQ(entry->AlarmTimeText, timeText);
        ASSERT_EQ(dialogs->questions.size(), 1);
        const TQuestionRequest& asked = dialogs->questions[0];
        EXPECT_EQ(asked.text, QStringLiteral("Alarme le 24/12/2026 à %1 ?").arg(spoken));
        EXPECT_EQ(
            std::tie(asked.textColour, asked.backColour, asked.fontSize, asked.width, asked.height),
            std::make_tuple(0u, 0xFFFFFFu, 16, 0, 0));
        EXPECT_EQ(asked.okCaption, "OK");
        EXPECT_EQ(asked.cancelCaption, "Annuler");
        EXPECT_EQ(entry->SubjectLines(), QStringList({"Appeler", "le garage"}));
    }
}

TEST_F(GestAlarm, EmptySubjectStoredAsQuestionMarkOnlyWhenSaidSoAndAnnulerCloses)
{
    dialogs->AnswerNext(1);
    dialogs->AnswerNext(2);
    Save(830, "");
    EXPECT_EQ(entry->SubjectLines(), QStringList({"?"}));
    EXPECT_EQ(dialogs->questions.size(), 2);
    EXPECT_EQ(entry->ModalResult(), 2) << "Annuler: closed, nothing to store";
    EXPECT_FALSE(entry->isVisible());

    Reopen();
    QTest::mouseClick(entry->scrAnnulAlarm, Qt::LeftButton);
    EXPECT_EQ(entry->ModalResult(), 2);
    EXPECT_EQ(dialogs->questions.size(), 2);
    // A memo's lines: a last line break opens no line of its own.
    for (auto [text, lines] : {std::pair{"a\n", QStringList{"a"}}, {"a\n\nb", {"a", "", "b"}}}) {
        entry->memObjet->setPlainText(text);
        EXPECT_EQ(entry->SubjectLines(), lines) << text;
    }
}

TEST_F(GestAlarm, MinutesBeyondFiftyNineOrNoDateAreRefusedAndTheWindowStays)
{
    dialogs->AnswerNext(1);
    Save(1275, "");
    entry->rxDateur->SetDate(QDate());
    Save(1230, "x");
    EXPECT_EQ(dialogs->plainMessages,
              QStringList({"Minutes de 00 à 59 : 12 h 75 n'est pas une heure.",
                           "Date de l'alarme invalide :   /  /    "}));
    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_TRUE(StillOpen());
    EXPECT_TRUE(entry->AlarmTimeText.isEmpty());
}

// Typed as a user would, an hour no clock reaches stays as typed and is refused with its
// reason; it never turns silently into another hour.
TEST_F(GestAlarm, TypedHoursBeyondTwentyThreeAreRefusedNotCutToAnotherHour)
{
    for (const char* typed : {"2400", "2360", "9999"}) {
        entry->curEdtHour->setFocus();
        entry->curEdtHour->selectAll();
        QTest::keyClicks(entry->curEdtHour, typed);
        EXPECT_EQ(entry->curEdtHour->Value(), QString(typed).toInt());
    }
    QTest::keyClicks(entry->curEdtHour, "5");
    EXPECT_EQ(entry->curEdtHour->text(), "99 h 99") << "a fifth digit has no place";
    for (int hour : {2400, 2360, 9999})
        Save(hour, "x");
    EXPECT_EQ(dialogs->plainMessages,
              QStringList({"Heures de 00 à 23 : 24 h 00 n'est pas une heure.",
                           "Minutes de 00 à 59 : 23 h 60 n'est pas une heure.",
                           "Heures de 00 à 23 : 99 h 99 n'est pas une heure."}));
    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_TRUE(StillOpen());
    EXPECT_TRUE(entry->AlarmTimeText.isEmpty());
}

TEST_F(GestAlarm, PickedTimeGoesIntoTheHourFieldAndTheFocusToTheSubject)
{
    entry->move(300, 200);
    Pick([](TfrmTimeClick& picker) {
        QTest::mouseClick(picker.spdChgMatAM, Qt::LeftButton);
        QTest::mouseClick(picker.RxLabel[2], Qt::LeftButton);
        QTest::mouseClick(picker.RxLabel[6], Qt::LeftButton);
    });
    EXPECT_EQ(entry->curEdtHour->Value(), 1430);
    EXPECT_EQ(entry->curEdtHour->text(), "14 h 30");
    EXPECT_EQ(entry->focusWidget(), entry->memObjet);

    entry->curEdtHour->setFocus();
    Pick([](TfrmTimeClick& picker) {
        QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(50, 4)); // the ring, no hour yet
    });
    Pick([](TfrmTimeClick& picker) {
        QTest::mouseClick(picker.RxLabel[9], Qt::LeftButton);
        picker.timeCloserTimer();
    });
    EXPECT_EQ(entry->curEdtHour->Value(), 1430) << "cancelled twice";
    EXPECT_EQ(entry->focusWidget(), entry->curEdtHour);
}

TEST_F(GestAlarm, ExclamationPanelScrollsOnceTouchedAndListsTheStoredAlarmsOverTheSubject)
{
    ASSERT_TRUE(WriteBytes(alarms.FilePath(), "24/12/2026;09:05:00;Appeler\r\n"));
    entry->SetEntryColours(0x0000FF, 0x00FF00, 0xFF0000);
    entry->move(300, 200);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(entry->scrShowerAlrm, &move);
    EXPECT_TRUE(entry->scrShowerAlrm->IsActive());

    bool listed = false;
    QTimer::singleShot(0, entry.get(), [&] {
        auto* list = entry->findChild<TfrmListAlrms0*>();
        ASSERT_TRUE(list && list->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), list);
        EXPECT_EQ(list->pos(), QPoint(314, 293));
        EXPECT_EQ(list->AlarmCount, 1);
        EXPECT_TRUE(list->IsDeletionAllowed());
        EXPECT_EQ(list->grdListAlrm->palette().color(QPalette::Base), QColor(Qt::red));
        EXPECT_EQ(list->grdListAlrm->palette().color(QPalette::Text), QColor(Qt::green));
        EXPECT_FALSE(entry->scrAnnulAlarm->IsActive() || entry->scrEnregAlarm->IsActive());
        listed = true;
        QTest::mouseClick(list->scrOutLstAlrm, Qt::LeftButton);
    });
    QTest::mouseClick(entry->scrShowerAlrm, Qt::LeftButton);
    EXPECT_TRUE(listed);
    EXPECT_FALSE(entry->findChild<TfrmListAlrms0*>());
    EXPECT_TRUE(entry->scrAnnulAlarm->IsActive() && entry->scrEnregAlarm->IsActive());
    EXPECT_TRUE(entry->scrShowerAlrm->IsActive()) << "stays on";
    EXPECT_TRUE(StillOpen());
}

TEST_F(GestAlarm, ThemeGradientInsideTheRim)
{
    Glb().Colours.GradientColourA = Glb().Colours.GradientColourB = 0x0000FF;
    QImage shot = entry->grab().toImage();
    EXPECT_EQ(shot.pixelColor(40, 40), QColor(Qt::red));
    // The rim's outlines from the edge inwards, left on the middle line, then the gradient.
    QList<QColor> rim;
    for (int x = 0; x < 6; ++x)
        rim.append(shot.pixelColor(x, 117));
    EXPECT_TRUE(rim.contains(QColor(Qt::black)) && rim.contains(QColor(0x64, 0x64, 0x64)));
    EXPECT_EQ(rim.last(), QColor(Qt::red));

    Glb().UseDefaultColours = true;
    shot = entry->grab().toImage();
    const QColor left = shot.pixelColor(40, 40);
    EXPECT_TRUE(left.red() == left.green() && left.green() == left.blue());
    EXPECT_GT(left.red(), shot.pixelColor(196, 40).red()) << "white to black along the width";
}
