#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

// The alarm file's format and the file operations on it. A record is one line,
// date;time;subject, numbered from 1 by its place among all the file's lines.
namespace AlarmFile {

// The purge's temporary name, "bkP" + yy + mm + dd + "-" + hh + mn + ss, cut from the date
// text dd/mm/yyyy and the time text hh:mm:ss.
QString PurgeTempName(const QString& dateText, const QString& timeText);
// A purge's temporary ("bkP", six digits, "-", six digits) or the removal's "breakPoint.tmp".
bool IsTemporaryName(const QString& name);

// dd/mm/yyyy, two digits, two digits, four digits, and a real day; otherwise invalid.
QDate ReadDate(const QString& dateText);
// hh:mm:ss, two digits each, and a real time of day; otherwise invalid.
QTime ReadTime(const QString& timeText);

// date;time;subject lines joined by "|". A line break inside a subject line counts as one
// more line, so that a record always stays one line of the file.
QString ComposeRecord(const QString& dateText, const QString& timeText,
                      const QStringList& subjectLines);

// The lines a purge on `today` keeps, in file order: those dated today or later, and those
// whose date cannot be read (fewer than three fields, no real date). Empty lines go.
QStringList KeptByPurge(const QStringList& lines, const QDate& today);
// The lines without the one at 0-based `index`; all of them when there is none there.
QStringList WithoutRecord(const QStringList& lines, int index);

// Why the record `line` can never ring, for the user: "date illisible « … »" or
// "heure illisible « … »"; empty for a record that can, and for an empty line.
QString RecordProblem(const QString& line);
// The numbers of the records that can never ring, in file order.
QList<int> UnreadableRecords(const QStringList& lines);

struct TNextAlarm
{
    // 0 when no record is due.
    int record = 0;
    QTime time;
    // Record numbers dated `dateText` whose time cannot be read: they can never be armed.
    QList<int> unreadable;
};
// The earliest record dated `dateText` whose time text is later than `timeText`; of several
// at the same time, the first in the file.
TNextAlarm FindNextAlarm(const QStringList& lines, const QString& dateText,
                         const QString& timeText);
// Every whole line with the same date and time texts as record number `record`; empty when
// the file has no such record.
QStringList LinesOfSameMoment(const QStringList& lines, int record);

// Replaces the file with `lines` through the temporary `temporaryName` beside it; with no
// line the file is removed. On failure the file stays as it was and no temporary remains.
bool RewriteAlarmFile(const QString& path, const QString& temporaryName, const QStringList& lines,
                      QString* error = nullptr);
// Removes what a run killed during a rewrite left beside the file (and beside the file a link
// points to).
void RemoveTemporaries(const QString& path);

} // namespace AlarmFile
