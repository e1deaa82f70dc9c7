#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include <array>

// The alarm list's rows as a grid shows them: date, time and one subject line each, a record
// taking one row per line of its subject.
class TAlarmRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kColumns = 3;
    using TRow = std::array<QString, kColumns>;

    using QAbstractTableModel::QAbstractTableModel;

    // The rows of one record line: its date, time and first subject line, then " - " rows for
    // the subject's further lines (stored after "|").
    static QList<TRow> RecordRows(const QString& line);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Typed text changes only the rows shown, never the file.
    void SetEditable(bool editable) { isEditable = editable; }
    // All rows replaced at once: one reset, however many rows.
    void SetRows(QList<TRow> newRows);
    // `placed` from row `at` on, with one empty row kept below the last filled one.
    void PlaceRows(int at, const QList<TRow>& placed);
    QString Cell(int column, int row) const;

private:
    QList<TRow> rows;
    bool isEditable = true;
};
