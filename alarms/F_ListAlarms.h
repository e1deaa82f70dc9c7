#pragma once

#include "core/F_ModWindowPos.h"
#include "core/U_Glb.h"
#include "core/U_WindowSkin.h"

#include <QList>
#include <QString>

class TSkinPanel;
class TStringGrid;
class TTransparentLabel;
class TAlarmRowsModel;

// The small skinned window listing alarms in a date / time / subject grid, one row per subject
// line; selecting a cell offers to remove the record shown when deletion is allowed.
class TfrmListAlarms : public TfrmModWindowPos
{
    Q_OBJECT
public:
    // Fills the grid from the alarm file (file mode).
    void LoadAlarmList();
    // Puts one record line into the grid from `row` on; returns the last row filled.
    int AddAlarmRows(const QString& line, int row);
    void ShowAlarmCount();
    void SetListColours(TColor back, TColor text, TColor title);
    void SetDeletionAllowed(bool allowed) { DeletionAllowed = allowed; }
    bool IsDeletionAllowed() const { return DeletionAllowed; }
    // Cells can be typed into (file mode) or not (fired mode); typed text stays in the grid.
    void SetCellsEditable(bool editable);
    // Removes the record shown in `row`.
    virtual void SuppresLigne(int column, int row) = 0;

    // The text of cell (column, row); empty outside the filled cells.
    QString Cell(int column, int row) const;
    int RowCount() const;
    // The 0-based position in the file of the record shown in `row` (file mode); -1 outside
    // the grid.
    int RecordOfRow(int row) const;

    TTransparentLabel* rxNoAlarm = nullptr;
    TTransparentLabel* rxAffNbrAlrm = nullptr;
    TStringGrid* grdListAlrm = nullptr;
    TSkinPanel* scrOutLstAlrm = nullptr;
    int AlarmCount = 0;

protected:
    // The list of the alarm file at `filePath`, owned by `owner`.
    TfrmListAlarms(const QString& filePath, QWidget* owner);
    void paintEvent(QPaintEvent* event) override;
    // The alarm file's lines for the list; false with `error` set when it cannot be read.
    virtual bool ReadAlarmLines(QStringList& lines, QString& error);

private:
    void CreateControls();
    void ReadAlarmFile();
    void grdListAlrmSelectCell(int column, int row);
    void scrOutLstAlrmClick();

    QString filePath;
    TAlarmRowsModel* model;
    // For every grid row, the file position of the record it shows.
    QList<int> rowMap;
    bool DeletionAllowed = false;
    TWindowSkin skin;
};
