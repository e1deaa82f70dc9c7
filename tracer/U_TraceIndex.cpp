#include "tracer/U_TraceIndex.h"

#include <algorithm>

namespace {
size_t ProcessKey(const QString& name, const QString& date)
{
    return qHashMulti(0, name, date);
}
} // namespace

TTraceIndex::TTraceIndex(const std::vector<TTraceCells>& rows) : rows(rows) {}

void TTraceIndex::Insert(int row)
{
    const TTraceCells& cells = rows[static_cast<std::size_t>(row)];
    const QString& date = cells[TraceColumn::dateTrace];
    TRows& list = byProcess[ProcessKey(cells[TraceColumn::procName], date)];
    if (list.empty() || list.back() < row)
        list.push_back(row);
    else if (const auto at = std::lower_bound(list.begin(), list.end(), row); *at != row)
        list.insert(at, row);
    const auto at = static_cast<std::size_t>(row);
    if (at >= titleHashes.size())
        titleHashes.resize(std::max(at + 1, rows.size()));
    titleHashes[at] = qHash(cells[TraceColumn::winTitle]);
    ++rowsPerDate[date];
}

void TTraceIndex::Remove(int row)
{
    const TTraceCells& cells = rows[static_cast<std::size_t>(row)];
    const QString& date = cells[TraceColumn::dateTrace];
    const auto it = byProcess.find(ProcessKey(cells[TraceColumn::procName], date));
    if (it != byProcess.end()) {
        TRows& list = it.value();
        const auto at = std::lower_bound(list.begin(), list.end(), row);
        if (at != list.end() && *at == row)
            list.erase(at);
        if (list.empty())
            byProcess.erase(it);
    }
    const auto dateCount = rowsPerDate.find(date);
    if (dateCount != rowsPerDate.end() && --dateCount.value() <= 0)
        rowsPerDate.erase(dateCount);
}

void TTraceIndex::Clear()
{
    byProcess.clear();
    titleHashes.clear();
    rowsPerDate.clear();
}

std::optional<int> TTraceIndex::FirstRow(const QString& name, const QString& dateText) const
{
    return First(name, dateText, nullptr);
}

std::optional<int> TTraceIndex::FirstRow(const QString& name, const QString& title,
                                         const QString& dateText) const
{
    return First(name, dateText, &title);
}

bool TTraceIndex::HasDate(const QString& dateText) const
{
    return rowsPerDate.contains(dateText);
}

// Rows of other texts with the same hashes are passed over: the first row that really
// matches is the answer.
std::optional<int> TTraceIndex::First(const QString& name, const QString& dateText,
                                      const QString* title) const
{
    const auto it = byProcess.constFind(ProcessKey(name, dateText));
    if (it == byProcess.constEnd())
        return std::nullopt;
    const size_t titleHash = title ? qHash(*title) : 0;
    for (const int row : it.value()) {
        const auto at = static_cast<std::size_t>(row);
        const TTraceCells& cells = rows[at];
        if (title && (titleHashes[at] != titleHash || cells[TraceColumn::winTitle] != *title))
            continue;
        if (cells[TraceColumn::procName] == name && cells[TraceColumn::dateTrace] == dateText)
            return row;
    }
    return std::nullopt;
}
