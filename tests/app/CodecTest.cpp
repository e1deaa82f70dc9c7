#include "TestEnv.h"
#include "TestFiles.h"
#include "app/U_TextCodec.h"
#include "app/U_TextFile.h"

#include <QFile>

#include <csignal>
#include <sys/resource.h>

using namespace TextCodec;

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

TEST(Codec, Utf8IsRecognisedOnlyWithMultiByteSequencesAndWrittenOnlyWhenNeeded)
{
    EXPECT_EQ(Detect(QByteArray("caf\xC3\xA9")), TEncoding::Utf8);
    EXPECT_EQ(Decode(QByteArray("caf\xC3\xA9")), QString::fromUtf8("café"));
    EXPECT_EQ(Detect(QByteArray("caf\xE9")), TEncoding::Windows1252);
    EXPECT_EQ(Decode(QByteArray("caf\xE9")), QString::fromUtf8("café"));
    // Broken UTF-8 is read as Windows-1252 rather than losing bytes.
    EXPECT_EQ(Decode(QByteArray("\xC3\x28")).size(), 2);

    const QString text = QString::fromUtf8("Réunion → 東京 ✓");
    EXPECT_FALSE(FitsWindows1252(text));
    EXPECT_EQ(Encode(text), text.toUtf8());
    EXPECT_EQ(Encode(QString::fromUtf8("é€")), QByteArray("\xE9\x80"));
}

TEST(Codec, LinesSplitOnCrLfLfOrCrAndJoinWithCrLf)
{
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), QStringList({"a", "", "b"}));
    EXPECT_EQ(SplitLines(""), QStringList());
    EXPECT_EQ(SplitLines("\n"), QStringList({""}));
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

using TextFiles = TarvelleTest;

TEST_F(TextFiles, ReplaceWritesWindows1252WithCrLfOrUtf8WhenNeededAndReadsLf)
{
    const QString path = home.filePath("notes.txt");
    ASSERT_TRUE(TextFile::ReplaceLines(path, {QString::fromUtf8("été"), "fin"}));
    EXPECT_EQ(ReadBytes(path), QByteArray("\xE9t\xE9\r\nfin\r\n"));
    const QStringList wide{QString::fromUtf8("été"), QString::fromUtf8("Ω")};
    ASSERT_TRUE(TextFile::ReplaceLines(path, wide));
    QStringList back;
    ASSERT_TRUE(TextFile::ReadLines(path, back));
    EXPECT_EQ(back, wide);

    WriteBytes(path, "un;deux\ntrois\xE9\n");
    ASSERT_TRUE(TextFile::ReadLines(path, back));
    EXPECT_EQ(back, QStringList({"un;deux", QString::fromUtf8("troisé")}));
}

TEST_F(TextFiles, FailedReplaceLeavesTheOldFileWhole)
{
    const QString path = home.filePath("missing/folder/file.txt");
    QString error;
    EXPECT_FALSE(TextFile::Replace(path, "x", &error));
    EXPECT_FALSE(error.isEmpty());

    // A write that fails half-way (file size limit) must leave the old content whole.
    const QString kept = home.filePath("kept.txt");
    WriteBytes(kept, "ancien\r\n");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool replaced = TextFile::Replace(kept, QString(4096, u'x'), &error);
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(ReadBytes(kept), QByteArray("ancien\r\n"));
}

TEST_F(TextFiles, AppendNeverMixesEncodings)
{
    const QString path = home.filePath("alarms.csv");
    ASSERT_TRUE(TextFile::AppendLines(path, {QString::fromUtf8("07/12/2026;10:00:00;café")}));
    EXPECT_EQ(ReadBytes(path), QByteArray("07/12/2026;10:00:00;caf\xE9\r\n"));
    ASSERT_TRUE(TextFile::AppendLines(path, {QString::fromUtf8("08/12/2026;11:00:00;東京")}));
    QStringList lines;
    ASSERT_TRUE(TextFile::ReadLines(path, lines));
    EXPECT_EQ(lines, QStringList({QString::fromUtf8("07/12/2026;10:00:00;café"),
                                  QString::fromUtf8("08/12/2026;11:00:00;東京")}));
    ASSERT_TRUE(TextFile::AppendLines(path, {QString::fromUtf8("né")}));
    ASSERT_TRUE(TextFile::ReadLines(path, lines));
    EXPECT_EQ(lines.last(), QString::fromUtf8("né"));
}

TEST(Codec, OneCharacterOutsideAsciiIsSeenWhereverItStands)
{
    const QString ascii = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzABCDEF");
    for (qsizetype at = 0; at < ascii.size(); ++at) {
        QString text = ascii;
        text[at] = QChar(0xE9);
        QByteArray expected = ascii.toLatin1();
        expected[at] = '\xE9';
        ASSERT_EQ(Encode(text), expected) << at;
        text[at] = QChar(0x6771);
        ASSERT_EQ(Encode(text), text.toUtf8()) << at;
    }
}
