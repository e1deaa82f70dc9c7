#include "tracer/U_TraceGrid.h"

#include "core/U_Glb.h"
#include "tracer/U_TraceLine.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {
const std::array<QString, TraceColumn::count> kCaptions = {QStringLiteral("Processus"),
                                                           QStringLiteral("Titre"),
                                                           QStringLiteral("Date"),
                                                           QStringLiteral("Origine"),
                                                           QStringLiteral("Dernière\r\nreprise"),
                                                           QStringLiteral("Dernière\r\nsortie"),
                                                           QStringLiteral("Durée")};

bool IsIndexed(int column)
{
    return column == TraceColumn::procName || column == TraceColumn::winTitle ||
           column == TraceColumn::dateTrace;
}
} // namespace

TTraceGrid::TTraceGrid(QObject* parent) : QAbstractTableModel(parent) {}

int TTraceGrid::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int TTraceGrid::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : TraceColumn::count;
}

QVariant TTraceGrid::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return Cell(index.row(), index.column());
}

QVariant TTraceGrid::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section < TraceColumn::count ? kCaptions[static_cast<std::size_t>(section)] : QVariant();
}

Qt::ItemFlags TTraceGrid::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool TTraceGrid::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    // Typed text follows the same rules as the tracer's own, so that the file keeps its fields.
    const QString text = TraceLine::CleanCell(value.toString());
    if (text == Cell(index.row(), index.column()))
        return true;
    SetCell(index.row(), index.column(), text);
    Glb().Modified = true;
    return true;
}

const QString& TTraceGrid::Cell(int row, int column) const
{
    return Row(row).at(static_cast<std::size_t>(column));
}

const TTraceCells& TTraceGrid::Row(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        throw std::out_of_range("Grid row " + std::to_string(row));
    return rows[static_cast<std::size_t>(row)];
}

void TTraceGrid::SetCell(int row, int column, const QString& text)
{
    TTraceCells cells = Row(row);
    cells.at(static_cast<std::size_t>(column)) = text;
    if (IsIndexed(column)) {
        SetRow(row, std::move(cells));
        return;
    }
    rows[static_cast<std::size_t>(row)] = std::move(cells);
    const QModelIndex at = createIndex(row, column);
    Q_EMIT dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
}

void TTraceGrid::SetRow(int row, TTraceCells cells)
{
    if (row == rowCount()) {
        AppendRows({std::move(cells)});
        return;
    }
    TTraceCells& target = rows.at(static_cast<std::size_t>(row));
    searchIndex.Remove(row);
    target = std::move(cells);
    searchIndex.Insert(row);
    Q_EMIT dataChanged(createIndex(row, 0), createIndex(row, TraceColumn::count - 1),
                       {Qt::DisplayRole, Qt::EditRole});
}

void TTraceGrid::AppendRows(std::vector<TTraceCells> added)
{
    if (added.empty())
        return;
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(added.size()) - 1);
    // Growth stays geometric, so that appending one row at a time never copies every row.
    if (rows.size() + added.size() > rows.capacity())
        rows.reserve(std::max(rows.size() + added.size(), rows.capacity() * 2));
    if (rows.empty())
        rows = std::move(added);
    else
        std::move(added.begin(), added.end(), std::back_inserter(rows));
    for (int row = first; row < rowCount(); ++row)
        searchIndex.Insert(row);
    endInsertRows();
}

void TTraceGrid::Clear()
{
    beginResetModel();
    rows.clear();
    searchIndex.Clear();
    endResetModel();
}

QString GridText(const TTraceGrid& grid, bool newestFirst)
{
    const int count = grid.rowCount();
    qsizetype size = 0;
    for (int row = 0; row < count; ++row)
        size += TraceLine::RowSizeAtMost(grid.Row(row));
    QString text(size, Qt::Uninitialized);
    QChar* const begin = text.data();
    QChar* out = begin;
    for (int i = 0; i < count; ++i)
        out = TraceLine::WriteRow(out, grid.Row(newestFirst ? count - 1 - i : i));
    text.truncate(out - begin);
    return text;
}
