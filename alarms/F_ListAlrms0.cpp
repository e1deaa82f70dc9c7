#include "alarms/F_ListAlrms0.h"

#include "alarms/U_Alarms.h"
#include "core/F_Glb.h"
#include "core/U_Dialogs.h"

#include <memory>

TfrmListAlrms0::TfrmListAlrms0(TAlarms& alarms, QWidget* owner)
    : TfrmListAlarms(alarms.FilePath(), owner), alarms(alarms)
{
}

void TfrmListAlrms0::SuppresLigne(int column, int row)
{
    Q_UNUSED(column);
    const int position = RecordOfRow(row);
    if (position >= 0 && alarms.RemoveAlarmRecord(position))
        SetModalResult(2);
}

// Read through the component, which removes records by their place in what the list shows.
bool TfrmListAlrms0::ReadAlarmLines(QStringList& lines, QString& error)
{
    return alarms.ReadListedAlarms(lines, &error);
}

void ShowFiredAlarms(TAlarms& alarms, QWidget* mainWindow, TColor textBack, TColor text,
                     TColor title)
{
    const QStringList shown = alarms.FiredAlarms();
    if (!shown.isEmpty())
        ShowMessageWindow(shown.first().mid(20, 20), 0x0000FF, 0, 2000, 32, 0, 70);
    auto list = std::make_unique<TfrmListAlrms0>(alarms, mainWindow);
    list->SetDeletionAllowed(false);
    list->SetCellsEditable(false);
    list->AlarmCount = 0;
    CentreOn(list.get(), nullptr);
    list->SetListColours(textBack, text, title);
    int row = -1;
    for (const QString& line : shown) {
        ++list->AlarmCount;
        row = list->AddAlarmRows(line, row + 1);
    }
    list->ShowAlarmCount();
    list->ShowModal();
    list.reset();
    // Alarms fired while the list was open were not seen: they stay to be shown next time.
    if (alarms.FiredAlarms() == shown)
        alarms.ClearFiredAlarms();
}
