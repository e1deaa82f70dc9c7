#pragma once

#include <QAbstractTableModel>

class TTraceGrid;

// A read-only window on a run of the trace grid's rows, as one journal page shows them: the
// titles reduced to their file-name part when asked, nothing copied.
class TDayRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    TDayRowsModel(const TTraceGrid& grid, int firstRow, int rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void SourceChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void SourceLosingRows();

    const TTraceGrid& grid;
    int firstRow;
    int rows;
};
