#include "TestEnv.h"
#include "TestFiles.h"
#include "core/U_TextCodec.h"
#include "core/U_TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace TextCodec;

namespace {
// The text as another editor writes UTF-16: with its byte order mark.
QByteArray Utf16(const QString& text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}
} // namespace

TEST(Codec, EveryWindows1252ByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(Detect(all), TEncoding::Windows1252);
    const QString text = Decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0xE9), QChar(0xE9));   // é
    EXPECT_EQ(text.at(0x80), QChar(0x20AC)); // €
    EXPECT_EQ(text.at(0x9C), QChar(0x0153)); // œ
    EXPECT_TRUE(FitsWindows1252(text));
    EXPECT_EQ(Encode(text), all);
}

TEST(Codec, LinesEndInCrLfLfOrCrAndAreJoinedWithCrLf)
{
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), QStringList({"a", "", "b"}));
    EXPECT_EQ(SplitLines(""), QStringList());
    EXPECT_EQ(SplitLines("\n"), QStringList({""}));
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(Codec, Utf8IsRecognisedOnlyWithMultiByteSequencesAndWrittenOnlyWhenNeeded)
{
    EXPECT_EQ(Detect(QByteArray("caf\xC3\xA9")), TEncoding::Utf8);
    EXPECT_EQ(Decode(QByteArray("caf\xC3\xA9")), "café");
    EXPECT_EQ(Detect(QByteArray("caf\xE9")), TEncoding::Windows1252);
    EXPECT_EQ(Decode(QByteArray("caf\xE9")), "café");
    // Broken UTF-8 is read as Windows-1252 rather than losing bytes.
    EXPECT_EQ(Decode(QByteArray("\xC3\x28")).size(), 2);

    const QString wide = QString::fromUtf8("Réunion → 東京 ✓");
    EXPECT_FALSE(FitsWindows1252(wide));
    EXPECT_EQ(Encode(wide), wide.toUtf8());
    EXPECT_EQ(Encode(QString::fromUtf8("é€")), QByteArray("\xE9\x80"));
    // Plain ASCII is encoded in blocks: one other character is seen wherever it stands.
    const QString ascii = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzABCDEF");
    for (qsizetype at = 0; at < ascii.size(); ++at) {
        QString text = ascii;
        text[at] = QChar(0xE9);
        ASSERT_EQ(Encode(text), QByteArray(ascii.toLatin1()).replace(at, 1, "\xE9")) << at;
        text[at] = QChar(0x6771);
        ASSERT_EQ(Encode(text), text.toUtf8()) << at;
    }
}

// One stray byte in a UTF-8 file spoils its own line only; a line is UTF-8 only when it is
// strict UTF-8 as a whole. Whatever is written comes back the same, line by line.
TEST(Codec, EachLineIsReadInItsOwnEncodingAndWrittenToComeBackTheSame)
{
    EXPECT_EQ(Decode("\xC3\x89t\xC3\xA9\r\ncaf\xE9\nNo\xC3\xABl \xE2\x9C\x93\rfin\xE9"),
              QString::fromUtf8("Été\r\ncafé\nNoël ✓\rfiné"));
    EXPECT_EQ(Decode("\xC3\xA9 \xE9"), QString::fromUtf8("Ã© é"));
    EXPECT_EQ(Decode("\xF0\x9F\x98\x80"), QString::fromUtf8("😀"));
    // Overlong, surrogate, beyond U+10FFFF, cut short: not UTF-8, one character per byte.
    for (const QByteArray bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"})
        EXPECT_EQ(Decode(bad), DecodeWindows1252(bad)) << bad.toHex().constData();

    // Windows-1252 bytes that happen to be UTF-8 would come back changed: such text is UTF-8.
    for (const char* text : {"Ã©", "un\r\nÃ©t\r\nété", "Ã© é", "€ ½", "😀"}) {
        const QString original = QString::fromUtf8(text);
        EXPECT_EQ(Decode(Encode(original)), original) << text;
    }
    // Line ends and other bytes are looked for eight bytes at a time: wherever they stand.
    const QByteArray ascii = "0123456789abcdefghijklmnopqrstuv";
    for (qsizetype at = 0; at <= ascii.size(); ++at) {
        const QByteArray head = ascii.left(at), tail = ascii.mid(at);
        ASSERT_EQ(Decode(head + "\xE9\n" + tail + "\xC3\xA9"),
                  QString::fromUtf8(head + "é\n" + tail + "é"))
            << at;
        const QString text = QString::fromUtf8(head + "é\r" + tail + "Ã©");
        ASSERT_EQ(Decode(Encode(text)), text) << at;
    }
    EXPECT_FALSE(FitsWindows1252(QString::fromUtf8("Ã©")));
    EXPECT_EQ(Encode(QString::fromUtf8("Ã©")), QByteArray("\xC3\x83\xC2\xA9"));
    EXPECT_EQ(Encode(QString::fromUtf8("Ã© é")), QByteArray("\xC3\xA9 \xE9"));
}

// Marks some editors put first: a UTF-8 one is no part of the text, a UTF-16 one (either
// byte order) makes the file UTF-16.
TEST(Codec, AByteOrderMarkIsLeftOutAndUtf16WithItsMarkIsRead)
{
    EXPECT_EQ(Decode("\xEF\xBB\xBF"
                     "07/12/2026;10:00:00;caf\xC3\xA9\r\n"),
              QString::fromUtf8("07/12/2026;10:00:00;café\r\n"));
    EXPECT_EQ(Decode("\xEF\xBB\xBF"
                     "caf\xE9"),
              "café");
    EXPECT_EQ(Decode("\xEF\xBB\xBF"), "");
    const QString text = QString::fromUtf8("été;東京 😀\r\nfin");
    const QByteArray little = Utf16(text, QStringConverter::Utf16LE);
    const QByteArray big = Utf16(text, QStringConverter::Utf16BE);
    EXPECT_TRUE(HasUtf16Mark(little) && HasUtf16Mark(big));
    EXPECT_EQ(Decode(little), text);
    EXPECT_EQ(Decode(big), text);
    EXPECT_EQ(Decode(QByteArray("\xFF\xFE")), "");
    // Half a character at the end is shown as such, not dropped nor read past.
    EXPECT_EQ(Decode(little + 'x'), text + QChar::ReplacementCharacter);
    // Windows-1252 text that merely holds these letters further on stays Windows-1252.
    EXPECT_FALSE(HasUtf16Mark("a\xFF\xFE"));
    EXPECT_EQ(Decode("a\xFF\xFE"), QString::fromUtf8("aÿþ"));
}

using TextFiles = TarvelleTest;

namespace {
mode_t Mode(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}
} // namespace

TEST_F(TextFiles, WrittenAsWindows1252WithCrLfOrWholeInUtf8WhenNeededReadWithLfAndReplacedWhole)
{
    const QString path = home.filePath("notes.txt");
    ASSERT_TRUE(TextFile::ReplaceLines(path, {"été", "fin"}));
    EXPECT_EQ(ReadBytes(path), QByteArray("\xE9t\xE9\r\nfin\r\n"));
    QStringList back;
    ASSERT_TRUE(TextFile::ReplaceLines(path, {"été", "Ω"}));
    ASSERT_TRUE(TextFile::ReadLines(path, back));
    EXPECT_EQ(back, QStringList({"été", "Ω"}));
    WriteBytes(path, "un;deux\ntrois\xE9\n");
    ASSERT_TRUE(TextFile::ReadLines(path, back));
    EXPECT_EQ(back, QStringList({"un;deux", "troisé"}));

    // Appending never mixes the two encodings in one file, in either direction.
    const QString alarms = home.filePath("alarms.csv");
    ASSERT_TRUE(TextFile::AppendLines(alarms, {"07/12/2026;10:00:00;café"}));
    EXPECT_EQ(ReadBytes(alarms), QByteArray("07/12/2026;10:00:00;caf\xE9\r\n"));
    for (const char* line : {"08/12/2026;11:00:00;東京", "né"})
        ASSERT_TRUE(TextFile::AppendLines(alarms, {line}));
    ASSERT_TRUE(TextFile::ReadLines(alarms, back));
    EXPECT_EQ(back, QStringList({"07/12/2026;10:00:00;café", "08/12/2026;11:00:00;東京", "né"}));

    // A failed replace leaves the old file whole.
    QString error;
    EXPECT_FALSE(TextFile::Replace(home.filePath("missing/folder/file.txt"), "x", &error));
    EXPECT_FALSE(error.isEmpty());

    // A write that fails half-way (file size limit) must leave the old content whole.
    const QString kept = home.filePath("kept.txt");
    WriteBytes(kept, "ancien\r\n");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit small{64, before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const bool replaced = TextFile::Replace(kept, QString(4096, u'x'), &error);
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(ReadBytes(kept), QByteArray("ancien\r\n"));
}

// An append cut short by a full disk or the file size limit leaves the file as it was: no
// half line that a later append would turn into a record of its own.
TEST_F(TextFiles, AnAppendCutShortLeavesTheFileAsItWas)
{
    const QString path = home.filePath("alarms.csv");
    const QByteArray old = "07/12/2026;10:00:00;a\r\n07/12/2026;11:00:00;sans fin";
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    for (const rlim_t limit : {rlim_t(old.size()), rlim_t(old.size() + 10)}) {
        SCOPED_TRACE(limit);
        WriteBytes(path, old);
        QString error;
        const rlimit small{limit, before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const bool appended =
            TextFile::AppendLines(path, {"08/12/2026;09:00:00;" + QString(200, u'x')}, &error);
        setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_FALSE(appended);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(ReadBytes(path), old);
    }
    ASSERT_TRUE(TextFile::AppendLines(path, {"08/12/2026;09:00:00;b"}));
    EXPECT_EQ(ReadBytes(path), old + "\r\n08/12/2026;09:00:00;b\r\n");
}

// A FIFO or a device in a file's place is neither read, appended to nor replaced; a link to a
// regular file is followed both ways and stays a link.
TEST_F(TextFiles, OnlyRegularFilesAreReadOrWrittenAndALinkStaysALink)
{
    QString text;
    QStringList lines;
    const QString device = home.filePath("device.csv"), fifo = home.filePath("fifo.csv");
    ASSERT_TRUE(QFile::link("/dev/null", device));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(TextFile::Read(device, text));
    EXPECT_FALSE(TextFile::AppendLines(device, {"x"}));
    EXPECT_FALSE(TextFile::Replace(fifo, "x"));
    EXPECT_TRUE(S_ISFIFO(Mode(fifo)));

    const QString target = home.filePath("vrai.csv"), link = home.filePath("lien.csv");
    ASSERT_TRUE(WriteBytes(target, "un\r\n") && QFile::link(target, link));
    ASSERT_TRUE(TextFile::ReadLines(link, lines));
    EXPECT_EQ(lines, QStringList("un"));
    ASSERT_TRUE(TextFile::ReplaceLines(link, {"deux"}));
    ASSERT_TRUE(TextFile::AppendLines(link, {"trois"}));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
    EXPECT_EQ(ReadBytes(target), "deux\r\ntrois\r\n");
}

// A replaced file keeps its mode; one whose mode lets nobody write is left whole, even to root.
TEST_F(TextFiles, AReplacedFileKeepsItsModeAndAReadOnlyFileIsNeverReplaced)
{
    const QString path = home.filePath("Traceur.csv");
    for (const mode_t kept : {0640, 0604}) {
        ASSERT_TRUE(WriteBytes(path, "ancien\r\n"));
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), kept), 0);
        ASSERT_TRUE(TextFile::Replace(path, "nouveau\r\n"));
        EXPECT_EQ(Mode(path) & 07777, kept);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    QString error;
    EXPECT_FALSE(TextFile::Replace(path, "autre\r\n", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), "nouveau\r\n");
    EXPECT_EQ(Mode(path) & 07777, 0444U);
}
