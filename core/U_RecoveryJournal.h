#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <utility>
#include <vector>

// The recovery journal's records: what the notes and the trace hold beyond their saved files,
// written as whole, checked records that a torn end cannot make wrong.
namespace RecoveryJournal {

// A list of lines or rows known by its length and a checksum of its content.
struct TStamp
{
    qint32 count = 0;
    quint64 sum = 0;
    bool operator==(const TStamp&) const = default;
};

// Builds a stamp item by item (a line, or a row of cells): the same texts in the same order
// give the same stamp from one run to the next.
class TStampBuilder
{
public:
    void Add(QStringView text);
    void EndItem();
    TStamp Stamp() const { return {count, sum}; }

private:
    void Mix(quint64 value);

    qint32 count = 0;
    quint64 sum = 14695981039346656037ULL;
};

TStamp StampOfLines(const QStringList& lines);
TStamp StampOfRows(const std::vector<QStringList>& rows);
// A line's checksum, for telling changed lines from kept ones.
quint64 LineSum(QStringView line);

// What the journal's changes start from: the saved notes file and trace file as loaded.
struct TBase
{
    QString notesPath;
    TStamp notes;
    TStamp trace;
};

// Lines [prefix, count - suffix) of the previous lines replaced by `lines`.
struct TLinesChange
{
    qint32 prefix = 0;
    qint32 suffix = 0;
    QStringList lines;
};

// The trace now has `rowCount` rows; the rows given replace those of the same index.
struct TRowsChange
{
    qint32 rowCount = 0;
    std::vector<std::pair<qint32, QStringList>> rows;
};

struct TChange
{
    std::optional<TLinesChange> notes;
    std::optional<TRowsChange> trace;
};

QByteArray EncodeBase(const TBase& base);
QByteArray EncodeChange(const TChange& change);
// Written just before a save: when the save's files then no longer match the base, they hold
// what the journal held.
QByteArray EncodeSaving();

// The journal as read: its base, then its changes in order. Reading stops at the first record
// that is not whole or not right, which is then `torn`.
struct TContent
{
    std::optional<TBase> base;
    std::vector<TChange> changes;
    bool savingLast = false;
    bool torn = false;
};

TContent Decode(const QByteArray& bytes);

// The smallest change turning the lines whose sums are `before` into `after`.
TLinesChange DiffLines(const std::vector<quint64>& before, const QStringList& after,
                       const std::vector<quint64>& afterSums);
// False, leaving `lines` as they were, when the change does not fit them.
bool ApplyLines(QStringList& lines, const TLinesChange& change);
bool ApplyRows(std::vector<QStringList>& rows, const TRowsChange& change);

// What a journal brings back to one of the two files.
enum class TOutcome
{
    Nothing,      // no change, or changes that undo each other
    Recovered,    // changes on the very file they were made from
    AlreadySaved, // the file changed by the save the journal was written before
    Mismatch      // the file is not the one the changes were made from
};

struct TReplay
{
    TOutcome notes = TOutcome::Nothing;
    TOutcome trace = TOutcome::Nothing;
    QStringList notesLines;
    std::vector<QStringList> traceRows;
};

// The notes and trace as they were when the journal was last written, from the files' present
// lines and rows: each part only when those are still the ones its changes were made from.
TReplay Replay(const TContent& content, const QString& notesPath, const QStringList& notesLines,
               const std::vector<QStringList>& traceRows);

} // namespace RecoveryJournal
