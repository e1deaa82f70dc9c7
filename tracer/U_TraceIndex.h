#pragma once

#include "tracer/U_TraceCells.h"

#include <QHash>
#include <QString>
#include <QVarLengthArray>

#include <optional>
#include <vector>

// Finds the grid rows of an origin and day without walking the grid: the rows of each
// (process, date) in ascending order, filed under a hash of the two texts, and a hash of
// each row's title. Candidates are checked against the texts themselves.
class TTraceIndex
{
public:
    explicit TTraceIndex(const std::vector<TTraceCells>& rows);

    // Adds `row`, whose texts are in place; cheapest when `row` follows every row indexed.
    void Insert(int row);
    // Takes `row` out while its texts are still those it was indexed with.
    void Remove(int row);
    void Clear();

    std::optional<int> FirstRow(const QString& name, const QString& dateText) const;
    std::optional<int> FirstRow(const QString& name, const QString& title,
                                const QString& dateText) const;
    bool HasDate(const QString& dateText) const;

private:
    // Most keys hold one or two rows: those need no allocation of their own.
    using TRows = QVarLengthArray<int, 2>;

    std::optional<int> First(const QString& name, const QString& dateText,
                             const QString* title) const;

    const std::vector<TTraceCells>& rows;
    QHash<size_t, TRows> byProcess;
    std::vector<size_t> titleHashes;
    QHash<QString, int> rowsPerDate;
};
