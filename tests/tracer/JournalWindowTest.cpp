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
struct TPrinted
{
    QString title;
    int day = -1;
};

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
    std::unique_ptr<Tfrmdisptch0> Journal()
    {
        std::unique_ptr<Tfrmdisptch0> journal = CreateJournal(grid, &tracerWindow);
        if (journal)
            journal->SetPrinter([this](const TTraceGrid&, const QString& title, int day) {
                printed.push_back({title, day});
                return true;
            });
        return journal;
    }
    // Each tab as "caption rows", its grid made by showing it.
    static QStringList Tabs(Tfrmdisptch0& journal)
    {
        auto* pages = journal.findChild<QTabWidget*>("pgeCtrl");
        QStringList tabs;
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            auto* view = pages->widget(i)->findChild<QTableView*>();
            tabs.append(pages->tabText(i) + u' ' +
                        (view ? QString::number(view->model()->rowCount()) : "no grid"));
        }
        return tabs;
    }
    static QString Cell(Tfrmdisptch0& journal, int page, int row, int column)
    {
        auto* pages = journal.findChild<QTabWidget*>("pgeCtrl");
        pages->setCurrentIndex(page);
        const QAbstractItemModel* model = pages->widget(page)->findChild<QTableView*>()->model();
        return model->index(row, column).data().toString();
    }
    // Answers the print dialog, once it is up, with `act`.
    void WhenDialogOpens(Tfrmdisptch0& journal, std::function<void(TfrmDlgImpr&)> act)
    {
        QTimer::singleShot(0, &journal, [&journal, act]() {
            auto* dialog = journal.findChild<TfrmDlgImpr*>();
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_FALSE(journal.findChild<TSkinPanel*>("scrOutDsptch")->IsActive());
            act(*dialog);
        });
    }
    static void Click(QWidget* window, const char* name)
    {
        QWidget* control = window->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << name;
        QTest::mouseClick(control, Qt::LeftButton);
    }

    TTraceGrid grid;
    QWidget mainWindow;
    QWidget tracerWindow;
    std::vector<TPrinted> printed;
};

bool JournalOpen()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<TfrmDispatch*>(window))
            return true;
    return false;
}
} // namespace

TEST_F(JournalWindow, OneTabPerRunOfADateNewestFirstUpToTheFirstBlankRow)
{
    const auto three = [this]() {
        Add("05/12/2026", "00:30:00");
        Add("05/12/2026", "00:15:30");
        Add("06/12/2026", "00:59:59");
        Add("06/12/2026", "00:02:03");
        Add("06/12/2026", "00:00:01");
        Add("07/12/2026", "01:00:00");
    };
    three();
    EXPECT_EQ(Tabs(*Journal()),
              QStringList({"07/12/26=01:00:00 1", "06/12/26=01:02:03 3", "05/12/26=00:45:30 2"}));
    Add("06/12/2026", "00:00:10");
    EXPECT_EQ(Tabs(*Journal()).mid(0, 2),
              QStringList({"06/12/26=00:00:10 1", "07/12/26=01:00:00 1"}));
    grid.Clear();
    three();
    grid.SetCell(3, TraceColumn::procName, "");
    EXPECT_EQ(Tabs(*Journal()), QStringList({"06/12/26=00:59:59 1", "05/12/26=00:45:30 2"}));
}

TEST_F(JournalWindow, PagesShowTheirOwnRowsWithTitlesCutToTheFileName)
{
    Add("05/12/2026", "00:30:00", "C:\\docs\\plan.txt - Editor");
    Add("06/12/2026", "00:10:00", "Agenda: juin");
    Add("06/12/2026", "00:20:00", "Sans titre");
    const auto journal = Journal();
    EXPECT_EQ(Cell(*journal, 1, 0, TraceColumn::winTitle), "plan.txt - Editor");
    EXPECT_EQ(Cell(*journal, 0, 0, TraceColumn::winTitle), " juin");
    QStringList second;
    for (int column = 0; column < TraceColumn::count; ++column)
        second.append(Cell(*journal, 0, 1, column));
    EXPECT_EQ(second, QStringList({"A.EXE", "Sans titre", "06/12/2026", "09:00:00", "09:05:00",
                                   "09:10:00", "00:20:00"}));
    // The pages follow the trace, and a new tracer empties them instead of reading rows gone.
    grid.SetCell(2, TraceColumn::duree, "00:21:00");
    EXPECT_EQ(Cell(*journal, 0, 1, TraceColumn::duree), "00:21:00");
    grid.Clear();
    EXPECT_EQ(Tabs(*journal).first(), "06/12/26=00:30:00 0");
}

TEST_F(JournalWindow, NoRowsOrABadDurationShowAMessageAndNoJournal)
{
    ShowJournal(grid, &tracerWindow);
    Add("05/12/2026", "00:30:00");
    grid.SetCell(0, TraceColumn::dateTrace, "");
    ShowJournal(grid, &tracerWindow);
    ASSERT_EQ(dialogs->messages.size(), 2);
    for (const TMessageRequest& message : dialogs->messages) {
        EXPECT_EQ(message.text, "Pas d'enregistrements à afficher.");
        EXPECT_EQ(message.textColour, 0xFFFFFFu);
        EXPECT_EQ(message.backColour, 0u);
        EXPECT_EQ(message.durationMs, 0);
    }
    grid.SetCell(0, TraceColumn::dateTrace, "05/12/2026");
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
        const auto journal = Journal();
        EXPECT_EQ(journal->geometry(), QRect(60, top, 497, 257)) << tracerTop;
    }
    tracerWindow.resize(600, 117);
    const auto wide = Journal();
    auto* pages = wide->findChild<QTabWidget*>("pgeCtrl");
    EXPECT_EQ(pages->geometry(), QRect(8, 24, 584, 209));
    EXPECT_EQ(wide->findChild<QLabel*>("rxTimeDsp")->text(), "à  09:30:00");
    wide->show();
    QCoreApplication::processEvents();
    // The four time columns share what the first three leave of the page.
    const auto* view = pages->currentWidget()->findChild<QTableView*>();
    const int shared = (pages->currentWidget()->width() - 282) / 4;
    EXPECT_GT(shared, 50);
    QList<int> widths;
    for (int column = 0; column < TraceColumn::count; ++column)
        widths.append(view->columnWidth(column));
    EXPECT_EQ(widths, QList<int>({92, 101, 64, shared, shared, shared, shared}));
}

TEST_F(JournalWindow, ShownModallyUntilTheExitPanelIsClickedThenGone)
{
    Add("05/12/2026", "00:30:00");
    QTimer::singleShot(0, [this]() {
        QWidget* journal = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<TfrmDispatch*>(window) && window->isVisible())
                journal = window;
        ASSERT_NE(journal, nullptr);
        EXPECT_TRUE(journal->isModal());
        auto* exit = journal->findChild<QWidget*>("scrOutDsptch");
        EXPECT_EQ(platform->cursorMoves,
                  QList<QPoint>({journal->pos() + QPoint(406 + 83 / 2, 236 + 17 / 2)}));
        // The tracer taking a sample: the click is lost.
        Glb().TracerBusy = true;
        QTest::mouseClick(exit, Qt::LeftButton);
        EXPECT_TRUE(journal->isVisible());
        Glb().TracerBusy = false;
        QTest::mouseClick(exit, Qt::LeftButton);
    });
    ShowJournal(grid, &tracerWindow);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(JournalOpen());
}

TEST_F(JournalWindow, PrintDialogLabelsSwitchTheChoiceAndItClosesUnansweredAsCancelled)
{
    Add("05/12/2026", "00:30:00");
    const auto journal = Journal();
    auto dialog = std::make_unique<TfrmDlgImpr>(journal.get());
    EXPECT_EQ(dialog->geometry().center(), platform->screen.center());
    auto* all = dialog->findChild<QRadioButton*>("rdbAllPages");
    auto* active = dialog->findChild<QRadioButton*>("rdbJustActPage");
    for (const char* label : {"rxAllPages", "rxJustActivePage", "rxJustActivePage"}) {
        const bool wasAll = all->isChecked();
        Click(dialog.get(), label);
        EXPECT_NE(all->isChecked(), wasAll) << label;
        EXPECT_NE(active->isChecked(), all->isChecked()) << label;
    }
    Glb().TracerBusy = true;
    Click(dialog.get(), "rxAllPages");
    EXPECT_TRUE(active->isChecked());

    auto* limit = dialog->findChild<QTimer*>("timerLimit");
    EXPECT_EQ(limit->interval(), 15000);
    dialog->grab();
    EXPECT_EQ(limit->interval(), 20000);
    EXPECT_TRUE(limit->isActive());
    dialog.reset();
    WhenDialogOpens(*journal, [](TfrmDlgImpr& shown) { shown.timerLimitTimer(); });
    Click(journal.get(), "spdImpression");
    EXPECT_TRUE(printed.empty()); // still busy: no dialog opened
    Glb().TracerBusy = false;
    Click(journal.get(), "spdImpression");
    EXPECT_TRUE(printed.empty());
    EXPECT_TRUE(journal->findChild<TSkinPanel*>("scrOutDsptch")->IsActive());
}

TEST_F(JournalWindow, PrintingAllDaysOrTheActiveTabsDayOnlyWhenConfirmed)
{
    Add("05/12/2026", "00:30:00");
    Add("06/12/2026", "01:02:03");
    Add("07/12/2026", "00:00:05");
    const auto journal = Journal();
    journal->findChild<QTabWidget*>("pgeCtrl")->setCurrentIndex(1);
    const auto answer = [&](std::vector<const char*> clicks) {
        WhenDialogOpens(*journal, [clicks](TfrmDlgImpr& shown) {
            for (const char* name : clicks)
                Click(&shown, name);
        });
        Click(journal.get(), "spdImpression");
        EXPECT_FALSE(journal->findChild<TfrmDlgImpr*>());
    };
    answer({"rxJustActivePage", "scrAnnulImp"});
    EXPECT_TRUE(printed.empty());
    answer({"scrEnvImp"});
    answer({"rxJustActivePage", "scrEnvImp"});
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].title, "Tarvelle - Trace - testeur");
    EXPECT_EQ(printed[0].day, 0);
    EXPECT_EQ(printed[1].title, "Tarvelle - Trace 06/12/26=01:02:03 - testeur");
    EXPECT_EQ(printed[1].day, 2);
    EXPECT_TRUE(journal->findChild<TSkinPanel*>("scrOutDsptch")->IsActive());
}
