#pragma once

#include "tracer/U_TraceCells.h"
#include "tracer/U_TraceIndex.h"

#include <QAbstractTableModel>

#include <vector>

// The text of the trace grid, one row per used entry of the trace table; views show and
// edit it, the tracer writes it, and its index answers the tracer's searches.
class TTraceGrid : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TTraceGrid(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A user's edit: the text changes, the trace table does not, and `Modified` is set.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    const QString& Cell(int row, int column) const;
    const TTraceCells& Row(int row) const;
    // The tracer's own writes; they leave `Modified` alone.
    void SetCell(int row, int column, const QString& text);
    void SetRow(int row, TTraceCells cells);
    void AppendRows(std::vector<TTraceCells> rows);
    void Clear();

    const TTraceIndex& Index() const { return searchIndex; }

private:
    std::vector<TTraceCells> rows;
    TTraceIndex searchIndex{rows};
};

// The lines of the trace file for grid rows 0 to the last one, or from the last one up when
// `newestFirst`.
QString GridText(const TTraceGrid& grid, bool newestFirst);
