#include "core/U_TextCodec.h"

#include <QStringDecoder>

#include <array>
#include <cstring>

namespace TextCodec {

namespace {
// 0x80..0x9F; the five bytes Windows-1252 leaves free map to the C1 controls of the same
// value, so that any byte read comes back unchanged when written.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte for `c`, or -1 when Windows-1252 has none.
int ByteFor(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

// Runs of plain ASCII, the bulk of every file, are encoded a block at a time: a test and a
// copy the compiler turns into vector instructions.
constexpr qsizetype kAsciiRun = 16;

bool IsAsciiRun(const char16_t* in)
{
    std::array<quint64, kAsciiRun / 4> words;
    std::memcpy(words.data(), in, sizeof words);
    quint64 any = 0;
    for (const quint64 w : words)
        any |= w;
    return (any & 0xFF80FF80FF80FF80ULL) == 0;
}

} // namespace

bool IsAscii(const QByteArray& bytes)
{
    for (const char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    return true;
}

TEncoding Detect(const QByteArray& bytes)
{
    if (IsAscii(bytes))
        return TEncoding::Windows1252;
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? TEncoding::Windows1252 : TEncoding::Utf8;
}

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = (u >= 0x80 && u < 0xA0) ? QChar(kHighControls[u - 0x80]) : QChar(u);
    }
    return text;
}

QString Decode(const QByteArray& bytes)
{
    if (Detect(bytes) == TEncoding::Utf8)
        return QString::fromUtf8(bytes);
    return DecodeWindows1252(bytes);
}

bool FitsWindows1252(const QString& text)
{
    for (const QChar c : text)
        if (ByteFor(c.unicode()) < 0)
            return false;
    return true;
}

QByteArray EncodeWindows1252(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        const int b = ByteFor(c.unicode());
        *out++ = static_cast<char>(b < 0 ? '?' : b);
    }
    return bytes;
}

QByteArray Encode(const QString& text)
{
    const qsizetype n = text.size();
    QByteArray bytes(n, Qt::Uninitialized);
    char* out = bytes.data();
    const auto* in = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = 0; i < n;) {
        if (i + kAsciiRun <= n && IsAsciiRun(in + i)) {
            std::array<char16_t, kAsciiRun> run;
            std::memcpy(run.data(), in + i, sizeof run);
            for (qsizetype k = 0; k < kAsciiRun; ++k)
                out[i + k] = static_cast<char>(run[static_cast<std::size_t>(k)]);
            i += kAsciiRun;
            continue;
        }
        const int b = ByteFor(in[i]);
        if (b < 0)
            return text.toUtf8();
        out[i++] = static_cast<char>(b);
    }
    return bytes;
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString JoinLines(const QStringList& lines)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

} // namespace TextCodec
