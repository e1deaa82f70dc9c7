#include "TestEnv.h"
#include "TestFiles.h"
#include "core/U_IniFile.h"

#include <QFile>

const QByteArray kSample =
    QByteArrayList{
        "; en-t\xEAte",  "hors=section", "[Alpha]",    "  un = 1 ",  "",
        "; commentaire", "sans egal",    "deux=2=bis", "",           "; au sujet de Beta",
        "[ beta ]",      "trois=3",      "[ALPHA]",    "un=doublon", ""}
        .join("\r\n");

class IniFile : public TarvelleTest
{
protected:
    TIniFile Loaded(const QByteArray& bytes)
    {
        WriteBytes(path, bytes);
        TIniFile ini(path);
        EXPECT_TRUE(ini.Load());
        return ini;
    }
    QString path = home.filePath("test.ini");
};

TEST_F(IniFile, SectionLinesAreTheEntriesOfTheFirstSectionOfThatName)
{
    const TIniFile ini = Loaded(kSample);
    EXPECT_EQ(ini.SectionLines("alpha"), QStringList({"un=1", "sans egal", "deux=2=bis"}));
    EXPECT_EQ(ini.SectionLines("Beta"), QStringList({"trois=3"}));
    EXPECT_TRUE(ini.SectionLines("Gamma").isEmpty());
    EXPECT_FALSE(ini.HasSection("Gamma"));
    EXPECT_EQ(ini.ReadString("ALPHA", "UN", "x"), "1");
    EXPECT_EQ(ini.ReadString("Alpha", "deux", "x"), "2=bis");
    EXPECT_EQ(ini.ReadString("Alpha", "hors", "x"), "x");
    EXPECT_EQ(ini.ReadString("Gamma", "un", "x"), "x");
}

TEST_F(IniFile, WritingRewritesOnlyItsLineNewKeysGoAfterTheLastEntryAndSectionsAtTheEnd)
{
    TIniFile ini = Loaded(kSample);
    ini.WriteString("ALPHA", "Un", "11");
    ini.WriteString("beta", "trois", "33");
    ini.WriteString("Alpha", "quatre", "4");
    ini.WriteString("Gamma", "cinq", "5");
    ini.WriteString("Gamma", "six", "6");
    ASSERT_TRUE(ini.Save());
    QByteArray expected = kSample;
    expected.replace("  un = 1 \r\n", "un=11\r\n").replace("trois=3", "trois=33");
    expected.replace("deux=2=bis\r\n", "deux=2=bis\r\nquatre=4\r\n");
    expected.append("\r\n[Gamma]\r\ncinq=5\r\nsix=6\r\n");
    EXPECT_EQ(ReadBytes(path), expected);

    // A section without entries takes its first one right after its header.
    TIniFile empty = Loaded("[Vide]\r\n\r\n[Suite]\r\na=1\r\n");
    empty.WriteString("Vide", "b", "2");
    EXPECT_EQ(empty.Lines(), QStringList({"[Vide]", "b=2", "", "[Suite]", "a=1"}));
}

TEST_F(IniFile, AnUnchangedFileIsNeverRewrittenAndAValueCannotBreakIntoSeveralLines)
{
    EXPECT_FALSE(TIniFile(home.filePath("absent.ini")).Load());
    TIniFile ini = Loaded("[S]\nk = v\n");
    ini.WriteString("s", "K", "v");
    EXPECT_FALSE(ini.Modified());
    QFile::remove(path);
    ASSERT_TRUE(ini.Save());
    EXPECT_FALSE(QFile::exists(path)) << "a save with nothing to write touched the disk";
    ini.WriteString("S", "k", "a\r\n[Options]\nb");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(path), QByteArray("[S]\r\nk=a  [Options] b\r\n"));
}

TEST_F(IniFile, ReadsUtf8LfAndAByteOrderMarkAndKeepsNulBytesAndHugeLinesAsTheyAre)
{
    TIniFile ini = Loaded("\xEF\xBB\xBF[Composants]\nCouleur g\xC3\xA9n\xC3\xA9rale A=1\n");
    EXPECT_EQ(ini.SectionLines("Composants"), QStringList({"Couleur générale A=1"}));
    ini.WriteString("Composants", "Couleur générale A", "2");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(path), QByteArray("[Composants]\r\nCouleur g\xE9n\xE9rale A=2\r\n"));

    QByteArray bytes("[S]\r\na=\0x\r\n; ", 13);
    bytes.append(QByteArray(1 << 20, 'z')).append("\r\n");
    ini = Loaded(bytes);
    EXPECT_EQ(ini.SectionLines("S"), QStringList({QString("a=") + QChar(0) + "x"}));
    ini.WriteString("S", "b", "1");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(path), QByteArray(bytes).insert(11, "b=1\r\n"));
}
