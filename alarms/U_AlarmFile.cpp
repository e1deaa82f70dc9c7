#include "alarms/U_AlarmFile.h"

#include "core/U_Constantes.h"
#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "core/U_TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringView>

namespace AlarmFile {

namespace {
const QString kSeparator = QStringLiteral(";");

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The two-digit number at `at`, or -1.
int TwoDigits(QStringView text, qsizetype at)
{
    const QChar tens = text.at(at), units = text.at(at + 1);
    if (!IsDigit(tens) || !IsDigit(units))
        return -1;
    return (tens.unicode() - u'0') * 10 + (units.unicode() - u'0');
}

bool DigitsOnly(QStringView text)
{
    for (const QChar c : text)
        if (!IsDigit(c))
            return false;
    return !text.isEmpty();
}

// Only a line with all three fields holds a date that a purge may judge.
bool HasThreeFields(const QString& line)
{
    return line.count(u';') >= 2;
}
} // namespace

QString PurgeTempName(const QString& dateText, const QString& timeText)
{
    return QStringLiteral("bkP") + dateText.mid(8, 2) + dateText.mid(3, 2) + dateText.mid(0, 2) +
           u'-' + timeText.mid(0, 2) + timeText.mid(3, 2) + timeText.mid(6, 2);
}

bool IsTemporaryName(const QString& name)
{
    if (name == Constantes::AlarmTempFileName)
        return true;
    const QStringView view(name);
    return name.size() == 16 && name.startsWith(QStringLiteral("bkP")) && name.at(9) == u'-' &&
           DigitsOnly(view.mid(3, 6)) && DigitsOnly(view.mid(10, 6));
}

QDate ReadDate(const QString& dateText)
{
    if (dateText.size() != 10 || dateText.at(2) != u'/' || dateText.at(5) != u'/' ||
        !DigitsOnly(QStringView(dateText).mid(6, 4)))
        return {};
    const int day = TwoDigits(dateText, 0), month = TwoDigits(dateText, 3);
    if (day < 0 || month < 0)
        return {};
    return QDate(QStringView(dateText).mid(6, 4).toInt(), month, day);
}

QTime ReadTime(const QString& timeText)
{
    if (timeText.size() != 8 || timeText.at(2) != u':' || timeText.at(5) != u':')
        return {};
    const int hour = TwoDigits(timeText, 0), minute = TwoDigits(timeText, 3),
              second = TwoDigits(timeText, 6);
    if (!QTime::isValid(hour, minute, second, 0))
        return {};
    return QTime(hour, minute, second);
}

QString ComposeRecord(const QString& dateText, const QString& timeText,
                      const QStringList& subjectLines)
{
    QStringList parts;
    for (const QString& line : subjectLines) {
        const QStringList pieces = TextCodec::SplitLines(line);
        parts += pieces.isEmpty() ? QStringList(QString()) : pieces;
    }
    return dateText + kSeparator + timeText + kSeparator + parts.join(u'|');
}

QStringList KeptByPurge(const QStringList& lines, const QDate& today)
{
    QStringList kept;
    kept.reserve(lines.size());
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        const QDate date = ReadDate(SplitFields(line, kSeparator, 3).at(0));
        if (!HasThreeFields(line) || !date.isValid() || date >= today)
            kept.append(line);
    }
    return kept;
}

QStringList WithoutRecord(const QStringList& lines, int index)
{
    QStringList kept = lines;
    if (index >= 0 && index < kept.size())
        kept.removeAt(index);
    return kept;
}

QString RecordProblem(const QString& line)
{
    if (line.isEmpty())
        return {};
    const QStringList fields = SplitFields(line, kSeparator, 3);
    if (!ReadDate(fields.at(0)).isValid())
        return QStringLiteral("date illisible « %1 »").arg(fields.at(0));
    if (!ReadTime(fields.at(1)).isValid())
        return QStringLiteral("heure illisible « %1 »").arg(fields.at(1));
    return {};
}

QList<int> UnreadableRecords(const QStringList& lines)
{
    QList<int> records;
    for (int i = 0; i < lines.size(); ++i)
        if (!RecordProblem(lines.at(i)).isEmpty())
            records.append(i + 1);
    return records;
}

TNextAlarm FindNextAlarm(const QStringList& lines, const QString& dateText, const QString& timeText)
{
    TNextAlarm next;
    QString earliest;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList fields = SplitFields(lines.at(i), kSeparator, 3);
        if (fields.at(0) != dateText)
            continue;
        const QString& time = fields.at(1);
        if (!ReadTime(time).isValid())
            next.unreadable.append(i + 1);
        else if (time > timeText && (next.record == 0 || time < earliest)) {
            earliest = time;
            next.record = i + 1;
        }
    }
    if (next.record != 0)
        next.time = ReadTime(earliest);
    return next;
}

QStringList LinesOfSameMoment(const QStringList& lines, int record)
{
    if (record < 1 || record > lines.size())
        return {};
    const QStringList armed = SplitFields(lines.at(record - 1), kSeparator, 3);
    QStringList same;
    for (const QString& line : lines) {
        const QStringList fields = SplitFields(line, kSeparator, 3);
        if (fields.at(0) == armed.at(0) && fields.at(1) == armed.at(1))
            same.append(line);
    }
    return same;
}

bool RewriteAlarmFile(const QString& path, const QString& temporaryName, const QStringList& lines,
                      QString* error)
{
    if (lines.isEmpty())
        return TextFile::Remove(path, error);
    return TextFile::ReplaceThrough(path, temporaryName, TextCodec::JoinLines(lines), error);
}

namespace {
void RemoveTemporariesIn(const QDir& folder)
{
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (IsTemporaryName(entry))
            QFile::remove(folder.filePath(entry));
}
} // namespace

void RemoveTemporaries(const QString& path)
{
    const QFileInfo file(path);
    RemoveTemporariesIn(file.dir());
    const QString real = file.canonicalFilePath();
    if (file.isSymLink() && !real.isEmpty())
        RemoveTemporariesIn(QFileInfo(real).dir());
}

} // namespace AlarmFile
