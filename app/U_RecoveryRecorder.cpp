#include "app/U_RecoveryRecorder.h"

#include "core/U_Glb.h"
#include "notes/U_NotesPad.h"
#include "tracer/U_TraceGrid.h"

#include <QTextDocument>
#include <QTimer>

#include <algorithm>

using namespace RecoveryJournal;

namespace {
bool ChangesNothing(const TLinesChange& change, std::size_t before)
{
    return change.lines.isEmpty() &&
           static_cast<std::size_t>(change.prefix + change.suffix) == before;
}

TStamp GridStamp(const TTraceGrid& grid)
{
    TStampBuilder builder;
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (const QString& cell : grid.Row(row))
            builder.Add(cell);
        builder.EndItem();
    }
    return builder.Stamp();
}
} // namespace

TRecoveryRecorder::TRecoveryRecorder(TNotesPad& notes, TTraceGrid& grid, TRecoveryFile file,
                                     int delayMs, QObject* parent)
    : QObject(parent), notes(notes), grid(grid), file(std::move(file)), timer(new QTimer(this)),
      traceStamp(GridStamp(grid))
{
    timer->setObjectName(QStringLiteral("timerRecovery"));
    // One write for a burst of changes, and no tick at all while nothing changes.
    timer->setSingleShot(true);
    timer->setInterval(delayMs);
    connect(timer, &QTimer::timeout, this, &TRecoveryRecorder::Flush);
    connect(notes.Document(), &QTextDocument::contentsChanged, this,
            &TRecoveryRecorder::NotesChanged);
    connect(&notes, &TNotesPad::FileLoaded, this, &TRecoveryRecorder::NotesFileLoaded);
    connect(&grid, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                RowsChanged(from.row(), to.row());
            });
    connect(&grid, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { RowsChanged(first, last); });
    connect(&grid, &QAbstractItemModel::modelReset, this, &TRecoveryRecorder::TraceCleared);
    QStringList lines;
    notesBase = PadSums(lines);
    notesJournaled = notesBase;
    notesStamp = StampOfLines(lines);
    SetNotesAndTraceListener(this);
}

TRecoveryRecorder::~TRecoveryRecorder()
{
    SetNotesAndTraceListener(nullptr);
}

void TRecoveryRecorder::Arm()
{
    armed = true;
    Restart();
}

void TRecoveryRecorder::NotesChanged()
{
    notesPending = true;
    Changed();
}

void TRecoveryRecorder::RowsChanged(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        rowsSinceBase.insert(row);
        rowsSinceFlush.insert(row);
    }
    Changed();
}

void TRecoveryRecorder::Changed()
{
    declined = false;
    if (armed && !timer->isActive())
        timer->start();
}

void TRecoveryRecorder::TraceCleared()
{
    // A new tracer empties the trace file with the grid.
    RebaseTrace();
    if (armed)
        Restart();
}

void TRecoveryRecorder::NotesFileLoaded(int firstLine, int lineCount)
{
    QStringList lines;
    const std::vector<quint64> sums = PadSums(lines);
    // Lines deleted while the file came in leave fewer than it brought.
    const auto first = std::min(static_cast<std::size_t>(std::max(firstLine, 0)), sums.size());
    const auto count =
        std::min(static_cast<std::size_t>(std::max(lineCount, 0)), sums.size() - first);
    notesFirst = static_cast<int>(first);
    notesBase.assign(sums.begin() + first, sums.begin() + first + count);
    notesStamp = StampOfLines(lines.mid(notesFirst, static_cast<qsizetype>(count)));
    notesPending = true;
    if (armed)
        Restart();
}

void TRecoveryRecorder::RebaseTrace()
{
    traceStamp = GridStamp(grid);
    rowsSinceBase.clear();
    rowsSinceFlush.clear();
}

void TRecoveryRecorder::Loaded(bool traceRead)
{
    if (traceRead)
        RebaseTrace();
    if (armed)
        Restart();
}

void TRecoveryRecorder::SaveStarting()
{
    // Should the save's files be there and the journal not yet emptied, the journal is known
    // to be already saved.
    if (armed && !journalEmpty && !restartDue && !file.Append(EncodeSaving()))
        restartDue = true;
}

void TRecoveryRecorder::Saved(bool notesSaved, bool traceSaved)
{
    if (notesSaved) {
        QStringList lines;
        notesBase = PadSums(lines);
        notesStamp = StampOfLines(lines);
        notesFirst = 0;
    }
    if (traceSaved)
        RebaseTrace();
    declined = false;
    if (armed)
        Restart();
}

void TRecoveryRecorder::SaveDeclined()
{
    declined = true;
}

void TRecoveryRecorder::ProgramClosing()
{
    if (!armed)
        return;
    Flush();
    QStringList lines;
    const std::vector<quint64> sums = PadSums(lines);
    const bool unsaved = !ChangesNothing(DiffLines(notesBase, lines, sums), notesBase.size()) ||
                         (!rowsSinceBase.empty() && GridStamp(grid) != traceStamp);
    // Without `Modified` only what the program adds by itself is left (a new day's lines),
    // which the next load adds again.
    if (!unsaved || declined || !Glb().Modified)
        file.Replace(QByteArray());
    armed = false;
}

void TRecoveryRecorder::Flush()
{
    if (!armed)
        return;
    timer->stop();
    if (restartDue || notes.Loading()) {
        Restart();
        return;
    }
    QStringList lines;
    std::vector<quint64> sums;
    TChange change;
    if (notesPending) {
        sums = PadSums(lines);
        TLinesChange notesChange = DiffLines(notesJournaled, lines, sums);
        if (!ChangesNothing(notesChange, notesJournaled.size()))
            change.notes = std::move(notesChange);
    }
    if (!rowsSinceFlush.empty())
        change.trace = RowsChange(rowsSinceFlush);
    if (change.notes || change.trace) {
        const QByteArray base = journalEmpty ? EncodeBase(Base()) : QByteArray();
        if (!file.Append(base + EncodeChange(change))) {
            Restart();
            return;
        }
        journalEmpty = false;
    }
    if (notesPending)
        notesJournaled = std::move(sums);
    notesPending = false;
    rowsSinceFlush.clear();
}

void TRecoveryRecorder::Restart()
{
    timer->stop();
    // Part of the file is still to come into the pad: the lines there are not yet what the
    // file holds, so the journal starts anew once they are all in.
    if (notes.Loading()) {
        restartDue = true;
        return;
    }
    QStringList lines;
    std::vector<quint64> sums = PadSums(lines);
    TChange change;
    TLinesChange notesChange = DiffLines(notesBase, lines, sums);
    if (!ChangesNothing(notesChange, notesBase.size()))
        change.notes = std::move(notesChange);
    if (!rowsSinceBase.empty() && GridStamp(grid) != traceStamp)
        change.trace = RowsChange(rowsSinceBase);
    const QByteArray content =
        change.notes || change.trace ? EncodeBase(Base()) + EncodeChange(change) : QByteArray();
    restartDue = !file.Replace(content);
    journalEmpty = content.isEmpty();
    notesJournaled = std::move(sums);
    notesPending = false;
    rowsSinceFlush.clear();
}

std::vector<quint64> TRecoveryRecorder::PadSums(QStringList& lines) const
{
    lines = notes.Lines();
    std::vector<quint64> sums;
    sums.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        sums.push_back(LineSum(line));
    return sums;
}

TBase TRecoveryRecorder::Base() const
{
    return {notes.NotesFilePath(), notesStamp, traceStamp};
}

TRowsChange TRecoveryRecorder::RowsChange(const std::set<int>& rows) const
{
    TRowsChange change;
    change.rowCount = grid.rowCount();
    for (const int row : rows) {
        if (row >= grid.rowCount())
            continue;
        const TTraceCells& cells = grid.Row(row);
        change.rows.emplace_back(row, QStringList(cells.begin(), cells.end()));
    }
    return change;
}
