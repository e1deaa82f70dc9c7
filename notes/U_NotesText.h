#pragma once

#include "core/U_TextCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// The notes file's line forms and its bytes: the default file in the program's own form, any
// other file in the form it was found in, so that writing it back changes no byte the user
// did not change.
namespace NotesText {

enum class TLineEnd : quint8
{
    None,
    Lf,
    Cr,
    CrLf
};

// How another file was written: its encoding, its first line end (given to new lines that
// have no neighbour to follow), a UTF-8 byte-order mark, and each line's own line end.
struct TTextForm
{
    TextCodec::TEncoding encoding = TextCodec::TEncoding::Windows1252;
    QString lineEnd = QStringLiteral("\r\n");
    bool byteOrderMark = false;
    // A hash of each line as written, to find the lines a change left as they were.
    std::vector<size_t> lineHashes;
    std::vector<TLineEnd> lineEnds;
};

// "Mnemo_" and the date-time text of now.
QString NewHeader();
QString Rule();
QString DaySeparator();
// The last line of `text` starting with "Mnemo_", or empty when there is none.
QString LastHeader(const QString& text);
// A load of the default file adds the day lines when this is true.
bool IsNewDay(const QString& lastHeader, const QString& newHeader);

bool HoldsNulBytes(const QByteArray& bytes);
// The default file's text, read as every file of the program is; a byte-order mark and NUL
// bytes are left out (the caller keeps the original file before rewriting it).
QString DecodeDefault(QByteArray bytes);
// Another file's text, decoded whole: UTF-8 when the whole file is, else Windows-1252, where
// every byte has its character. `form` receives how the file was written.
QString DecodeAsFound(const QByteArray& bytes, TTextForm& form);
// `text`, whose lines end with form.lineEnd, in the file's own form; UTF-8 when a character
// does not fit Windows-1252 any more.
QByteArray EncodeAsFound(const QString& text, const TTextForm& form);

// The lines, each with the line end it had in the file written as `form` describes (the lines
// left unchanged at the start and at the end are found by their hashes; a changed line keeps
// the end of the line it replaces); a line added takes the end of the line before it. The last
// line ends when `finalBreak` is set or the file ended with a line end. `form` then describes
// the text returned.
QString JoinInOwnForm(const QStringList& lines, bool finalBreak, TTextForm& form);

// The document's raw text (blocks separated by U+2029) with `lineEnd` between the lines.
QString WithLineEnds(const QString& raw, QStringView lineEnd);
// `text` in the document's raw form: every line break (CR LF, LF, CR, and what a document
// takes for one) made U+2029, so that it goes in as it comes out.
QString RawLines(QString text);
// How many pad lines `text` makes, with the same line breaks as RawLines: a last line without
// its break counts, the empty place after a last break does not.
qsizetype CountLines(QStringView text);
// Past this many characters in a row without a place to wrap between words, the editor
// wraps lines anywhere.
constexpr qsizetype kLongestWordRun = 10000;
// True when a line of `text` holds more than `length` characters in a row with no place
// where it can surely be wrapped between words (a space or a tab before a letter or a digit).
bool HoldsUnbreakableRun(QStringView text, qsizetype length = kLongestWordRun);

} // namespace NotesText
