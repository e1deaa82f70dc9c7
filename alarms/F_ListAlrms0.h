#pragma once

#include "alarms/F_ListAlarms.h"
#include "core/U_Glb.h"

class TAlarms;

// The alarm list as opened by the program: its removals go through the alarms component.
class TfrmListAlrms0 : public TfrmListAlarms
{
    Q_OBJECT
public:
    TfrmListAlrms0(TAlarms& alarms, QWidget* owner);

    // Removes the record of `row` from the file; on success the window closes with 2.
    void SuppresLigne(int column, int row) override;

protected:
    bool ReadAlarmLines(QStringList& lines, QString& error) override;

private:
    TAlarms& alarms;
};

// The fired alarms announced, then listed without removal, modally; they are forgotten
// afterwards. The caller hides its alarm picture and repaints itself.
void ShowFiredAlarms(TAlarms& alarms, QWidget* mainWindow, TColor textBack, TColor text,
                     TColor title);
