#pragma once

#include <QString>
#include <QStringList>

// Whole-file reads and writes of the program's text files, through the one codec.
namespace TextFile {

// Reads the whole file with one read; false with `error` set when it cannot be read.
bool Read(const QString& path, QString& text, QString* error = nullptr);
bool ReadLines(const QString& path, QStringList& lines, QString* error = nullptr);

// Replaces the file as a whole: either the new content is there completely or the old
// file is left untouched.
bool Replace(const QString& path, const QString& text, QString* error = nullptr);
bool ReplaceLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// Appends whole lines in one write.
bool AppendLines(const QString& path, const QStringList& lines, QString* error = nullptr);

} // namespace TextFile
