#pragma once

#include "tracer/U_TraceCells.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

// Finds the grid rows of an origin and day without walking the grid: the rows of each
// (process, date) and of each (process, title, date), in ascending order.
class TTraceIndex
{
public:
    // Adds `row` with the texts of `cells`; cheapest when `row` follows every row indexed.
    void Insert(int row, const TTraceCells& cells);
    // Takes `row` out; `cells` must be the texts it was indexed with.
    void Remove(int row, const TTraceCells& cells);
    void Clear();

    std::optional<int> FirstRow(const QString& name, const QString& dateText) const;
    std::optional<int> FirstRow(const QString& name, const QString& title,
                                const QString& dateText) const;
    bool HasDate(const QString& dateText) const;

private:
    struct TKey
    {
        QString name;
        QString title;
        QString date;
        bool operator==(const TKey&) const = default;
    };
    friend size_t qHash(const TKey& key, size_t seed) noexcept;
    using TRows = std::vector<int>;

    static void InsertRow(QHash<TKey, TRows>& hash, const TKey& key, int row);
    static void RemoveRow(QHash<TKey, TRows>& hash, const TKey& key, int row);
    static std::optional<int> First(const QHash<TKey, TRows>& hash, const TKey& key);

    QHash<TKey, TRows> byProcess;
    QHash<TKey, TRows> byTitle;
    QHash<QString, int> rowsPerDate;
};
