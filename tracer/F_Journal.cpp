#include "tracer/F_Journal.h"

#include "core/F_Glb.h"
#include "tracer/F_Disptch0.h"
#include "tracer/U_Journal.h"

#include <QPointer>

namespace {
// Right below the tracer window when the journal and the main window do not both fit above
// it; otherwise above it, with room for the main window standing on the journal.
int JournalTop(const QRect& tracer, int journalHeight, int mainHeight)
{
    if (journalHeight + mainHeight > tracer.top())
        return tracer.top() + tracer.height();
    return tracer.top() - mainHeight - journalHeight + 1;
}

void PlaceBeside(TfrmDispatch* journal, const QWidget* tracerWindow)
{
    if (!tracerWindow)
        return;
    const QRect tracer = tracerWindow->geometry();
    const int mainHeight = MainWindow() ? MainWindow()->height() : 0;
    journal->SetWidth(tracer.width());
    journal->move(tracer.left(), JournalTop(tracer, journal->height(), mainHeight));
}
} // namespace

std::unique_ptr<Tfrmdisptch0> CreateJournal(const TTraceGrid& grid, QWidget* tracerWindow)
{
    if (UsedRowCount(grid) < 1) {
        ShowMessageWindow(QStringLiteral("Pas d'enregistrements à afficher."), 0xFFFFFF, 0, 0, 0, 0,
                          0);
        return nullptr;
    }
    auto journal = std::make_unique<Tfrmdisptch0>(grid, MainWindow());
    PlaceBeside(journal.get(), tracerWindow);
    journal->AddDayPages(grid, BuildDayBlocks(grid));
    return journal;
}

void ShowJournal(const TTraceGrid& grid, QWidget* tracerWindow)
{
    try {
        // The main window owns the journal: should it go first, the journal goes with it.
        QPointer<Tfrmdisptch0> journal = CreateJournal(grid, tracerWindow).release();
        if (!journal)
            return;
        journal->Execute();
        delete journal.data();
    } catch (const std::exception& error) {
        ShowPlainMessage(QString::fromUtf8(error.what()) + QStringLiteral(" on fDsptch.") + u'\r' +
                         QStringLiteral("Vérifier si \"traceur.csv\" OK."));
    }
}
