#include "tracer/U_TraceIndex.h"

#include <algorithm>

size_t qHash(const TTraceIndex::TKey& key, size_t seed) noexcept
{
    return qHashMulti(seed, key.name, key.title, key.date);
}

void TTraceIndex::Insert(int row, const TTraceCells& cells)
{
    const QString& name = cells[TraceColumn::procName];
    const QString& date = cells[TraceColumn::dateTrace];
    InsertRow(byProcess, TKey{name, QString(), date}, row);
    InsertRow(byTitle, TKey{name, cells[TraceColumn::winTitle], date}, row);
    ++rowsPerDate[date];
}

void TTraceIndex::Remove(int row, const TTraceCells& cells)
{
    const QString& name = cells[TraceColumn::procName];
    const QString& date = cells[TraceColumn::dateTrace];
    RemoveRow(byProcess, TKey{name, QString(), date}, row);
    RemoveRow(byTitle, TKey{name, cells[TraceColumn::winTitle], date}, row);
    const auto it = rowsPerDate.find(date);
    if (it != rowsPerDate.end() && --it.value() <= 0)
        rowsPerDate.erase(it);
}

void TTraceIndex::Clear()
{
    byProcess.clear();
    byTitle.clear();
    rowsPerDate.clear();
}

std::optional<int> TTraceIndex::FirstRow(const QString& name, const QString& dateText) const
{
    return First(byProcess, TKey{name, QString(), dateText});
}

std::optional<int> TTraceIndex::FirstRow(const QString& name, const QString& title,
                                         const QString& dateText) const
{
    return First(byTitle, TKey{name, title, dateText});
}

bool TTraceIndex::HasDate(const QString& dateText) const
{
    return rowsPerDate.contains(dateText);
}

void TTraceIndex::InsertRow(QHash<TKey, TRows>& hash, const TKey& key, int row)
{
    TRows& rows = hash[key];
    if (rows.empty() || rows.back() < row) {
        rows.push_back(row);
        return;
    }
    const auto at = std::lower_bound(rows.begin(), rows.end(), row);
    if (at == rows.end() || *at != row)
        rows.insert(at, row);
}

void TTraceIndex::RemoveRow(QHash<TKey, TRows>& hash, const TKey& key, int row)
{
    const auto it = hash.find(key);
    if (it == hash.end())
        return;
    TRows& rows = it.value();
    const auto at = std::lower_bound(rows.begin(), rows.end(), row);
    if (at != rows.end() && *at == row)
        rows.erase(at);
    if (rows.empty())
        hash.erase(it);
}

std::optional<int> TTraceIndex::First(const QHash<TKey, TRows>& hash, const TKey& key)
{
    const auto it = hash.constFind(key);
    if (it == hash.constEnd() || it->empty())
        return std::nullopt;
    return it->front();
}
