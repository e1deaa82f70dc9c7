#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's files are Windows-1252 with CR LF; text that Windows-1252 cannot hold is
// written as UTF-8 instead so that nothing is lost. Reading takes either, and LF alone.
namespace TextCodec {

enum class TEncoding
{
    Windows1252,
    Utf8
};

// Valid UTF-8 holding at least one multi-byte sequence is UTF-8; anything else is
// Windows-1252, where every one of the 256 bytes stands for a character.
bool IsAscii(const QByteArray& bytes);
TEncoding Detect(const QByteArray& bytes);
// Decides line by line, so that one stray byte spoils no other line. A leading UTF-8 byte
// order mark is left out; a file that starts with a UTF-16 mark (either byte order) is read
// as UTF-16.
QString Decode(const QByteArray& bytes);
bool HasUtf16Mark(const QByteArray& bytes);
QString DecodeWindows1252(const QByteArray& bytes);

// Whether Windows-1252 holds the text and gives it back as it was when read.
bool FitsWindows1252(const QString& text);
QByteArray EncodeWindows1252(const QString& text); // only for text that fits
// Windows-1252 when the whole text fits, else UTF-8.
QByteArray Encode(const QString& text);

// Lines split on CR LF, LF or a lone CR; a final line end does not make an empty line.
QStringList SplitLines(const QString& text);
// Each line followed by CR LF.
QString JoinLines(const QStringList& lines);

} // namespace TextCodec
