#include "notes/U_NotesText.h"

#include "core/U_Glb.h"

#include <algorithm>

namespace NotesText {

namespace {
const QString kHeaderMark = QStringLiteral("Mnemo_");
const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// The first line end of the file, CR LF when it has none.
QString LineEndOf(const QByteArray& bytes)
{
    const auto* end = bytes.cend();
    const auto* at =
        std::find_if(bytes.cbegin(), end, [](char c) { return c == '\n' || c == '\r'; });
    if (at == end)
        return QStringLiteral("\r\n");
    if (*at == '\n')
        return QStringLiteral("\n");
    return at + 1 != end && at[1] == '\n' ? QStringLiteral("\r\n") : QStringLiteral("\r");
}

size_t LineHash(QStringView line)
{
    return qHash(line, 0);
}

// `text` cut into its lines, recorded in `form` with their own line ends.
void RecordLines(QStringView text, TTextForm& form)
{
    form.lineHashes.clear();
    form.lineEnds.clear();
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype at = from;
        while (at < text.size() && text.at(at) != u'\n' && text.at(at) != u'\r')
            ++at;
        form.lineHashes.push_back(LineHash(text.sliced(from, at - from)));
        TLineEnd end = TLineEnd::None;
        if (at < text.size() && text.at(at) == u'\n')
            end = TLineEnd::Lf;
        else if (at < text.size())
            end = at + 1 < text.size() && text.at(at + 1) == u'\n' ? TLineEnd::CrLf : TLineEnd::Cr;
        form.lineEnds.push_back(end);
        from = at + (end == TLineEnd::CrLf ? 2 : end == TLineEnd::None ? 0 : 1);
    }
}

QStringView EndText(TLineEnd end)
{
    switch (end) {
    case TLineEnd::Lf:
        return u"\n";
    case TLineEnd::Cr:
        return u"\r";
    case TLineEnd::CrLf:
        return u"\r\n";
    case TLineEnd::None:
        break;
    }
    return {};
}

TLineEnd EndOf(QStringView text)
{
    return text == u"\n" ? TLineEnd::Lf : text == u"\r" ? TLineEnd::Cr : TLineEnd::CrLf;
}

// For each of `lines`, the line end of the line of the file it stands for, None when new.
std::vector<TLineEnd> OwnEnds(const std::vector<size_t>& hashes, const TTextForm& form)
{
    const size_t had = form.lineHashes.size(), has = hashes.size();
    size_t head = 0, tail = 0;
    while (head < had && head < has && hashes[head] == form.lineHashes[head])
        ++head;
    while (tail < had - head && tail < has - head &&
           hashes[has - 1 - tail] == form.lineHashes[had - 1 - tail])
        ++tail;
    std::vector<TLineEnd> ends(has, TLineEnd::None);
    for (size_t i = 0; i < has; ++i) {
        // Unchanged lines at the end keep theirs; between, line i of the change stands for
        // line i of what it replaced.
        const size_t from = i >= has - tail ? had - (has - i) : i;
        if (from < had - (i >= has - tail ? 0 : tail))
            ends[i] = form.lineEnds[from];
    }
    return ends;
}
} // namespace

QString JoinInOwnForm(const QStringList& lines, bool finalBreak, TTextForm& form)
{
    std::vector<size_t> hashes;
    hashes.reserve(lines.size());
    for (const QString& line : lines)
        hashes.push_back(LineHash(line));
    std::vector<TLineEnd> ends = OwnEnds(hashes, form);
    const bool endedWithBreak = !form.lineEnds.empty() && form.lineEnds.back() != TLineEnd::None;
    const TLineEnd usual = EndOf(form.lineEnd);
    QString text;
    for (size_t i = 0; i < ends.size(); ++i) {
        const bool last = i + 1 == ends.size();
        if (ends[i] == TLineEnd::None && (!last || finalBreak || endedWithBreak))
            ends[i] = i > 0 ? ends[i - 1] : usual;
        else if (last && !finalBreak && !endedWithBreak)
            ends[i] = TLineEnd::None;
        text += lines.at(static_cast<qsizetype>(i));
        text += EndText(ends[i]);
    }
    form.lineHashes = std::move(hashes);
    form.lineEnds = std::move(ends);
    return text;
}

namespace {
bool StartsLine(const QString& text, qsizetype at)
{
    return at == 0 || text.at(at - 1) == u'\n' || text.at(at - 1) == u'\r';
}
} // namespace

QString NewHeader()
{
    return kHeaderMark + CurrentDateText() + u' ' + CurrentTimeText();
}

QString Rule()
{
    return RepeatText(QStringLiteral("-"), 48);
}

QString DaySeparator()
{
    return RepeatText(QStringLiteral(" "), 48);
}

QString LastHeader(const QString& text)
{
    // Searched from the end: the last header is near it in every real notes file.
    for (qsizetype at = text.lastIndexOf(kHeaderMark); at >= 0;
         at = at > 0 ? text.lastIndexOf(kHeaderMark, at - 1) : -1) {
        if (!StartsLine(text, at))
            continue;
        qsizetype end = at;
        while (end < text.size() && text.at(end) != u'\n' && text.at(end) != u'\r')
            ++end;
        return text.mid(at, end - at);
    }
    return QString();
}

bool IsNewDay(const QString& lastHeader, const QString& newHeader)
{
    // With dd/mm/yyyy these are "Mnemo_", the day and the month's first digit.
    return lastHeader.left(10) != newHeader.left(10);
}

bool HoldsNulBytes(const QByteArray& bytes)
{
    return bytes.contains('\0');
}

QString DecodeDefault(QByteArray bytes)
{
    if (bytes.startsWith(kByteOrderMark))
        bytes.remove(0, kByteOrderMark.size());
    // UTF-16 holds NUL bytes in nearly every character: the codec reads it whole.
    if (HoldsNulBytes(bytes) && !TextCodec::HasUtf16Mark(bytes))
        bytes.removeIf([](char c) { return c == '\0'; });
    return TextCodec::Decode(bytes);
}

QString DecodeAsFound(const QByteArray& bytes, TTextForm& form)
{
    form.lineEnd = LineEndOf(bytes);
    form.byteOrderMark = false;
    QString text;
    if (TextCodec::Detect(bytes) == TextCodec::TEncoding::Utf8) {
        form.encoding = TextCodec::TEncoding::Utf8;
        form.byteOrderMark = bytes.startsWith(kByteOrderMark);
        // Valid UTF-8 as a whole is valid line by line: the codec gives it back unchanged.
        text = TextCodec::Decode(form.byteOrderMark ? bytes.sliced(kByteOrderMark.size()) : bytes);
    } else {
        form.encoding = TextCodec::TEncoding::Windows1252;
        text = TextCodec::DecodeWindows1252(bytes);
    }
    RecordLines(text, form);
    return text;
}

QByteArray EncodeAsFound(const QString& text, const TTextForm& form)
{
    if (form.encoding == TextCodec::TEncoding::Windows1252) {
        const QByteArray bytes = TextCodec::EncodeWindows1252(text);
        // Kept only when every character came through and the next read cannot take the
        // bytes for UTF-8 (which would change their characters).
        if (TextCodec::Detect(bytes) == TextCodec::TEncoding::Windows1252 &&
            TextCodec::DecodeWindows1252(bytes) == text)
            return bytes;
        return text.toUtf8();
    }
    return form.byteOrderMark ? kByteOrderMark + text.toUtf8() : text.toUtf8();
}

QString WithLineEnds(const QString& raw, QStringView lineEnd)
{
    const qsizetype breaks = raw.count(QChar::ParagraphSeparator);
    QString text;
    text.reserve(raw.size() + breaks * (lineEnd.size() - 1));
    const QStringView all(raw);
    qsizetype from = 0;
    for (qsizetype at; (at = raw.indexOf(QChar::ParagraphSeparator, from)) >= 0; from = at + 1) {
        text.append(all.sliced(from, at - from));
        text.append(lineEnd);
    }
    text.append(all.sliced(from));
    return text;
}

QString RawLines(QString text)
{
    qsizetype to = 0;
    const qsizetype size = text.size();
    QChar* chars = text.data();
    for (qsizetype i = 0; i < size; ++i, ++to) {
        const char16_t c = chars[i].unicode();
        // A document also breaks its blocks at the two frame marks.
        const bool lineBreak = c == u'\n' || c == u'\r' || c == u'\xFDD0' || c == u'\xFDD1';
        if (c == u'\r' && i + 1 < size && chars[i + 1] == u'\n')
            ++i;
        chars[to] = lineBreak ? QChar::ParagraphSeparator : QChar(c);
    }
    text.truncate(to);
    return text;
}

qsizetype CountLines(QStringView text)
{
    qsizetype lines = 0;
    bool open = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool lineBreak = c == u'\n' || c == u'\r' || c == u'\xFDD0' || c == u'\xFDD1' ||
                               c == QChar::ParagraphSeparator;
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        lines += lineBreak ? 1 : 0;
        open = !lineBreak;
    }
    return lines + (open ? 1 : 0);
}

bool HoldsUnbreakableRun(QStringView text, qsizetype length)
{
    if (text.size() <= length)
        return false;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t before = i > 0 ? text[i - 1].unicode() : u'\n';
        if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator)
            runStart = i + 1;
        else if ((before == u' ' || before == u'\t') && text[i].isLetterOrNumber())
            runStart = i;
        else if (i - runStart >= length)
            return true;
    }
    return false;
}

} // namespace NotesText
