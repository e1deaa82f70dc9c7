#include "core/U_IniFile.h"

#include "core/U_TextFile.h"

#include <utility>

namespace {
bool IsEntry(const QString& trimmed)
{
    return !trimmed.isEmpty() && !trimmed.startsWith(u';');
}

bool ReadHeader(const QString& line, QString& name)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return false;
    const qsizetype close = trimmed.indexOf(u']');
    name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
    return true;
}

QString KeyOf(const QString& trimmed)
{
    const qsizetype equals = trimmed.indexOf(u'=');
    return equals < 0 ? trimmed : trimmed.left(equals).trimmed();
}

QString ValueOf(const QString& trimmed)
{
    const qsizetype equals = trimmed.indexOf(u'=');
    return equals < 0 ? QString() : trimmed.mid(equals + 1).trimmed();
}

// A value is one line of the file: a line break in it would make new entries.
QString OneLine(QString value)
{
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    return value.trimmed();
}
} // namespace

TIniFile::TIniFile(QString path) : path(std::move(path)) {}

bool TIniFile::Load(QString* error)
{
    lines.clear();
    modified = false;
    if (!TextFile::ReadLines(path, lines, error)) {
        lines.clear();
        return false;
    }
    // A byte-order mark left by an editor would hide the first section's header.
    if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF)))
        lines.first().remove(0, 1);
    return true;
}

bool TIniFile::HasSection(const QString& section) const
{
    return FindSection(section) >= 0;
}

bool TIniFile::HasKey(const QString& section, const QString& key) const
{
    const qsizetype header = FindSection(section);
    return header >= 0 && FindKey(header, key) >= 0;
}

QStringList TIniFile::SectionLines(const QString& section) const
{
    QStringList entries;
    const qsizetype header = FindSection(section);
    if (header < 0)
        return entries;
    for (qsizetype i = header + 1, end = SectionEnd(header); i < end; ++i) {
        const QString trimmed = lines.at(i).trimmed();
        if (!IsEntry(trimmed))
            continue;
        if (trimmed.contains(u'='))
            entries.append(KeyOf(trimmed) + u'=' + ValueOf(trimmed));
        else
            entries.append(trimmed);
    }
    return entries;
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& defaultValue) const
{
    const qsizetype header = FindSection(section);
    const qsizetype at = header < 0 ? -1 : FindKey(header, key);
    return at < 0 ? defaultValue : ValueOf(lines.at(at).trimmed());
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString clean = OneLine(value);
    qsizetype header = FindSection(section);
    if (header < 0) {
        AppendSection(section);
        header = lines.size() - 1;
    }
    const qsizetype at = FindKey(header, key);
    if (at < 0) {
        InsertEntry(header, key.trimmed() + u'=' + clean);
        return;
    }
    const QString trimmed = lines.at(at).trimmed();
    if (trimmed.contains(u'=') && ValueOf(trimmed) == clean)
        return;
    // The key keeps its spelling from the file, as the platform does.
    lines[at] = KeyOf(trimmed) + u'=' + clean;
    modified = true;
}

bool TIniFile::Save(QString* error)
{
    if (!modified)
        return true;
    if (!TextFile::ReplaceLines(path, lines, error))
        return false;
    modified = false;
    return true;
}

qsizetype TIniFile::FindSection(const QString& section) const
{
    QString name;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (ReadHeader(lines.at(i), name) &&
            name.compare(section.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

qsizetype TIniFile::SectionEnd(qsizetype header) const
{
    QString name;
    qsizetype i = header + 1;
    while (i < lines.size() && !ReadHeader(lines.at(i), name))
        ++i;
    return i;
}

qsizetype TIniFile::FindKey(qsizetype header, const QString& key) const
{
    for (qsizetype i = header + 1, end = SectionEnd(header); i < end; ++i) {
        const QString trimmed = lines.at(i).trimmed();
        if (IsEntry(trimmed) && KeyOf(trimmed).compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TIniFile::AppendSection(const QString& section)
{
    // A blank line keeps the new section apart from the text before it.
    if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
        lines.append(QString());
    lines.append(u'[' + section.trimmed() + u']');
    modified = true;
}

void TIniFile::InsertEntry(qsizetype header, const QString& line)
{
    // After the last entry, so that blank lines and a comment leading into the next
    // section stay where they are.
    qsizetype at = header + 1;
    for (qsizetype i = header + 1, end = SectionEnd(header); i < end; ++i)
        if (IsEntry(lines.at(i).trimmed()))
            at = i + 1;
    lines.insert(at, line);
    modified = true;
}
