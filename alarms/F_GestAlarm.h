#pragma once

#include "core/F_ModWindowPos.h"
#include "core/U_Glb.h"
#include "core/U_WindowSkin.h"

#include <QStringList>

class QPlainTextEdit;
class TAlarms;
class TDateEdit;
class TNumericEdit;
class TSkinPanel;
class TTransparentLabel;

// The alarm entry window: a disc holding the date, the hour and the subject of a new alarm.
// Its result is 1 when the alarm is confirmed (the caller stores it), 2 otherwise.
class TfrmGestAlarm : public TfrmModWindowPos
{
    Q_OBJECT
public:
    TfrmGestAlarm(TAlarms& alarms, QWidget* owner);

    // The surfaces take `back`, the entered texts `text`, the captions `title`.
    void SetEntryColours(TColor back, TColor text, TColor title);
    // The subject's lines as a memo counts them: none when it is empty.
    QStringList SubjectLines() const;

    void scrEnregAlarmClick();
    void scrAnnulAlarmClick();
    void curEdtHourDblClick();
    void scrShowerAlrmClick();
    void scrShowerAlrmMouseMove();

    // "hh:mm:00"; empty until a save is attempted.
    QString AlarmTimeText;

    TTransparentLabel* rxAlarmDate;
    TDateEdit* rxDateur;
    TTransparentLabel* rxAlarmHour;
    TNumericEdit* curEdtHour;
    TSkinPanel* scrShowerAlrm;
    TTransparentLabel* RxObjet;
    QPlainTextEdit* memObjet;
    TTransparentLabel* rxAlarmTitre;
    TSkinPanel* scrAnnulAlarm;
    TSkinPanel* scrEnregAlarm;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateCaptions();
    void CreateFields();
    void CreatePanels();
    bool SubjectGiven();
    void SetActionsScrolling(bool scrolling);
    void PaintEntryRim(QPainter& painter) const;

    TAlarms& alarms;
    TWindowSkin skin;
    // As last set: the alarm list opened from here takes them.
    TColor backColour = TColourSettings{}.TextBackColour;
    TColor textColour = TColourSettings{}.TextColour;
    TColor titleColour = TColourSettings{}.TitleColour;
};
