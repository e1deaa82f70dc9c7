#include "app/U_RecoveryOffer.h"

#include "app/U_RecoveryRecorder.h"
#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "core/U_RecoveryJournal.h"
#include "core/U_TextCodec.h"
#include "core/U_TextFile.h"
#include "notes/U_NotesPad.h"
#include "notes/U_NotesText.h"
#include "tracer/U_TraceData.h"
#include "tracer/U_TraceLine.h"
#include "tracer/U_TraceReader.h"

#include <QFile>

#include <memory>

using namespace RecoveryJournal;

namespace {
const QString kQuestion = QStringLiteral("Récupérer les notes et traces non enregistrées ?");

std::vector<QStringList> GridRows(const TTraceGrid& grid)
{
    std::vector<QStringList> rows;
    rows.reserve(static_cast<std::size_t>(grid.rowCount()));
    for (int row = 0; row < grid.rowCount(); ++row)
        rows.emplace_back(grid.Row(row).begin(), grid.Row(row).end());
    return rows;
}

QString Count(qsizetype n, const QString& what)
{
    return QString::number(n) + u' ' + what + (n > 1 ? QStringLiteral("s") : QString());
}

// The pad with the file's lines replaced by the recovered ones. The day lines this start's
// load added after them go when the recovered lines already begin that day.
QStringList RecoveredPad(const TNotesPad& notes, const TRecoveryRecorder& recorder,
                         const QStringList& lines)
{
    const QStringList pad = notes.Lines();
    const int first = recorder.NotesBaseFirst();
    QStringList after = pad.mid(first + recorder.NotesBaseCount());
    if (after.size() == 3 && after[0] == NotesText::DaySeparator() &&
        after[2] == NotesText::Rule() &&
        !NotesText::IsNewDay(NotesText::LastHeader(TextCodec::JoinLines(lines)), after[1]))
        after.clear();
    return pad.mid(0, first) + lines + after;
}

// Only the lines that differ are replaced: a large pad is not put in again whole.
void PutNotesBack(TNotesPad& notes, const QStringList& pad)
{
    const QStringList now = notes.Lines();
    qsizetype same = 0;
    while (same < now.size() && same < pad.size() && now[same] == pad[same])
        ++same;
    qsizetype sameAfter = 0;
    while (sameAfter < now.size() - same && sameAfter < pad.size() - same &&
           now[now.size() - 1 - sameAfter] == pad[pad.size() - 1 - sameAfter])
        ++sameAfter;
    notes.ReplaceLines(static_cast<int>(same), static_cast<int>(now.size() - same - sameAfter),
                       pad.mid(same, pad.size() - same - sameAfter));
}

// A row as the trace table holds it; a row whose texts were edited past reading keeps its
// texts, with only its process and title as entry.
TTraceProc ProcOf(const QStringList& cells)
{
    QStringList protectedCells;
    for (const QString& cell : cells)
        protectedCells.append(TraceLine::Protect(cell));
    TTraceReader reader;
    if (reader.Read(protectedCells.join(u';')) && reader.procs.size() == 1)
        return reader.procs.front();
    TTraceProc proc;
    proc.procName = cells.value(0);
    proc.winTitle = cells.value(1);
    return proc;
}

qsizetype PutTraceBack(TTraceData& trace, const std::vector<QStringList>& rows)
{
    qsizetype changed = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        if (rows[i].size() != TraceColumn::count)
            continue;
        TTraceCells cells;
        std::copy(rows[i].begin(), rows[i].end(), cells.begin());
        if (row < trace.grid.rowCount() && trace.grid.Row(row) == cells)
            continue;
        ++changed;
        trace.table.AddProc(row, ProcOf(rows[i]));
        trace.grid.SetRow(row, std::move(cells));
    }
    return changed;
}

QString Found(const TReplay& replay, const QStringList& notesBase,
              const std::vector<QStringList>& traceBase)
{
    QStringList parts;
    if (replay.notes == TOutcome::Recovered) {
        std::vector<quint64> sums;
        for (const QString& line : notesBase)
            sums.push_back(LineSum(line));
        std::vector<quint64> after;
        for (const QString& line : replay.notesLines)
            after.push_back(LineSum(line));
        const qsizetype n = DiffLines(sums, replay.notesLines, after).lines.size();
        parts.append(n > 0 ? Count(n, QStringLiteral("ligne")) + QStringLiteral(" de notes")
                           : QStringLiteral("des lignes de notes effacées"));
    }
    if (replay.trace == TOutcome::Recovered) {
        qsizetype n = 0;
        for (std::size_t i = 0; i < replay.traceRows.size(); ++i)
            n += i >= traceBase.size() || replay.traceRows[i] != traceBase[i] ? 1 : 0;
        parts.append(Count(n, QStringLiteral("ligne")) + QStringLiteral(" de trace"));
    }
    const bool one = parts.size() == 1 && parts[0].startsWith(QStringLiteral("1 "));
    return QStringLiteral("Tarvelle ne s'est pas fermé normalement : ") +
           parts.join(QStringLiteral(" et ")) +
           (one ? QStringLiteral(" n'était pas enregistrée.")
                : QStringLiteral(" n'étaient pas enregistrées."));
}

void TellKept(const QString& why, const QString& kept)
{
    ShowPlainMessage(why + (kept.isEmpty() ? QStringLiteral(" Le fichier de récupération n'a pas "
                                                            "pu être mis de côté.")
                                           : QStringLiteral(" Il est conservé sous ") + kept));
}

void Offer(const TRecoveryRecorder& recorder, const QString& found, TNotesPad& notes,
           TTraceData& trace)
{
    QByteArray bytes;
    TextFile::ReadBytes(found, bytes);
    const TContent content = Decode(bytes);
    if (!content.base) {
        TellKept(QStringLiteral("Le fichier de récupération ") + found +
                     QStringLiteral(" est illisible."),
                 recorder.File().KeepAside(found));
        return;
    }
    const QStringList notesBase =
        notes.Lines().mid(recorder.NotesBaseFirst(), recorder.NotesBaseCount());
    const std::vector<QStringList> traceBase = GridRows(trace.grid);
    TReplay replay = Replay(content, notes.NotesFilePath(), notesBase, traceBase);
    const QStringList pad = replay.notes == TOutcome::Recovered
                                ? RecoveredPad(notes, recorder, replay.notesLines)
                                : QStringList();
    // Only the day lines this start added again: nothing is lost.
    if (replay.notes == TOutcome::Recovered && pad == notes.Lines())
        replay.notes = TOutcome::Nothing;
    const bool mismatch = replay.notes == TOutcome::Mismatch || replay.trace == TOutcome::Mismatch;
    const QString mismatchText =
        QStringLiteral("Les notes ou la trace non enregistrées ne correspondent plus aux "
                       "fichiers enregistrés depuis.");
    if (replay.notes != TOutcome::Recovered && replay.trace != TOutcome::Recovered) {
        if (mismatch)
            TellKept(mismatchText, recorder.File().KeepAside(found));
        return;
    }
    if (AskQuestion(Found(replay, notesBase, traceBase) + u'\n' + kQuestion, 0x000000, 0xFFFFFF, 0,
                    10, 330, 90, QStringLiteral("    O K    "), QStringLiteral("Non !!")) != 1) {
        TellKept(QStringLiteral("Les notes et traces non enregistrées ne sont pas récupérées."),
                 recorder.File().KeepAside(found));
        return;
    }
    if (mismatch)
        TellKept(mismatchText, recorder.File().KeepAside(found));
    if (replay.notes == TOutcome::Recovered)
        PutNotesBack(notes, pad);
    if (replay.trace == TOutcome::Recovered)
        PutTraceBack(trace, replay.traceRows);
    Glb().Modified = true;
}
} // namespace

void OfferRecovery(TRecoveryRecorder& recorder, TNotesPad& notes, TTraceData& trace)
{
    // The journal's lines replace the file's: a large file must be all in the pad first.
    if (notes.Loading()) {
        auto once = std::make_shared<QMetaObject::Connection>();
        *once = QObject::connect(&notes, &TNotesPad::FileLoaded, &recorder,
                                 [&recorder, &notes, &trace, once]() {
                                     QObject::disconnect(*once);
                                     OfferRecovery(recorder, notes, trace);
                                 });
        return;
    }
    recorder.File().RemoveTemporaries();
    const QString found = recorder.File().Found();
    if (!found.isEmpty())
        Offer(recorder, found, notes, trace);
    recorder.Arm();
}
