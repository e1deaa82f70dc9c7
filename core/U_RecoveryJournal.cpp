#include "core/U_RecoveryJournal.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>
#include <array>

namespace RecoveryJournal {
namespace {
// A record: magic, payload length, CRC-32 of the payload, payload (a QDataStream).
constexpr char kMagic[4] = {'T', 'r', 'j', '1'};
constexpr qsizetype kHeaderSize = 12;
// A garbled length must not make the reader allocate without end.
constexpr quint32 kMaxPayload = 512U * 1024U * 1024U;
constexpr auto kStreamVersion = QDataStream::Qt_6_0;

enum class TKind : quint8
{
    Base = 1,
    Change = 2,
    Saving = 3
};

std::array<quint32, 256> CrcTable()
{
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1U) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

quint32 Crc32(const char* data, qsizetype size)
{
    static const std::array<quint32, 256> table = CrcTable();
    quint32 crc = 0xFFFFFFFFU;
    for (qsizetype i = 0; i < size; ++i)
        crc = table[(crc ^ static_cast<quint8>(data[i])) & 0xFFU] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFU;
}

void PutU32(QByteArray& bytes, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(static_cast<char>((value >> shift) & 0xFFU));
}

quint32 GetU32(const char* at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(at[i]);
    return value;
}

QByteArray Frame(const QByteArray& payload)
{
    QByteArray record(kMagic, sizeof kMagic);
    PutU32(record, static_cast<quint32>(payload.size()));
    PutU32(record, Crc32(payload.constData(), payload.size()));
    return record + payload;
}

template <typename Write> QByteArray Payload(TKind kind, Write write)
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << static_cast<quint8>(kind);
    write(out);
    return payload;
}

QDataStream& operator<<(QDataStream& out, const TStamp& stamp)
{
    return out << stamp.count << stamp.sum;
}

QDataStream& operator>>(QDataStream& in, TStamp& stamp)
{
    return in >> stamp.count >> stamp.sum;
}

bool ReadChange(QDataStream& in, TChange& change)
{
    bool hasNotes = false;
    bool hasTrace = false;
    in >> hasNotes;
    if (hasNotes) {
        TLinesChange notes;
        in >> notes.prefix >> notes.suffix >> notes.lines;
        change.notes = std::move(notes);
    }
    in >> hasTrace;
    if (hasTrace) {
        TRowsChange trace;
        qint32 rows = 0;
        in >> trace.rowCount >> rows;
        for (qint32 i = 0; i < rows && in.status() == QDataStream::Ok; ++i) {
            std::pair<qint32, QStringList> row;
            in >> row.first >> row.second;
            trace.rows.push_back(std::move(row));
        }
        change.trace = std::move(trace);
    }
    return in.status() == QDataStream::Ok;
}

// Applies one whole record to `content`; false when its payload does not read as one.
bool ReadRecord(const QByteArray& payload, TContent& content)
{
    QDataStream in(payload);
    in.setVersion(kStreamVersion);
    quint8 kind = 0;
    in >> kind;
    if (static_cast<TKind>(kind) == TKind::Base) {
        TBase base;
        in >> base.notesPath >> base.notes >> base.trace;
        if (in.status() != QDataStream::Ok || content.base)
            return false;
        content.base = std::move(base);
    } else if (static_cast<TKind>(kind) == TKind::Change) {
        TChange change;
        if (!content.base || !ReadChange(in, change))
            return false;
        content.changes.push_back(std::move(change));
    } else if (static_cast<TKind>(kind) != TKind::Saving || !content.base) {
        return false;
    }
    content.savingLast = static_cast<TKind>(kind) == TKind::Saving;
    return in.atEnd();
}
} // namespace

void TStampBuilder::Mix(quint64 value)
{
    // FNV-1a over 16-bit units: fixed, so stamps agree between runs.
    sum = (sum ^ value) * 1099511628211ULL;
}

void TStampBuilder::Add(QStringView text)
{
    Mix(static_cast<quint64>(text.size()) + 0x10000U);
    for (const QChar c : text)
        Mix(c.unicode());
}

void TStampBuilder::EndItem()
{
    Mix(0x20000U);
    ++count;
}

TStamp StampOfLines(const QStringList& lines)
{
    TStampBuilder builder;
    for (const QString& line : lines) {
        builder.Add(line);
        builder.EndItem();
    }
    return builder.Stamp();
}

TStamp StampOfRows(const std::vector<QStringList>& rows)
{
    TStampBuilder builder;
    for (const QStringList& row : rows) {
        for (const QString& cell : row)
            builder.Add(cell);
        builder.EndItem();
    }
    return builder.Stamp();
}

quint64 LineSum(QStringView line)
{
    TStampBuilder builder;
    builder.Add(line);
    return builder.Stamp().sum;
}

QByteArray EncodeBase(const TBase& base)
{
    return Frame(Payload(TKind::Base, [&base](QDataStream& out) {
        out << base.notesPath << base.notes << base.trace;
    }));
}

QByteArray EncodeChange(const TChange& change)
{
    return Frame(Payload(TKind::Change, [&change](QDataStream& out) {
        out << change.notes.has_value();
        if (change.notes)
            out << change.notes->prefix << change.notes->suffix << change.notes->lines;
        out << change.trace.has_value();
        if (!change.trace)
            return;
        out << change.trace->rowCount << static_cast<qint32>(change.trace->rows.size());
        for (const auto& [index, cells] : change.trace->rows)
            out << index << cells;
    }));
}

QByteArray EncodeSaving()
{
    return Frame(Payload(TKind::Saving, [](QDataStream&) {}));
}

TContent Decode(const QByteArray& bytes)
{
    TContent content;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype left = bytes.size() - at;
        const char* record = bytes.constData() + at;
        const quint32 length = left >= kHeaderSize ? GetU32(record + 4) : 0;
        if (left < kHeaderSize || !std::equal(kMagic, kMagic + 4, record) || length > kMaxPayload ||
            length > left - kHeaderSize ||
            Crc32(record + kHeaderSize, length) != GetU32(record + 8) ||
            !ReadRecord(bytes.mid(at + kHeaderSize, length), content)) {
            content.torn = true;
            break;
        }
        at += kHeaderSize + length;
    }
    return content;
}

TLinesChange DiffLines(const std::vector<quint64>& before, const QStringList& after,
                       const std::vector<quint64>& afterSums)
{
    const auto oldCount = static_cast<qint32>(before.size());
    const auto newCount = static_cast<qint32>(afterSums.size());
    qint32 prefix = 0;
    while (prefix < oldCount && prefix < newCount && before[prefix] == afterSums[prefix])
        ++prefix;
    qint32 suffix = 0;
    while (suffix < oldCount - prefix && suffix < newCount - prefix &&
           before[oldCount - 1 - suffix] == afterSums[newCount - 1 - suffix])
        ++suffix;
    return {prefix, suffix, after.mid(prefix, newCount - prefix - suffix)};
}

bool ApplyLines(QStringList& lines, const TLinesChange& change)
{
    const auto count = static_cast<qint32>(lines.size());
    if (change.prefix < 0 || change.suffix < 0 || change.prefix > count - change.suffix)
        return false;
    QStringList result = lines.mid(0, change.prefix);
    result += change.lines;
    result += lines.mid(count - change.suffix);
    lines = std::move(result);
    return true;
}

namespace {
// Folds every change of one part over `value`, whose stamp must be the base's.
template <typename T, typename Part, typename Apply>
TOutcome Fold(const TContent& content, bool sameBase, T& value, Part part, Apply apply)
{
    const auto has = [part](const TChange& change) {
        return (change.*part).has_value();
    };
    if (std::none_of(content.changes.begin(), content.changes.end(), has))
        return TOutcome::Nothing;
    if (!sameBase)
        return content.savingLast ? TOutcome::AlreadySaved : TOutcome::Mismatch;
    T folded = value;
    for (const TChange& change : content.changes)
        if ((change.*part) && !apply(folded, *(change.*part)))
            return TOutcome::Mismatch;
    if (folded == value)
        return TOutcome::Nothing;
    value = std::move(folded);
    return TOutcome::Recovered;
}
} // namespace

TReplay Replay(const TContent& content, const QString& notesPath, const QStringList& notesLines,
               const std::vector<QStringList>& traceRows)
{
    TReplay replay;
    if (!content.base)
        return replay;
    replay.notesLines = notesLines;
    replay.traceRows = traceRows;
    const bool sameNotes =
        content.base->notesPath == notesPath && StampOfLines(notesLines) == content.base->notes;
    replay.notes = Fold(
        content, sameNotes, replay.notesLines, &TChange::notes,
        [](QStringList& lines, const TLinesChange& change) { return ApplyLines(lines, change); });
    replay.trace =
        Fold(content, StampOfRows(traceRows) == content.base->trace, replay.traceRows,
             &TChange::trace, [](std::vector<QStringList>& rows, const TRowsChange& change) {
                 return ApplyRows(rows, change);
             });
    return replay;
}

bool ApplyRows(std::vector<QStringList>& rows, const TRowsChange& change)
{
    if (change.rowCount < 0)
        return false;
    std::vector<QStringList> result = rows;
    const std::size_t kept = std::min(result.size(), static_cast<std::size_t>(change.rowCount));
    result.resize(static_cast<std::size_t>(change.rowCount));
    std::vector<bool> given(result.size() - kept, false);
    for (const auto& [index, cells] : change.rows) {
        if (index < 0 || index >= change.rowCount)
            return false;
        result[static_cast<std::size_t>(index)] = cells;
        if (static_cast<std::size_t>(index) >= kept)
            given[static_cast<std::size_t>(index) - kept] = true;
    }
    // A row the trace gained must come with its cells.
    if (std::find(given.begin(), given.end(), false) != given.end())
        return false;
    rows = std::move(result);
    return true;
}

} // namespace RecoveryJournal
