#include "core/U_TextFile.h"

#include "core/U_TextCodec.h"

#include <QFile>
#include <QSaveFile>

namespace TextFile {

namespace {
bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}
} // namespace

bool Read(const QString& path, QString& text, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Fail(error, file.errorString());
    text = TextCodec::Decode(bytes);
    return true;
}

bool ReadLines(const QString& path, QStringList& lines, QString* error)
{
    QString text;
    if (!Read(path, text, error))
        return false;
    lines = TextCodec::SplitLines(text);
    return true;
}

bool Replace(const QString& path, const QString& text, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, file.errorString());
    const QByteArray bytes = TextCodec::Encode(text);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return Fail(error, why);
    }
    if (!file.commit())
        return Fail(error, file.errorString());
    return true;
}

bool ReplaceLines(const QString& path, const QStringList& lines, QString* error)
{
    return Replace(path, TextCodec::JoinLines(lines), error);
}

bool AppendLines(const QString& path, const QStringList& lines, QString* error)
{
    QByteArray existing;
    QFile reader(path);
    if (reader.exists()) {
        if (!reader.open(QIODevice::ReadOnly))
            return Fail(error, reader.errorString());
        existing = reader.readAll();
        reader.close();
    }
    const QString text = TextCodec::JoinLines(lines);
    const bool fileIsUtf8 = TextCodec::Detect(existing) == TextCodec::TEncoding::Utf8;
    const bool textFits = TextCodec::FitsWindows1252(text);
    // One file never mixes the two encodings: a Windows-1252 file that must now hold a
    // character it cannot is rewritten whole in UTF-8.
    if (!fileIsUtf8 && !textFits && !TextCodec::IsAscii(existing))
        return Replace(path, TextCodec::Decode(existing) + text, error);
    const QByteArray bytes =
        fileIsUtf8 || !textFits ? text.toUtf8() : TextCodec::EncodeWindows1252(text);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return Fail(error, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        return Fail(error, file.errorString());
    return true;
}

} // namespace TextFile
