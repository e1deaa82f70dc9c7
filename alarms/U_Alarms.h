#pragma once

#include "core/U_FileStamp.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

// The alarms as one component: the alarm file and every change made to it, the choice of the
// next alarm due today, its firing, and the fired alarms not yet viewed. The main window's
// clock only shows the armed time and tells when it is reached.
class TAlarms : public QObject
{
    Q_OBJECT
public:
    explicit TAlarms(QObject* parent = nullptr);

    // AppFolder + "breakPoint.csv".
    QString FilePath() const;

    // Once, at the end of the main window's creation: purge, the records that can never
    // ring told, no fired alarm, arming.
    void StartAlarms();
    // Removes the records dated before today; a record whose date cannot be read is kept.
    void PurgePastAlarms();
    // Arms the clock with the earliest record still due today, if any; otherwise the clock
    // keeps what it had.
    void ArmNextAlarm();
    // Appends one record (path + " occupé ?" and the reason when it cannot be written), then
    // arms.
    void AppendAlarm(const QString& dateText, const QString& timeText,
                     const QStringList& subjectLines);
    // The file's lines as the alarm list shows them; false with `error` set when it cannot be
    // read. Removals count their records in these lines.
    bool ReadListedAlarms(QStringList& lines, QString* error = nullptr);
    // Rewrites the file without the record at 0-based `index`, then disarms and arms again;
    // false, told, and nothing changed when the file was missing or could not be rewritten.
    // When another program changed the file since the list read it, the record removed is the
    // one listed at `index`, found by its text (none when it is gone), and that version of the
    // file is kept aside under a dated name first.
    bool RemoveAlarmRecord(int index);
    // The clock reached the armed time: every record of the armed record's date and time
    // joins the fired alarms and `AlarmFired` is raised; then disarmed and armed again.
    void rxClockerAlarm();
    // Once a second, after the clock's own check: a new day, or a clock that jumped (set by
    // hand, a resume from suspend), chooses the next due alarm again.
    void TimeTick();

    // Whole record lines fired and not yet viewed: sorted without regard to letter case, no
    // two equal letter case aside.
    const QStringList& FiredAlarms() const { return firedAlarms; }
    void ClearFiredAlarms();

    // What the clock is armed with (nothing when `IsArmed` is false).
    bool IsArmed() const { return armed; }
    int ArmedRecord() const { return armedRecord; }
    QTime ArmedTime() const { return armedTime; }

Q_SIGNALS:
    // The clock is to be switched off, set to this time with `Tag` = `record`, switched on.
    void ClockArmed(int hour, int minute, int second, int record);
    void ClockDisarmed();
    // Alarms were added to the fired alarms: to be announced.
    void AlarmFired();

private:
    void Arm(const QTime& time, int record);
    void Disarm();
    bool ReadExisting(QStringList& lines) const;
    void FireAtMidnight(const QTime& now);
    void AddFired(const QString& line);
    // Every record that can never ring, told at start.
    void TellUnreadableRecords();
    // Records that can never ring, in one message, each told once a session.
    void TellUnreadable(const QStringList& lines, const QList<int>& records);

    int ListedPlace(const QStringList& lines, int index) const;

    QStringList firedAlarms;
    // The file as the alarm list last read it.
    TFileStamp listedStamp;
    QStringList listedLines;
    // Unreadable alarm lines already told to the user this session.
    QSet<QString> toldLines;
    QDateTime lastTick;
    QTime armedTime;
    int armedRecord = 0;
    bool armed = false;
};
