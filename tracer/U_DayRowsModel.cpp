#include "tracer/U_DayRowsModel.h"

#include "tracer/U_Journal.h"
#include "tracer/U_TraceGrid.h"

#include <algorithm>

TDayRowsModel::TDayRowsModel(const TTraceGrid& source, int first, int count, QObject* parent)
    : QAbstractTableModel(parent), grid(source), firstRow(first), rows(std::max(0, count))
{
    connect(&grid, &QAbstractItemModel::dataChanged, this, &TDayRowsModel::SourceChanged);
    // The grid only ever grows at its end, which leaves these rows where they are; should it
    // lose rows (a new tracer), the page empties rather than show rows that are gone.
    connect(&grid, &QAbstractItemModel::modelAboutToBeReset, this,
            &TDayRowsModel::SourceLosingRows);
    connect(&grid, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            &TDayRowsModel::SourceLosingRows);
    connect(&grid, &QAbstractItemModel::modelReset, this, &TDayRowsModel::endResetModel);
    connect(&grid, &QAbstractItemModel::rowsRemoved, this, &TDayRowsModel::endResetModel);
}

int TDayRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows;
}

int TDayRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : TraceColumn::count;
}

QVariant TDayRowsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = firstRow + index.row();
    if (row >= grid.rowCount())
        return {};
    const QString& text = grid.Cell(row, index.column());
    return index.column() == TraceColumn::winTitle ? FileNamePart(text) : text;
}

Qt::ItemFlags TDayRowsModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void TDayRowsModel::SourceChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    const int top = std::max(topLeft.row(), firstRow) - firstRow;
    const int bottom = std::min(bottomRight.row(), firstRow + rows - 1) - firstRow;
    if (top <= bottom)
        Q_EMIT dataChanged(index(top, topLeft.column()), index(bottom, bottomRight.column()));
}

void TDayRowsModel::SourceLosingRows()
{
    beginResetModel();
    rows = 0;
}
