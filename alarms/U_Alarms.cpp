#include "alarms/U_Alarms.h"

#include "alarms/U_AlarmFile.h"
#include "core/U_Clock.h"
#include "core/U_Constantes.h"
#include "core/U_Dialogs.h"
#include "core/U_FileReason.h"
#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "core/U_TextFile.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

namespace {
// A tick further than this from the second expected means the clock was set or the machine
// slept.
constexpr qint64 kJumpToleranceMs = 3000;
// More unreadable lines than this are counted, not listed, in the one message.
constexpr int kListedUnreadable = 10;
} // namespace

TAlarms::TAlarms(QObject* parent) : QObject(parent) {}

QString TAlarms::FilePath() const
{
    return AppFolder() + Constantes::AlarmFileName;
}

void TAlarms::StartAlarms()
{
    AlarmFile::RemoveTemporaries(FilePath());
    PurgePastAlarms();
    TellUnreadableRecords();
    firedAlarms.clear();
    lastTick = Now();
    ArmNextAlarm();
}

// Failures are left silent: the old records stay, are never armed, and go at a later start.
void TAlarms::PurgePastAlarms()
{
    QStringList lines;
    if (!ReadExisting(lines))
        return;
    const QString dateText = CurrentDateText();
    const QStringList kept = AlarmFile::KeptByPurge(lines, AlarmFile::ReadDate(dateText));
    if (kept.size() == lines.size())
        return;
    AlarmFile::RewriteAlarmFile(FilePath(), AlarmFile::PurgeTempName(dateText, CurrentTimeText()),
                                kept);
}

// Such records stay in the file as they are, so the user can mend them.
void TAlarms::TellUnreadableRecords()
{
    QStringList lines;
    if (ReadExisting(lines))
        TellUnreadable(lines, AlarmFile::UnreadableRecords(lines));
}

void TAlarms::ArmNextAlarm()
{
    QStringList lines;
    if (!ReadExisting(lines))
        return;
    const AlarmFile::TNextAlarm next =
        AlarmFile::FindNextAlarm(lines, CurrentDateText(), CurrentTimeText());
    TellUnreadable(lines, next.unreadable);
    if (next.record != 0)
        Arm(next.time, next.record);
}

void TAlarms::AppendAlarm(const QString& dateText, const QString& timeText,
                          const QStringList& subjectLines)
{
    const QString line = AlarmFile::ComposeRecord(dateText, timeText, subjectLines);
    QString error;
    if (!TextFile::AppendLines(FilePath(), {line}, &error))
        ShowPlainMessage(WithReason(FilePath() + QStringLiteral(" occupé ?"), error));
    ArmNextAlarm();
}

bool TAlarms::ReadListedAlarms(QStringList& lines, QString* error)
{
    QByteArray bytes;
    if (!TextFile::ReadBytes(FilePath(), bytes, error))
        return false;
    listedStamp = TFileStamp::Of(FilePath(), bytes);
    lines = listedLines = TextCodec::SplitLines(TextCodec::Decode(bytes));
    return true;
}

// The place of the record listed at `index` in the file's `lines` as they are now; -1 when
// another program took it away.
int TAlarms::ListedPlace(const QStringList& lines, int index) const
{
    if (!listedStamp.IsKnown() || lines == listedLines)
        return index;
    // The place after the last record listed, or none: nothing another program put there.
    if (index < 0 || index >= listedLines.size())
        return static_cast<int>(lines.size());
    const QString& listed = listedLines.at(index);
    // Of several equal lines, the one nearest to where the list showed it.
    int place = -1;
    for (int at = lines.indexOf(listed); at >= 0; at = lines.indexOf(listed, at + 1))
        if (place < 0 || std::abs(at - index) < std::abs(place - index))
            place = at;
    return place;
}

bool TAlarms::RemoveAlarmRecord(int index)
{
    const QString path = FilePath();
    if (!QFileInfo::exists(path)) {
        ShowPlainMessage(QStringLiteral("Anomalie : fichier des alarmes détruit ou déplacé."));
        return false;
    }
    QStringList lines;
    QString error;
    bool done = TextFile::ReadLines(path, lines, &error);
    const int place = done ? ListedPlace(lines, index) : index;
    if (place < 0) {
        ShowPlainMessage(QStringLiteral("Cette alarme n'est plus dans breakPoint.csv, modifié "
                                        "entre-temps par un autre programme : rien n'est "
                                        "supprimé."));
        return false;
    }
    const QStringList kept = AlarmFile::WithoutRecord(lines, place);
    QString othersVersion;
    if (done && kept.size() != lines.size()) {
        done = FileStamp::KeepOthersVersion(path, listedStamp, othersVersion) &&
               AlarmFile::RewriteAlarmFile(path, Constantes::AlarmTempFileName, kept, &error);
        FileStamp::TellKeptVersion(path, othersVersion);
    }
    if (!done) {
        ShowPlainMessage(WithReason(QStringLiteral("Alarme non supprimée : ") + path, error));
        return false;
    }
    if (listedStamp.IsKnown()) {
        listedLines = kept;
        listedStamp = TFileStamp::Current(path);
    }
    Disarm();
    ArmNextAlarm();
    return true;
}

void TAlarms::rxClockerAlarm()
{
    if (!armed || !QFileInfo::exists(FilePath()))
        return;
    QStringList lines;
    if (!TextFile::ReadLines(FilePath(), lines)) {
        ShowPlainMessage(QStringLiteral("breakPoint.csv corrompu ou absent du disque."));
    } else if (armedRecord <= lines.size()) {
        for (const QString& line : AlarmFile::LinesOfSameMoment(lines, armedRecord))
            AddFired(line);
        Q_EMIT AlarmFired();
    }
    Disarm();
    ArmNextAlarm();
}

// Cheap on every ordinary second: the file is read only for a new day or a clock that jumped.
void TAlarms::TimeTick()
{
    const QDateTime now = Now();
    const QDateTime previous = lastTick;
    lastTick = now;
    if (!previous.isValid())
        return;
    const qint64 gap = previous.msecsTo(now);
    const bool jumped = gap < 0 || gap > 1000 + kJumpToleranceMs;
    if (now.date() == previous.date() && !jumped)
        return;
    Disarm();
    if (!jumped)
        FireAtMidnight(now.time());
    if (!armed)
        ArmNextAlarm();
}

// A record of the new day at midnight sharp is due at the very tick that brings the day, when
// arming, which looks only past the present second, would miss it.
void TAlarms::FireAtMidnight(const QTime& now)
{
    QStringList lines;
    if (!ReadExisting(lines))
        return;
    const AlarmFile::TNextAlarm first = AlarmFile::FindNextAlarm(lines, CurrentDateText(), {});
    if (first.record == 0 || first.time > now)
        return;
    Arm(first.time, first.record);
    rxClockerAlarm();
}

// A missing file is no alarm at all, and one that cannot be read is left for the next time.
bool TAlarms::ReadExisting(QStringList& lines) const
{
    return QFileInfo::exists(FilePath()) && TextFile::ReadLines(FilePath(), lines);
}

void TAlarms::ClearFiredAlarms()
{
    firedAlarms.clear();
}

void TAlarms::Arm(const QTime& time, int record)
{
    armed = true;
    armedTime = time;
    armedRecord = record;
    Q_EMIT ClockArmed(time.hour(), time.minute(), time.second(), record);
}

void TAlarms::Disarm()
{
    armed = false;
    armedTime = QTime();
    armedRecord = 0;
    Q_EMIT ClockDisarmed();
}

void TAlarms::AddFired(const QString& line)
{
    const auto before = [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    };
    const auto at = std::lower_bound(firedAlarms.begin(), firedAlarms.end(), line, before);
    if (at != firedAlarms.end() && QString::compare(*at, line, Qt::CaseInsensitive) == 0)
        return;
    firedAlarms.insert(at, line);
}

void TAlarms::TellUnreadable(const QStringList& lines, const QList<int>& records)
{
    QStringList told;
    int more = 0;
    for (const int record : records) {
        const QString& line = lines.at(record - 1);
        if (toldLines.contains(line))
            continue;
        toldLines.insert(line);
        if (told.size() < kListedUnreadable)
            told.append(QStringLiteral("%1, ligne %2 : %3")
                            .arg(Constantes::AlarmFileName, QString::number(record),
                                 AlarmFile::RecordProblem(line)));
        else
            ++more;
    }
    if (more > 0)
        told.append(QStringLiteral("… et %1 autres alarmes illisibles.").arg(more));
    if (!told.isEmpty())
        ShowPlainMessage(QStringLiteral("Alarmes qui ne peuvent pas sonner, gardées dans le "
                                        "fichier :\n") +
                         told.join(u'\n'));
}
