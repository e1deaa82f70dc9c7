#include "TestEnv.h"
#include "TestFiles.h"
#include "alarms/F_ListAlrms0.h"
#include "alarms/U_Alarms.h"
#include "core/U_TextFile.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_StringGrid.h"
#include "toolkit/C_TransparentLabel.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
const QByteArray kThreeRecords = "24/12/2026;09:05:00;Appeler|le garage|demain\r\n"
                                 "25/12/2026;10:00:00;Payer;vite\r\n"
                                 "26/12/2026;11:30:00;Noël\r\n";

class ListAlarms : public TarvelleTest
{
protected:
    QString FilePath() const { return alarms.FilePath(); }
    QStringList FileLines() const
    {
        QStringList lines;
        TextFile::ReadLines(FilePath(), lines);
        return lines;
    }
    // The list in file mode, filled from the file.
    std::unique_ptr<TfrmListAlrms0> Open()
    {
        auto list = std::make_unique<TfrmListAlrms0>(alarms, nullptr);
        list->SetDeletionAllowed(true);
        list->LoadAlarmList();
        return list;
    }
    QStringList Row(const TfrmListAlarms& list, int row) const
    {
        return {list.Cell(0, row), list.Cell(1, row), list.Cell(2, row)};
    }
    static void ClickCell(TfrmListAlarms& list, int column, int row)
    {
        TStringGrid* grid = list.grdListAlrm;
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
    }
    // Types `text` into the current cell and presses Return in whatever has the keyboard then.
    static void Type(TfrmListAlarms& list, const QString& text)
    {
        QTest::keyClicks(list.grdListAlrm, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    // Shows `list` modally and runs `act` in it; a list still open afterwards is left with
    // "E x i t" (1). The modal result.
    static int RunModal(TfrmListAlarms& list, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &list, [&list, act]() {
            act();
            QCoreApplication::processEvents();
            if (list.isVisible())
                QTest::mouseClick(list.scrOutLstAlrm, Qt::LeftButton);
        });
        return list.ShowModal();
    }

    TAlarms alarms;
};
} // namespace

TEST_F(ListAlarms, EmptyOrMissingFileAndTheCount)
{
    auto missing = Open();
    EXPECT_TRUE(missing->grdListAlrm->isHidden());
    EXPECT_FALSE(missing->rxNoAlarm->isHidden());
    EXPECT_EQ(missing->rxNoAlarm->text(), "A U C U N E   A L A R M E");
    EXPECT_EQ(missing->rxAffNbrAlrm->text(), "");

    ASSERT_TRUE(WriteBytes(FilePath(), ""));
    auto empty = Open();
    EXPECT_FALSE(empty->grdListAlrm->isHidden());
    EXPECT_TRUE(empty->rxNoAlarm->isHidden());
    EXPECT_EQ(empty->RowCount(), 1);
    EXPECT_EQ(Row(*empty, 0), QStringList({"", "", ""}));
    EXPECT_EQ(empty->rxAffNbrAlrm->text(), "0 alarme");
    for (const auto& [count, text] : {std::pair(1, "1 alarme"), std::pair(3, "3 alarmes")}) {
        empty->AlarmCount = count;
        empty->ShowAlarmCount();
        EXPECT_EQ(empty->rxAffNbrAlrm->text(), text);
    }
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

TEST_F(ListAlarms, SubjectLinesFillRowsMappedToTheirRecordsAndOpeningAsksNothing)
{
    ASSERT_TRUE(WriteBytes(FilePath(), kThreeRecords));
    auto list = Open();
    EXPECT_EQ(list->size(), QSize(339, 99));
    EXPECT_EQ(list->grdListAlrm->geometry(), QRect(2, 8, 335, 68));
    EXPECT_EQ(std::tuple(list->grdListAlrm->ColWidth(0), list->grdListAlrm->ColWidth(1),
                         list->grdListAlrm->ColWidth(2)),
              std::tuple(64, 48, 199));
    ASSERT_EQ(list->RowCount(), 6);
    EXPECT_EQ(Row(*list, 0), QStringList({"24/12/2026", "09:05:00", "Appeler"}));
    EXPECT_EQ(Row(*list, 1), QStringList({" - ", " - ", "le garage"}));
    EXPECT_EQ(Row(*list, 2), QStringList({" - ", " - ", "demain"}));
    // Only the first two ";" separate fields.
    EXPECT_EQ(Row(*list, 3), QStringList({"25/12/2026", "10:00:00", "Payer;vite"}));
    EXPECT_EQ(Row(*list, 4), QStringList({"26/12/2026", "11:30:00", "Noël"}));
    EXPECT_EQ(Row(*list, 5), QStringList({"", "", ""}));
    QList<int> records;
    for (int row = 0; row < list->RowCount(); ++row)
        records.append(list->RecordOfRow(row));
    EXPECT_EQ(records, QList<int>({0, 0, 0, 1, 2, 3}));
    EXPECT_EQ(list->rxAffNbrAlrm->text(), "3 alarmes");

    EXPECT_EQ(RunModal(*list, [&]() { list->grdListAlrm->setFocus(); }), 1);
    EXPECT_TRUE(dialogs->questions.isEmpty());
}

TEST_F(ListAlarms, ConfirmedSelectionRemovesTheRecordOfTheRowAndClosesWith2)
{
    struct Case
    {
        int row;
        QString question;
        QStringList left;
    };
    const QStringList all = QString::fromUtf8(kThreeRecords).split("\r\n", Qt::SkipEmptyParts);
    const Case cases[] = {
        {3, "Supprimer 25/12/2026-10:00:00<Payer;vite ?", {all[0], all[2]}},
        {2, "Supprimer  - - - <demain ?", {all[1], all[2]}},
        // The empty bottom row stands after the last record: nothing goes.
        {5, "Supprimer -< ?", all},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteBytes(FilePath(), kThreeRecords));
        dialogs->questions.clear();
        dialogs->AnswerNext(1);
        auto list = Open();
        EXPECT_EQ(RunModal(*list, [&]() { ClickCell(*list, 1, c.row); }), 2) << c.row;
        ASSERT_EQ(dialogs->questions.size(), 1);
        const TQuestionRequest& asked = dialogs->questions[0];
        EXPECT_EQ(asked.text, c.question);
        EXPECT_EQ(std::tuple(asked.textColour, asked.backColour, asked.fontSize, asked.width,
                             asked.height, asked.okCaption, asked.cancelCaption),
                  std::tuple(0u, 0xFFFFFFu, 12, 0, 0, QString("OK"), QString("Annuler")));
        EXPECT_EQ(FileLines(), c.left) << c.row;
    }
}

// A record another program added at the top while the list was open: the row clicked still
// removes the record it shows, and that version of the file is kept aside.
TEST_F(ListAlarms, TheRowClickedRemovesItsRecordFromAFileChangedSinceTheList)
{
    ASSERT_TRUE(WriteBytes(FilePath(), kThreeRecords));
    dialogs->AnswerNext(1);
    auto list = Open();
    const QByteArray added = "23/12/2026;08:00:00;Ajoutée ailleurs\r\n";
    ASSERT_TRUE(WriteBytes(FilePath(), added + kThreeRecords));
    EXPECT_EQ(RunModal(*list, [&]() { ClickCell(*list, 1, 3); }), 2);
    const QStringList all = QString::fromUtf8(kThreeRecords).split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(FileLines(), QStringList({QString::fromUtf8(added).trimmed(), all[0], all[2]}));
    EXPECT_EQ(ReadBytes(AppFolder() + "breakPoint_modifié_07-12-2026à09-30-00.csv"),
              added + kThreeRecords);
}

TEST_F(ListAlarms, CancelledOrKeyboardSelectionAndTypedTextLeaveTheFile)
{
    ASSERT_TRUE(WriteBytes(FilePath(), kThreeRecords));
    auto list = Open();
    EXPECT_EQ(RunModal(*list,
                       [&]() {
                           ClickCell(*list, 2, 0);
                           QTest::keyClick(list->grdListAlrm, Qt::Key_Down);
                           QCoreApplication::processEvents();
                           // Typing edits the cell in place, and only there.
                           Type(*list, "X");
                       }),
              1);
    ASSERT_EQ(dialogs->questions.size(), 2);
    EXPECT_EQ(dialogs->questions[0].text, "Supprimer 24/12/2026-09:05:00<Appeler ?");
    EXPECT_EQ(dialogs->questions[1].text, "Supprimer  - - - <le garage ?");
    EXPECT_EQ(list->Cell(2, 1), "X");
    EXPECT_EQ(ReadBytes(FilePath()), kThreeRecords);
}

TEST_F(ListAlarms, AVanishedFileKeepsTheListOpenAndAReadErrorIsTold)
{
    ASSERT_TRUE(WriteBytes(FilePath(), kThreeRecords));
    auto list = Open();
    ASSERT_TRUE(QFile::remove(FilePath()));
    dialogs->AnswerNext(1);
    EXPECT_EQ(RunModal(*list, [&]() { ClickCell(*list, 0, 0); }), 1);
    EXPECT_EQ(dialogs->plainMessages,
              QStringList("Anomalie : fichier des alarmes détruit ou déplacé."));

    dialogs->plainMessages.clear();
    ASSERT_TRUE(QDir().mkpath(FilePath()));
    auto unreadable = Open();
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    const QString told = dialogs->plainMessages[0];
    EXPECT_TRUE(told.endsWith("Détruire breakPoint.csv")) << told.toStdString();
    EXPECT_GT(told.size(), QString("Détruire breakPoint.csv").size());
    EXPECT_FALSE(unreadable->grdListAlrm->isHidden());
    EXPECT_EQ(unreadable->rxAffNbrAlrm->text(), "");
}

TEST_F(ListAlarms, FiredAlarmsAreAnnouncedListedWithoutRemovalThenForgotten)
{
    ASSERT_TRUE(WriteBytes(FilePath(), "07/12/2026;10:00:00;zèbre à nourrir ce matin|vite\r\n"
                                       "07/12/2026;10:00:00;Appeler le garage avant midi\r\n"
                                       "07/12/2026;11:00:00;plus tard\r\n"));
    alarms.StartAlarms();
    clock->Set(QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0)));
    alarms.rxClockerAlarm();
    ASSERT_EQ(alarms.FiredAlarms().size(), 2);
    const QByteArray before = ReadBytes(FilePath());

    QTimer::singleShot(0, [&]() {
        auto* list = qobject_cast<TfrmListAlarms*>(QApplication::activeModalWidget());
        ASSERT_TRUE(list);
        EXPECT_EQ(list->frameGeometry().center(), platform->screen.center());
        EXPECT_EQ(list->RowCount(), 4);
        EXPECT_EQ(list->Cell(2, 0), "Appeler le garage avant midi");
        EXPECT_EQ(list->Cell(2, 1), "zèbre à nourrir ce matin");
        EXPECT_EQ(list->Cell(2, 2), "vite");
        EXPECT_EQ(list->rxAffNbrAlrm->text(), "2 alarmes");
        dialogs->AnswerNext(1);
        ClickCell(*list, 2, 1);
        Type(*list, "X");
        EXPECT_EQ(list->Cell(2, 1), "zèbre à nourrir ce matin");
        QTest::mouseClick(list->scrOutLstAlrm, Qt::LeftButton);
    });
    ShowFiredAlarms(alarms, nullptr, 0xE08492, 0, 0);
    EXPECT_TRUE(dialogs->questions.isEmpty());
    ASSERT_EQ(dialogs->messages.size(), 1);
    const TMessageRequest& message = dialogs->messages[0];
    EXPECT_EQ(message.text, "Appeler le garage av");
    EXPECT_EQ(std::tuple(message.textColour, message.backColour, message.durationMs,
                         message.fontSize, message.width, message.height),
              std::tuple(0x0000FFu, 0u, 2000, 32, 0, 70));
    EXPECT_TRUE(alarms.FiredAlarms().isEmpty());
    EXPECT_EQ(ReadBytes(FilePath()), before);
}

// An alarm firing while the list is open has not been seen: it is not forgotten with the others.
TEST_F(ListAlarms, AnAlarmFiredWhileTheListIsOpenStays)
{
    ASSERT_TRUE(WriteBytes(FilePath(), "07/12/2026;10:00:00;un\r\n07/12/2026;10:01:00;deux\r\n"));
    alarms.StartAlarms();
    clock->Set(QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0)));
    alarms.rxClockerAlarm();
    QTimer::singleShot(0, [&]() {
        clock->Set(QDateTime(QDate(2026, 12, 7), QTime(10, 1, 0)));
        alarms.rxClockerAlarm();
        QTest::mouseClick(QApplication::activeModalWidget()->findChild<TSkinPanel*>(),
                          Qt::LeftButton);
    });
    ShowFiredAlarms(alarms, nullptr, 0xE08492, 0, 0);
    EXPECT_EQ(alarms.FiredAlarms().size(), 2);
}
