#include "TestEnv.h"
#include "core/F_Glb.h"
#include "toolkit/C_SkinPanel.h"
#include "tracer/F_Disptch0.h"
#include "tracer/F_DlgImpr.h"
#include "tracer/F_Journal.h"
#include "tracer/U_TraceGrid.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {
class JournalWindow : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        mainWindow.resize(277, 116);
        SetMainWindow(&mainWindow);
        tracerWindow.setGeometry(100, 500, 497, 117);
    }
    void TearDown() override
    {
        SetMainWindow(nullptr);
        TarvelleTest::TearDown();
    }
    void Add(const QString& date, const QString& duree, const QString& title = "t")
    {
        grid.AppendRows({{"A.EXE", title, date, "09:00:00", "09:05:00", "09:10:00", duree}});
    }
    // The journal of the grid, its prints recorded as "title day".
    void Open()
    {
        journal = CreateJournal(grid, &tracerWindow);
        journal->SetPrinter([this](const TTraceGrid&, const QString& title, int day) {
            printed.append(title + u' ' + QString::number(day));
            return true;
        });
    }
    QTabWidget* Pages() const { return journal->findChild<QTabWidget*>("pgeCtrl"); }
    // The rows of a page, shown first: showing it makes its grid.
    const QAbstractItemModel& PageRows(int page) const
    {
        Pages()->setCurrentIndex(page);
        return *Pages()->widget(page)->findChild<QTableView*>()->model();
    }
    // Each tab as "caption rows".
    QStringList Tabs() const
    {
        QStringList tabs;
        for (int i = 0; i < Pages()->count(); ++i)
            tabs.append(Pages()->tabText(i) + u' ' + QString::number(PageRows(i).rowCount()));
        return tabs;
    }
    QStringList Row(int page, int row) const
    {
        QStringList cells;
        for (int column = 0; column < TraceColumn::count; ++column)
            cells.append(PageRows(page).index(row, column).data().toString());
        return cells;
    }
    static TSkinPanel* ExitPanel(QWidget& journal)
    {
        return journal.findChild<TSkinPanel*>("scrOutDsptch");
    }
    static void Click(QWidget* window, const char* name)
    {
        QTest::mouseClick(window->findChild<QWidget*>(name), Qt::LeftButton);
    }

    TTraceGrid grid;
    QWidget mainWindow;
    QWidget tracerWindow;
    std::unique_ptr<Tfrmdisptch0> journal;
    QStringList printed;
};

bool JournalOpen()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<TfrmDispatch*>(window))
            return true;
    return false;
}
} // namespace

// A date seen again after another day is a tab of its own.
TEST_F(JournalWindow, OneTabPerRunOfADateNewestFirst)
{
    const char* rows[][2] = {{"05/12/2026", "00:30:00"}, {"05/12/2026", "00:15:30"},
                             {"06/12/2026", "00:59:59"}, {"06/12/2026", "00:02:03"},
                             {"06/12/2026", "00:00:01"}, {"07/12/2026", "01:00:00"},
                             {"06/12/2026", "00:00:10"}};
    for (const auto& [date, duree] : rows)
        Add(date, duree);
    Open();
    EXPECT_EQ(Tabs(), QStringList({"06/12/26=00:00:10 1", "07/12/26=01:00:00 1",
                                   "06/12/26=01:02:03 3", "05/12/26=00:45:30 2"}));
}

TEST_F(JournalWindow, PagesShowTheirOwnRowsWithTitlesCutToTheFileName)
{
    Add("05/12/2026", "00:30:00", "C:\\docs\\plan.txt - Editor");
    Add("06/12/2026", "00:10:00");
    Add("06/12/2026", "00:20:00", "Sans titre");
    Open();
    EXPECT_EQ(Row(1, 0).value(TraceColumn::winTitle), "plan.txt - Editor");
    EXPECT_EQ(Row(0, 1), QStringList({"A.EXE", "Sans titre", "06/12/2026", "09:00:00", "09:05:00",
                                      "09:10:00", "00:20:00"}));
    // The pages follow the trace, and a new tracer empties them instead of reading rows gone.
    grid.SetCell(2, TraceColumn::duree, "00:21:00");
    EXPECT_EQ(Row(0, 1).value(TraceColumn::duree), "00:21:00");
    grid.Clear();
    EXPECT_EQ(Tabs().first(), "06/12/26=00:30:00 0");
}

TEST_F(JournalWindow, NoRowsOrABadDurationShowAMessageAndNoJournal)
{
    ShowJournal(grid, &tracerWindow);
    ASSERT_EQ(dialogs->messages.size(), 1);
    const TMessageRequest& message = dialogs->messages[0];
    EXPECT_EQ(message.text, "Pas d'enregistrements à afficher.");
    EXPECT_EQ(std::tuple(message.textColour, message.backColour, message.durationMs),
              std::tuple(0xFFFFFFu, 0u, 0));
    Add("05/12/2026", "00:30:00");
    Add("06/12/2026", "ab:cd:ef");
    ShowJournal(grid, &tracerWindow);
    EXPECT_EQ(dialogs->plainMessages,
              QStringList("'ab:cd:ef' n'est pas une heure correcte on fDsptch.\r"
                          "Vérifier si \"traceur.csv\" OK."));
    EXPECT_FALSE(JournalOpen());
}

// Above the tracer window when the journal and the main window (116) fit over it, else below.
TEST_F(JournalWindow, GoesAboveTheTracerWindowWhenThereIsRoomElseBelow)
{
    Add("05/12/2026", "00:30:00");
    const int cases[][2] = {{500, 500 - 116 - 257 + 1}, {373, 1}, {372, 372 + 117}, {0, 117}};
    for (const auto& [tracerTop, top] : cases) {
        tracerWindow.move(60, tracerTop);
        Open();
        EXPECT_EQ(journal->geometry(), QRect(60, top, 497, 257)) << tracerTop;
    }
    tracerWindow.resize(600, 117);
    Open();
    EXPECT_EQ(Pages()->geometry(), QRect(8, 24, 584, 209));
    EXPECT_EQ(journal->findChild<QLabel*>("rxTimeDsp")->text(), "à  09:30:00");
    journal->show();
    QCoreApplication::processEvents();
    // The four time columns share what the first three leave of the page.
    const auto* view = Pages()->currentWidget()->findChild<QTableView*>();
    const int shared = (Pages()->currentWidget()->width() - 282) / 4;
    QList<int> widths;
    for (int column = 0; column < TraceColumn::count; ++column)
        widths.append(view->columnWidth(column));
    EXPECT_EQ(widths, QList<int>({92, 101, 64, shared, shared, shared, shared}));
}

TEST_F(JournalWindow, ShownModallyUntilTheExitPanelIsClickedThenGone)
{
    Add("05/12/2026", "00:30:00");
    QTimer::singleShot(0, [this]() {
        QWidget* shown = QApplication::activeModalWidget();
        ASSERT_TRUE(qobject_cast<TfrmDispatch*>(shown));
        EXPECT_EQ(platform->cursorMoves,
                  QList<QPoint>({shown->pos() + QPoint(406 + 83 / 2, 236 + 17 / 2)}));
        // The tracer taking a sample: the click is lost.
        Glb().TracerBusy = true;
        QTest::mouseClick(ExitPanel(*shown), Qt::LeftButton);
        EXPECT_TRUE(shown->isVisible());
        Glb().TracerBusy = false;
        QTest::mouseClick(ExitPanel(*shown), Qt::LeftButton);
    });
    ShowJournal(grid, &tracerWindow);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(JournalOpen());
}

TEST_F(JournalWindow, PrintDialogsLabelsSwitchTheChoiceAndItsTimeLimitRunsFromTheFirstPaint)
{
    TfrmDlgImpr dialog;
    EXPECT_EQ(dialog.geometry().center(), platform->screen.center());
    auto* all = dialog.findChild<QRadioButton*>("rdbAllPages");
    auto* active = dialog.findChild<QRadioButton*>("rdbJustActPage");
    for (const char* label : {"rxAllPages", "rxJustActivePage", "rxJustActivePage"}) {
        const bool wasAll = all->isChecked();
        Click(&dialog, label);
        EXPECT_NE(all->isChecked(), wasAll) << label;
        EXPECT_NE(active->isChecked(), all->isChecked()) << label;
    }
    Glb().TracerBusy = true;
    Click(&dialog, "rxAllPages");
    EXPECT_TRUE(active->isChecked());
    auto* limit = dialog.findChild<QTimer*>("timerLimit");
    dialog.grab();
    EXPECT_TRUE(limit->isActive());
    EXPECT_EQ(limit->interval(), 20000);
}

// Cancelled, left unanswered, or sent for every day or the active tab's day; the exit panel
// stands still while the dialog is open.
TEST_F(JournalWindow, PrintsAllDaysOrTheActiveTabsDayOnlyWhenSent)
{
    Add("05/12/2026", "00:30:00");
    Add("06/12/2026", "01:02:03");
    Add("07/12/2026", "00:00:05");
    Open();
    Pages()->setCurrentIndex(1);
    const auto answer = [&](std::vector<const char*> clicks) {
        QTimer::singleShot(0, journal.get(), [this, clicks]() {
            auto* dialog = journal->findChild<TfrmDlgImpr*>();
            ASSERT_TRUE(dialog && dialog->isVisible());
            EXPECT_FALSE(ExitPanel(*journal)->IsActive());
            if (clicks.empty())
                dialog->timerLimitTimer();
            for (const char* name : clicks)
                Click(dialog, name);
        });
        Click(journal.get(), "spdImpression");
        EXPECT_FALSE(journal->findChild<TfrmDlgImpr*>());
        EXPECT_TRUE(ExitPanel(*journal)->IsActive());
    };
    answer({"rxJustActivePage", "scrAnnulImp"});
    answer({});
    EXPECT_TRUE(printed.isEmpty());
    answer({"scrEnvImp"});
    answer({"rxJustActivePage", "scrEnvImp"});
    EXPECT_EQ(printed, QStringList({"Tarvelle - Trace - testeur 0",
                                    "Tarvelle - Trace 06/12/26=01:02:03 - testeur 2"}));
}
