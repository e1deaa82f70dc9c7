#include "tracer/U_TraceReader.h"

#include "tracer/U_TraceLine.h"

#include <algorithm>
#include <array>

namespace {
using TFieldViews = std::array<QStringView, TraceColumn::count>;

// Cuts the line starting at `from` by SplitFields' rule: six cuts at the first ";" left,
// the rest as the seventh field, the fields a short line lacks empty. Returns where the
// line ends: at its CR or LF, or at the end of the text. One pass over the characters.
qsizetype CutLine(QStringView text, qsizetype from, TFieldViews& fields)
{
    fields = {};
    std::size_t field = 0;
    qsizetype start = from;
    qsizetype i = from;
    // One well-predicted test per character for the three that matter.
    constexpr quint64 kStops = (1ULL << u'\n') | (1ULL << u'\r') | (1ULL << u';');
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 64 || !(kStops & (1ULL << c)))
            continue;
        if (c != u';')
            break;
        if (field + 1 < fields.size()) {
            fields[field++] = text.mid(start, i - start);
            start = i + 1;
        }
    }
    fields[field] = text.mid(start, i - start);
    return i;
}
} // namespace

bool TTraceReader::Read(QStringView text)
{
    const qsizetype n = text.size();
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n') + 1);
    procs.reserve(lines);
    rows.reserve(lines);
    bool allRead = true;
    TFieldViews fields;
    for (qsizetype i = 0; i < n;) {
        const qsizetype end = CutLine(text, i, fields);
        if (end > i)
            allRead = ReadFields(fields) && allRead;
        const bool crLf = end + 1 < n && text[end] == u'\r' && text[end + 1] == u'\n';
        i = end + (crLf ? 2 : 1);
    }
    return allRead;
}

bool TTraceReader::ReadFields(std::array<QStringView, TraceColumn::count>& fields)
{
    for (QStringView& field : fields)
        field = TraceLine::Unprotect(field);
    const auto date = TextToDate(fields[TraceColumn::dateTrace]);
    std::array<int, 4> seconds{};
    for (std::size_t i = 0; i < seconds.size(); ++i) {
        const auto read = TextToSeconds(fields[TraceColumn::heureOrigine + i]);
        if (!read)
            return false;
        seconds[i] = *read;
    }
    if (!date)
        return false;
    TTraceCells cells = {SharedName(fields[TraceColumn::procName]),
                         fields[TraceColumn::winTitle].toString(),
                         SharedDate(fields[TraceColumn::dateTrace], *date),
                         SharedTime(fields[TraceColumn::heureOrigine], seconds[0]),
                         SharedTime(fields[TraceColumn::heureDEB], seconds[1]),
                         SharedTime(fields[TraceColumn::heureFIN], seconds[2]),
                         SharedTime(fields[TraceColumn::duree], seconds[3])};
    procs.push_back(TTraceProc{cells[TraceColumn::procName], cells[TraceColumn::winTitle], *date,
                               TimeFromSeconds(seconds[0]), TimeFromSeconds(seconds[1]),
                               TimeFromSeconds(seconds[2]), TimeFromSeconds(seconds[3])});
    rows.push_back(std::move(cells));
    return true;
}

QString TTraceReader::SharedName(QStringView text)
{
    const auto it = names.constFind(text);
    if (it != names.constEnd())
        return it.value();
    QString stored = text.toString();
    names.insert(QStringView(stored), stored);
    return stored;
}

QString TTraceReader::SharedDate(QStringView text, TDateTime day)
{
    QString& stored = dates[static_cast<qint64>(day)];
    if (stored.isNull())
        stored = text.toString();
    return stored;
}

QString TTraceReader::SharedTime(QStringView text, int seconds)
{
    if (times.empty())
        times.resize(kSecondsPerDay);
    QString& stored = times[static_cast<std::size_t>(seconds)];
    if (stored.isNull())
        stored = text.toString();
    return stored;
}
