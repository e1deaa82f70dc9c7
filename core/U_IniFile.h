#pragma once

#include <QString>
#include <QStringList>

// A settings file in the INI layout, edited the way the platform's profile functions do:
// a key is rewritten in place, a new key goes at the end of its section, a new section at
// the end of the file, and every other line (comments, unknown keys, blank lines) is kept.
//
// Sections and keys are found case-insensitively; the first of two equal names wins. An
// entry of a section is any line of it that is neither blank nor a comment (";" first).
class TIniFile
{
public:
    explicit TIniFile(QString path);

    // Reads the whole file; false (and no lines) when it cannot be read, e.g. missing.
    bool Load(QString* error = nullptr);

    bool HasSection(const QString& section) const;
    bool HasKey(const QString& section, const QString& key) const;
    // The entries of `section` in file order, each as "key=value" with the blanks around
    // key and value removed; a line without "=" comes back as it is, trimmed.
    QStringList SectionLines(const QString& section) const;
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    void WriteString(const QString& section, const QString& key, const QString& value);

    // Whether a write changed anything since the load or the last save.
    bool Modified() const { return modified; }
    // Writes the whole file atomically when modified; an unchanged file is not touched.
    bool Save(QString* error = nullptr);

    const QStringList& Lines() const { return lines; }

private:
    qsizetype FindSection(const QString& section) const;
    qsizetype SectionEnd(qsizetype header) const;
    qsizetype FindKey(qsizetype header, const QString& key) const;
    void AppendSection(const QString& section);
    void InsertEntry(qsizetype header, const QString& line);

    QString path;
    QStringList lines;
    bool modified = false;
};
