#include "alarms/U_AlarmRowsModel.h"

#include "core/U_Glb.h"

#include <algorithm>

namespace {
const QString kContinuation = QStringLiteral(" - ");
} // namespace

QList<TAlarmRowsModel::TRow> TAlarmRowsModel::RecordRows(const QString& line)
{
    const QStringList fields = SplitFields(line, QStringLiteral(";"), 3);
    const QStringList subjectLines = fields[2].split(u'|');
    QList<TRow> result;
    result.reserve(subjectLines.size());
    result.append({fields[0], fields[1], subjectLines.first()});
    for (qsizetype part = 1; part < subjectLines.size(); ++part)
        result.append({kContinuation, kContinuation, subjectLines[part]});
    return result;
}

int TAlarmRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int TAlarmRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant TAlarmRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return rows.at(index.row()).at(static_cast<size_t>(index.column()));
}

bool TAlarmRowsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !isEditable)
        return false;
    rows[index.row()][static_cast<size_t>(index.column())] = value.toString();
    Q_EMIT dataChanged(index, index);
    return true;
}

Qt::ItemFlags TAlarmRowsModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return isEditable ? base | Qt::ItemIsEditable : base;
}

void TAlarmRowsModel::SetRows(QList<TRow> newRows)
{
    beginResetModel();
    rows = std::move(newRows);
    endResetModel();
}

void TAlarmRowsModel::PlaceRows(int at, const QList<TRow>& placed)
{
    if (at < 0 || placed.isEmpty())
        return;
    const int count = static_cast<int>(placed.size());
    const int needed = at + count + 1;
    if (rows.size() < needed) {
        beginInsertRows({}, static_cast<int>(rows.size()), needed - 1);
        rows.resize(needed);
        endInsertRows();
    }
    std::copy(placed.begin(), placed.end(), rows.begin() + at);
    Q_EMIT dataChanged(index(at, 0), index(at + count - 1, kColumns - 1));
}

QString TAlarmRowsModel::Cell(int column, int row) const
{
    if (row < 0 || row >= rows.size() || column < 0 || column >= kColumns)
        return {};
    return rows.at(row).at(static_cast<size_t>(column));
}
