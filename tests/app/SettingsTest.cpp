#include "TestEnv.h"
#include "TestFiles.h"
#include "app/U_Settings.h"
#include "app/U_TextCodec.h"
#include "app/U_TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <tuple>

namespace {
// A complete file (tests/data) with values that all differ from the defaults.
QStringList FullLines()
{
    QStringList lines;
    EXPECT_TRUE(TextFile::ReadLines(TARVELLE_SOURCE_DIR "/tests/data/ConfigMnemo_full.ini", lines));
    return lines;
}

// What FullLines holds.
TSettingsValues FullValues()
{
    TSettingsValues v;
    v.colours = {0x030201, 0x060504, "h", 0x090807, 0x0C0B0A, 0x0F0E0D, 0x121110, 0x151413};
    v.clipB_mnu = v.SVG_Mode = v.timeOnRecording = false;
    v.noRepeatClpB = v.AjoutHRE = v.affichDown = v.EditorAnchored = true;
    std::tie(v.mainLeft, v.mainTop, v.TracerLeft, v.TracerTop, v.NotesLeft, v.NotesTop) =
        std::tuple{100, 200, -30, 40, 50, 60};
    v.NotesVisible = v.ShowNotesAtStart = v.posDft = v.SettingsDirty = v.TracerVisible = false;
    v.SVG_Auto = v.startTracer = v.distinctFiles = v.savedDistinctFiles = v.StartAsIcon = true;
    return v;
}

const QSize kScreen(1920, 1080);
const QSize kMain(277, 116);
} // namespace

class Settings : public TarvelleTest
{
protected:
    // The lines, the full file by default, with some of them (by index) replaced.
    void Write(QStringList lines = FullLines(), const QList<std::pair<int, QString>>& replaced = {})
    {
        for (const auto& [at, line] : replaced)
            lines[at] = line;
        WriteBytes(path, TextCodec::Encode(lines.join("\r\n")));
    }
    TSettingsValues Loaded(bool complete)
    {
        TSettingsValues values;
        EXPECT_EQ(LoadSettings(path, values, kScreen, kMain), complete);
        return values;
    }
    QString path = home.filePath("ConfigMnemo.ini");
};

TEST_F(Settings, EveryPositionReachesItsSettingAlsoFromUtf8WithLfAndReorderedKeysGoAstray)
{
    for (const QByteArray& bytes :
         {TextCodec::Encode(FullLines().join("\r\n")), FullLines().join("\n").toUtf8()}) {
        WriteBytes(path, bytes);
        EXPECT_EQ(Loaded(true), FullValues());
    }
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());

    // Reordered keys give values to the wrong settings.
    QStringList lines = FullLines();
    lines.swapItemsAt(18, 19);     // Left Fragm and Top Fragm
    lines.swapItemsAt(11, 12);     // Option ClipBoard and Repeat on Ctrl+C
    lines.insert(20, "Inconnu=5"); // moves Left Traceur onwards down by one
    Write(lines);
    const TSettingsValues values = Loaded(true);
    EXPECT_EQ(std::tuple(values.mainLeft, values.mainTop, values.TracerLeft, values.TracerTop,
                         values.NotesTop, values.clipB_mnu, values.noRepeatClpB),
              std::tuple(200, 100, 5, -30, 50, true, false));
}

TEST_F(Settings, MissingFileKeepsTheDefaultsAndTheFirstSaveMakesItReadable)
{
    TSettingsValues values = Loaded(false);
    EXPECT_EQ(values, TSettingsValues{});
    EXPECT_EQ(SettingsLoadMessage(),
              "Problème au chargement :\r\rRecharger ConfigMnemo.ini dans le dossier\r" +
                  AppFolder());
    // Defaults saved into no file give the distributed file, colours included; that file
    // asks for default positions at the first start.
    const QString distributed = TARVELLE_SOURCE_DIR "/resources/ConfigMnemo.ini";
    ASSERT_TRUE(SaveSettings(path, values, false, true));
    EXPECT_EQ(ReadBytes(path), ReadBytes(distributed).replace("posDefault=1", "posDefault=0"));
    TSettingsValues expected;
    expected.posDefault = "1";
    expected.ShowNotesAtStart = true; // read from "Mnemo visible"
    ASSERT_TRUE(LoadSettings(distributed, values, kScreen, kMain));
    EXPECT_EQ(values, expected);
    // A file without "Composants" gets it at a save with the colours unchanged too, or the
    // options saved now would never be read back.
    WriteBytes(path, "[Options]\r\n");
    values.StartAsIcon = values.AjoutHRE = true;
    values.mainLeft = 10;
    ASSERT_TRUE(SaveSettings(path, values, false, true));
    values.posDefault = "0";
    EXPECT_EQ(Loaded(true), values);
}

TEST_F(Settings, ReadingStopsAtTheFirstFaultyLineKeepingWhatWasReadBefore)
{
    for (const QByteArray& bytes : {QByteArray(), QByteArray("[Options]\r\n"),
                                    QByteArray("\r\n\r\n; rien\r\n"), QByteArray(64, '\0')}) {
        WriteBytes(path, bytes);
        EXPECT_EQ(Loaded(false), TSettingsValues{}) << bytes.toStdString();
    }
    Write(FullLines().mid(0, 22)); // Options cut after "Top Traceur" (position 10)
    TSettingsValues values = Loaded(false);
    EXPECT_EQ(values.colours, FullValues().colours);
    EXPECT_TRUE(values.EditorAnchored && values.AjoutHRE);
    EXPECT_EQ(std::pair(values.TracerTop, values.NotesLeft), std::pair(40, 0));
    EXPECT_TRUE(values.NotesVisible && values.posDft && values.SettingsDirty);

    // An option that is no integer reads as if the file ended before it.
    const auto expectCutAt = [&](QStringList lines, int at, const QString& line) {
        SCOPED_TRACE(line.left(40).toStdString());
        Write(lines.mid(0, at));
        const TSettingsValues cut = Loaded(false);
        Write(lines, {{at, line}});
        EXPECT_EQ(Loaded(false), cut);
    };
    for (const char* text : {"abc", "", "12a", "1.5", "0x10", "--3", "2147483648", "- 4"})
        expectCutAt(FullLines(), 19, QString("Top Fragm=") + text);
    expectCutAt(FullLines(), 18, QString("Left Fragm=4") + QChar(0) + "1");
    QStringList lines = FullLines();
    lines.insert(12, ";" + QString(1 << 20, u'x'));
    expectCutAt(lines, 19, "Left Fragm=" + QString(1 << 20, u'9'));
    Write(FullLines(), {{31, QString("StartJustIcon=1") + QChar(0)}});
    EXPECT_FALSE(Loaded(true).StartAsIcon) << "1 followed by NUL is not 1";
    for (const auto& [text, number] :
         {std::pair{"-2147483648", -2147483647 - 1}, {"+7", 7}, {"  -12  ", -12}, {"007", 7}}) {
        Write(FullLines(), {{19, QString("Top Fragm=") + text}});
        EXPECT_EQ(Loaded(true).mainTop, number) << text;
    }

    // The direction is read first, then A; B and everything after keep their defaults.
    TColourSettings readBeforeB;
    readBeforeB.GradientDirection = "h";
    readBeforeB.GradientColourA = 0x030201;
    for (const char* colour : {"255abc255", "25525525", "", "256000000", "-01002003"}) {
        Write(FullLines(), {{2, QString("Couleur générale B=") + colour}});
        EXPECT_EQ(Loaded(false).colours, readBeforeB) << colour;
    }
    // "Composants" with three entries: the direction, A and B are read, nothing after them.
    lines = FullLines();
    lines.erase(lines.begin() + 4, lines.begin() + 9);
    Write(lines);
    TSettingsValues readUpToB;
    readUpToB.colours = readBeforeB;
    readUpToB.colours.GradientColourB = 0x060504;
    EXPECT_EQ(Loaded(false), readUpToB);
}

TEST_F(Settings, PositionsDefaultBeyondTheRightOrBottomEdgeOrOnceWhenAskedAndPosDftSkipsOneSave)
{
    for (const auto& [left, top, wanted] :
         {std::tuple{1644, 965, false}, {1645, 0, true}, {0, 966, true}, {-300, -50, false}}) {
        Write(FullLines(), {{18, "Left Fragm=" + QString::number(left)},
                            {19, "Top Fragm=" + QString::number(top)}});
        const TSettingsValues values = Loaded(true);
        EXPECT_EQ(DefaultPositionsWanted(values), wanted) << left << "," << top;
        EXPECT_EQ(values.mainLeft, left) << "a negative position is kept";
    }
    // Also when the file breaks off after the main window's position was read.
    Write(FullLines().mid(0, 20), {{18, "Left Fragm=5000"}});
    EXPECT_TRUE(DefaultPositionsWanted(Loaded(false)));

    // "Positionnement par défaut" acts once, unless checked again.
    Write(FullLines(), {{28, "posDefault=1"}});
    TSettingsValues values = Loaded(true);
    EXPECT_TRUE(DefaultPositionsWanted(values));
    EXPECT_FALSE(values.mnuPosByDef);
    for (const bool checkedAgain : {false, true}) {
        values.mnuPosByDef = checkedAgain;
        ASSERT_TRUE(SaveSettings(path, values, false, true));
        EXPECT_EQ(DefaultPositionsWanted(Loaded(true)), checkedAgain);
    }

    // Unchecking "Position par dft" skips the positions of one save only.
    Write();
    values = FullValues();
    std::tie(values.mainLeft, values.NotesTop) = std::pair(7, 8);
    Glb().SettingsDirty = false;
    PosDftClicked(false);
    EXPECT_TRUE(Glb().SettingsDirty);
    for (const auto& [mainLeft, notesTop] : {std::pair{100, 60}, {7, 8}}) {
        ASSERT_TRUE(SaveSettingsAtClose(path, values));
        EXPECT_TRUE(Glb().SavePositions) << "on again after every save";
        const TSettingsValues back = Loaded(true);
        EXPECT_EQ(std::pair(back.mainLeft, back.NotesTop), std::pair(mainLeft, notesTop));
    }
    // Positions missing from the file are written even when skipped: the later keys keep
    // their places.
    QFile::remove(path);
    ASSERT_TRUE(SaveSettings(path, FullValues(), false, false));
    EXPECT_EQ(Loaded(true), FullValues());
}

TEST_F(Settings, SavingRewritesOnlyChangedValuesAndNothingAtAllWhenNothingChanged)
{
    QStringList lines = FullLines(); // "Position par dft" = 0
    lines.insert(0, "; fichier de Tarvelle");
    lines.insert(11, "");
    lines.insert(13, "; options");
    lines.append({"Inconnu=7", "", "[Autre]", "cle=valeur"});
    Write(lines);
    // Backdated, so that any rewrite shows in the modification time.
    const QDateTime longAgo(QDate(2020, 1, 1), QTime(12, 0));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    file.close();
    TSettingsValues values = Loaded(true);
    StoreSettingsInGlb(values);
    EXPECT_FALSE(Glb().SettingsDirty);
    values.AjoutHRE = false; // an item that does not set SettingsDirty
    EXPECT_TRUE(SaveSettingsAtClose(path, values));
    // A save that is due but finds every value as it is leaves the file alone too.
    ASSERT_TRUE(SaveSettings(path, FullValues(), true, true));
    EXPECT_EQ(QFileInfo(path).lastModified(), longAgo);

    values = FullValues();
    values.StartAsIcon = false;
    values.clipB_mnu = true;
    values.colours = TColourSettings{}; // not confirmed ("mais non..."): the file keeps its own
    ASSERT_TRUE(SaveSettings(path, values, false, true));
    lines[14] = "Option ClipBoard=1";
    lines[34] = "StartJustIcon=0";
    EXPECT_EQ(TextCodec::Decode(ReadBytes(path)), TextCodec::JoinLines(lines));
    Glb().ColoursChanged = true;
    ASSERT_TRUE(SaveSettingsAtClose(path, values));
    EXPECT_EQ(Loaded(true).colours, TColourSettings{});
    EXPECT_FALSE(Glb().ColoursChanged);
}

TEST_F(Settings, AFileThatCannotBeWrittenIsLeftWholeAndNothingIsSaid)
{
    Write();
    const QByteArray before = ReadBytes(path);
    // A file size limit makes the write fail half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{64, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = SaveSettings(path, TSettingsValues{}, true, true);
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(path), before);
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkdir(path));
    Loaded(false);
    EXPECT_FALSE(SaveSettings(path, {}, true, true)) << "a folder is no settings file";
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}
