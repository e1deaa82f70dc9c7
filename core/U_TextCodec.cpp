#include "core/U_TextCodec.h"

#include <array>
#include <bit>
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

// Where the character starting at `in` ends when it is strict UTF-8 (no overlong form, no
// surrogate, nothing beyond U+10FFFF, nothing cut off), else nullptr.
const uchar* NextUtf8(const uchar* in, const uchar* end)
{
    const uchar b = *in;
    if (b < 0x80)
        return in + 1;
    int extra = 3;
    uchar lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        extra = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
        extra = 2;
        lo = b == 0xE0 ? 0xA0 : 0x80;
        hi = b == 0xED ? 0x9F : 0xBF;
    } else if (b < 0xF0 || b > 0xF4) {
        return nullptr;
    }
    if (end - in <= extra || in[1] < lo || in[1] > hi)
        return nullptr;
    for (int k = 2; k <= extra; ++k)
        if ((in[k] & 0xC0) != 0x80)
            return nullptr;
    return in + extra + 1;
}

bool IsUtf8(const uchar* in, const uchar* end)
{
    while (in && in < end)
        in = NextUtf8(in, end);
    return in != nullptr;
}

// Only for bytes IsUtf8 accepted.
char16_t* DecodeUtf8(const uchar* in, const uchar* end, char16_t* out)
{
    while (in < end) {
        const uchar b = *in;
        const int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            c = (c << 6) | (in[k] & 0x3F);
        in += extra + 1;
        if (c > 0xFFFF) {
            *out++ = QChar::highSurrogate(c);
            *out++ = QChar::lowSurrogate(c);
        } else {
            *out++ = static_cast<char16_t>(c);
        }
    }
    return out;
}

char16_t* DecodeWindows1252(const uchar* in, const uchar* end, char16_t* out)
{
    for (; in < end; ++in)
        *out++ = (*in >= 0x80 && *in < 0xA0) ? kHighControls[*in - 0x80] : *in;
    return out;
}

// Lines and their ASCII runs are searched eight bytes at a time. In each mask the lowest bit
// set marks the first byte sought; higher bits may be false.
constexpr quint64 kOnes = 0x0101010101010101ULL, kHighBits = 0x8080808080808080ULL;

quint64 Word(const uchar* in)
{
    quint64 word;
    std::memcpy(&word, in, sizeof word);
    return word;
}

quint64 BytesEqual(quint64 word, uchar b)
{
    const quint64 x = word ^ (kOnes * b);
    return (x - kOnes) & ~x & kHighBits;
}

template <typename TMask> const uchar* FindByte(const uchar* in, const uchar* end, TMask mask)
{
    for (; end - in >= 8; in += 8)
        if (const quint64 found = mask(Word(in)))
            return in + std::countr_zero(found) / 8;
    quint64 last = 0;
    std::memcpy(&last, in, static_cast<std::size_t>(end - in));
    const quint64 found = mask(last) & ((1ULL << (8 * (end - in))) - 1);
    return found ? in + std::countr_zero(found) / 8 : end;
}

const uchar* LineEnd(const uchar* in, const uchar* end)
{
    return FindByte(in, end, [](quint64 w) { return BytesEqual(w, '\n') | BytesEqual(w, '\r'); });
}

const uchar* SkipAscii(const uchar* in, const uchar* end)
{
    return FindByte(in, end, [](quint64 w) { return w & kHighBits; });
}

// Copies the plain ASCII run at `in`.
const uchar* CopyAscii(const uchar* in, const uchar* end, char16_t*& out)
{
    while (end - in >= 8 && !(Word(in) & kHighBits)) {
        for (int k = 0; k < 8; ++k)
            *out++ = in[k];
        in += 8;
    }
    while (in < end && *in < 0x80)
        *out++ = *in++;
    return in;
}

// Whether some line of these Windows-1252 bytes would be read back as UTF-8.
bool SomeLineLooksUtf8(const QByteArray& bytes)
{
    const auto* in = reinterpret_cast<const uchar*>(bytes.constData());
    const auto* end = in + bytes.size();
    while ((in = SkipAscii(in, end)) < end) {
        const uchar* lineEnd = LineEnd(in, end);
        if (IsUtf8(in, lineEnd))
            return true;
        in = lineEnd;
    }
    return false;
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
    const auto* in = reinterpret_cast<const uchar*>(bytes.constData());
    return !IsAscii(bytes) && IsUtf8(in, in + bytes.size()) ? TEncoding::Utf8
                                                            : TEncoding::Windows1252;
}

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    const auto* in = reinterpret_cast<const uchar*>(bytes.constData());
    DecodeWindows1252(in, in + bytes.size(), reinterpret_cast<char16_t*>(text.data()));
    return text;
}

namespace {
const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

// After its two-byte mark; an odd last byte, half a character, becomes U+FFFD.
QString DecodeUtf16(const QByteArray& bytes)
{
    const bool bigEndian = static_cast<uchar>(bytes.at(0)) == 0xFE;
    const auto* in = reinterpret_cast<const uchar*>(bytes.constData()) + 2;
    const qsizetype units = (bytes.size() - 2) / 2;
    QString text(units, Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < units; ++i, in += 2)
        out[i] = bigEndian ? static_cast<char16_t>(in[0] << 8 | in[1])
                           : static_cast<char16_t>(in[1] << 8 | in[0]);
    if (bytes.size() % 2 != 0)
        text.append(QChar::ReplacementCharacter);
    return text;
}

QString DecodeMixed(const uchar* in, const uchar* end)
{
    // Neither encoding gives more UTF-16 units than there are bytes.
    QString text(end - in, Qt::Uninitialized);
    auto* const start = reinterpret_cast<char16_t*>(text.data());
    char16_t* out = start;
    // Up to there the line under way is Windows-1252.
    const uchar* windows1252Until = in;
    while ((in = CopyAscii(in, end, out)) < end) {
        if (in >= windows1252Until) {
            // What went before on this line is ASCII, the same in both: the rest decides.
            const uchar* lineEnd = LineEnd(in, end);
            if (IsUtf8(in, lineEnd)) {
                out = DecodeUtf8(in, lineEnd, out);
                in = lineEnd;
                continue;
            }
            windows1252Until = lineEnd;
        }
        out = DecodeWindows1252(in, in + 1, out);
        ++in;
    }
    text.truncate(out - start);
    return text;
}
} // namespace

bool HasUtf16Mark(const QByteArray& bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

QString Decode(const QByteArray& bytes)
{
    if (HasUtf16Mark(bytes))
        return DecodeUtf16(bytes);
    const auto* in = reinterpret_cast<const uchar*>(bytes.constData());
    const auto* end = in + bytes.size();
    // The mark some editors put first is no part of the text.
    return DecodeMixed(bytes.startsWith(kUtf8Mark) ? in + kUtf8Mark.size() : in, end);
}

bool FitsWindows1252(const QString& text)
{
    for (const QChar c : text)
        if (ByteFor(c.unicode()) < 0)
            return false;
    return !SomeLineLooksUtf8(EncodeWindows1252(text));
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
    // Set by a lead byte followed by a continuation byte, without which no line is UTF-8.
    bool utf8Pair = false;
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
        if (b >= 0x80 && b < 0xC0 && i > 0) {
            const auto lead = static_cast<uchar>(out[i - 1]);
            utf8Pair = utf8Pair || (lead >= 0xC2 && lead <= 0xF4);
        }
        out[i++] = static_cast<char>(b);
    }
    // A line such as "Ã©" would come back as "é": UTF-8 keeps it as it is.
    return utf8Pair && SomeLineLooksUtf8(bytes) ? text.toUtf8() : bytes;
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
