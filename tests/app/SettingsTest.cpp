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
const QDateTime kLongAgo(QDate(2020, 1, 1), QTime(12, 0));
} // namespace

class Settings : public TarvelleTest
{
protected:
    void Write(const QStringList& lines)
    {
        WriteBytes(path, TextCodec::Encode(lines.join("\r\n")));
    }
    // The full file with some of its lines (by index) replaced.
    void WriteFull(const QList<std::pair<int, QString>>& replaced = {})
    {
        QStringList lines = FullLines();
        for (const auto& [at, line] : replaced)
            lines[at] = line;
        Write(lines);
    }
    bool Load(TSettingsValues& values) { return LoadSettings(path, values, kScreen, kMain); }
    TSettingsValues Loaded(bool complete)
    {
        TSettingsValues values;
        EXPECT_EQ(Load(values), complete);
        return values;
    }
    // Backdates the file so that any rewrite shows in its modification time.
    void Backdate()
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(kLongAgo, QFileDevice::FileModificationTime));
    }
    bool Untouched() const { return QFileInfo(path).lastModified() == kLongAgo; }
    QString path = home.filePath("ConfigMnemo.ini");
};

TEST_F(Settings, EveryPositionReachesItsSettingAlsoFromUtf8WithLf)
{
    for (const QByteArray& bytes :
         {TextCodec::Encode(FullLines().join("\r\n")), FullLines().join("\n").toUtf8()}) {
        WriteBytes(path, bytes);
        const TSettingsValues values = Loaded(true);
        EXPECT_EQ(values, FullValues());
        EXPECT_FALSE(DefaultPositionsWanted(values));
    }
    EXPECT_TRUE(ReadBytes(path).contains("g\xC3\xA9n\xC3\xA9rale"));
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

TEST_F(Settings, MissingFileKeepsTheDefaultsAndTheFirstSaveMakesItReadable)
{
    TSettingsValues values = Loaded(false);
    EXPECT_EQ(values, TSettingsValues{});
    EXPECT_EQ(SettingsLoadMessage(),
              QString::fromUtf8("Problème au chargement :\r\rRecharger ConfigMnemo.ini dans le "
                                "dossier\r") +
                  AppFolder());

    // Colours never changed: the save still writes them, or the options saved now would
    // never be read back.
    values.StartAsIcon = values.AjoutHRE = true;
    values.mainLeft = 10;
    ASSERT_TRUE(SaveSettings(path, values, false, true));
    values.ShowNotesAtStart = true; // read from "Mnemo visible"
    EXPECT_EQ(Loaded(true), values);
}

TEST_F(Settings, DefaultsSavedIntoNoFileGiveTheDistributedFile)
{
    const QString distributed = TARVELLE_SOURCE_DIR "/resources/ConfigMnemo.ini";
    ASSERT_TRUE(SaveSettings(path, TSettingsValues{}, false, true));
    EXPECT_EQ(ReadBytes(path), ReadBytes(distributed).replace("posDefault=1", "posDefault=0"));

    // The distributed file asks for default positions at the first start.
    TSettingsValues values, expected;
    ASSERT_TRUE(LoadSettings(distributed, values, kScreen, kMain));
    expected.posDefault = "1";
    expected.ShowNotesAtStart = true;
    EXPECT_EQ(values, expected);
}

TEST_F(Settings, EmptyOrUnreadableFilesKeepTheDefaults)
{
    for (const QByteArray& bytes : {QByteArray(), QByteArray("[Options]\r\n"),
                                    QByteArray("\r\n\r\n; rien\r\n"), QByteArray(64, '\0')}) {
        WriteBytes(path, bytes);
        SCOPED_TRACE(bytes.toStdString());
        EXPECT_EQ(Loaded(false), TSettingsValues{});
    }
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkdir(path));
    Loaded(false);
    EXPECT_FALSE(SaveSettings(path, {}, true, true)) << "a folder is no settings file";
}

TEST_F(Settings, ReadingStopsAtTheFirstFaultKeepingWhatWasRead)
{
    // Options cut after "Top Traceur" (position 10).
    Write(FullLines().mid(0, 22));
    TSettingsValues values = Loaded(false);
    EXPECT_EQ(values.colours, FullValues().colours);
    EXPECT_TRUE(values.EditorAnchored && values.AjoutHRE);
    EXPECT_EQ(values.TracerTop, 40);
    EXPECT_EQ(values.NotesLeft, 0);
    EXPECT_TRUE(values.NotesVisible && values.posDft && values.SettingsDirty);

    // "Composants" with three entries: the direction, A and B are read, then it stops.
    QStringList lines = FullLines();
    lines.erase(lines.begin() + 4, lines.begin() + 9);
    Write(lines);
    values = Loaded(false);
    EXPECT_EQ(values.colours.GradientDirection, "h");
    EXPECT_EQ(values.colours.GradientColourB, 0x060504u);
    EXPECT_EQ(values.colours.TextBackColour, 0xE08492u);
    EXPECT_TRUE(values.clipB_mnu) << "Options are not read after the error";
}

TEST_F(Settings, AValueThatIsNoColourOrNoIntegerStopsThere)
{
    // The direction is read first, then A; B and everything after keep their defaults.
    TColourSettings readBeforeB;
    readBeforeB.GradientDirection = "h";
    readBeforeB.GradientColourA = 0x030201;
    for (const char* colour : {"255abc255", "25525525", "", "256000000", "-01002003"}) {
        WriteFull({{2, QString("Couleur générale B=") + colour}});
        SCOPED_TRACE(colour);
        EXPECT_EQ(Loaded(false).colours, readBeforeB);
    }
    for (const char* text : {"abc", "", "12a", "1.5", "0x10", "--3", "2147483648", "- 4"}) {
        WriteFull({{19, QString("Top Fragm=") + text}});
        SCOPED_TRACE(text);
        const TSettingsValues values = Loaded(false);
        EXPECT_EQ(values.mainLeft, 100);
        EXPECT_EQ(values.mainTop, 380);
        EXPECT_EQ(values.TracerLeft, 0);
    }
    for (const auto& [text, number] :
         {std::pair{"-2147483648", -2147483647 - 1}, {"+7", 7}, {"  -12  ", -12}, {"007", 7}}) {
        WriteFull({{19, QString("Top Fragm=") + text}});
        SCOPED_TRACE(text);
        EXPECT_EQ(Loaded(true).mainTop, number);
    }
}

TEST_F(Settings, HugeLinesAndNulBytesNeverCrash)
{
    QStringList lines = FullLines();
    lines.insert(12, ";" + QString(1 << 20, u'x'));
    lines[19] = "Left Fragm=" + QString(1 << 20, u'9');
    Write(lines);
    const TSettingsValues values = Loaded(false); // overflow
    EXPECT_TRUE(values.EditorAnchored);
    EXPECT_EQ(values.mainLeft, 413);

    WriteFull({{31, QString("StartJustIcon=1") + QChar(0)}});
    EXPECT_FALSE(Loaded(true).StartAsIcon) << "1 followed by NUL is not 1";
    WriteFull({{18, QString("Left Fragm=4") + QChar(0) + "1"}});
    Loaded(false);
}

TEST_F(Settings, ReorderedKeysGiveValuesToTheWrongSettings)
{
    QStringList lines = FullLines();
    lines.swapItemsAt(18, 19);     // Left Fragm and Top Fragm
    lines.swapItemsAt(11, 12);     // Option ClipBoard and Repeat on Ctrl+C
    lines.insert(20, "Inconnu=5"); // moves Left Traceur onwards down by one
    Write(lines);
    const TSettingsValues values = Loaded(true);
    EXPECT_EQ(std::tuple(values.mainLeft, values.mainTop, values.TracerLeft, values.TracerTop,
                         values.NotesTop),
              std::tuple(200, 100, 5, -30, 50));
    EXPECT_TRUE(values.clipB_mnu);
    EXPECT_FALSE(values.noRepeatClpB);
}

TEST_F(Settings, AMainWindowBeyondTheRightOrBottomEdgeAsksForDefaultPositions)
{
    for (const auto& [left, top, wanted] :
         {std::tuple{1644, 965, false}, {1645, 0, true}, {0, 966, true}, {-300, -50, false}}) {
        WriteFull({{18, "Left Fragm=" + QString::number(left)},
                   {19, "Top Fragm=" + QString::number(top)}});
        SCOPED_TRACE(testing::Message() << left << "," << top);
        const TSettingsValues values = Loaded(true);
        EXPECT_EQ(DefaultPositionsWanted(values), wanted);
        EXPECT_EQ(values.mainLeft, left) << "a negative position is kept";
    }
    // Also when the file breaks off after the main window's position was read.
    QStringList lines = FullLines().mid(0, 20);
    lines[18] = "Left Fragm=5000";
    Write(lines);
    EXPECT_TRUE(DefaultPositionsWanted(Loaded(false)));
}

TEST_F(Settings, PositionnementParDefautActsOnce)
{
    WriteFull({{28, "posDefault=1"}});
    TSettingsValues values = Loaded(true);
    EXPECT_TRUE(DefaultPositionsWanted(values));
    EXPECT_FALSE(values.mnuPosByDef);
    ASSERT_TRUE(SaveSettings(path, values, false, true));
    EXPECT_FALSE(DefaultPositionsWanted(Loaded(true)));

    values.mnuPosByDef = true;
    ASSERT_TRUE(SaveSettings(path, values, false, true));
    EXPECT_TRUE(DefaultPositionsWanted(Loaded(true)));
}

TEST_F(Settings, NothingToSaveWritesNothingAtAll)
{
    WriteFull(); // "Position par dft" = 0
    Backdate();
    TSettingsValues values = Loaded(true);
    StoreSettingsInGlb(values);
    EXPECT_FALSE(Glb().SettingsDirty);
    values.AjoutHRE = false; // an item that does not set SettingsDirty
    EXPECT_TRUE(SaveSettingsAtClose(path, values));
    EXPECT_TRUE(Untouched());

    // A save that is due but finds every value as it is leaves the file alone too.
    values = FullValues();
    ASSERT_TRUE(SaveSettings(path, values, true, true));
    EXPECT_TRUE(Untouched());

    Glb().ColoursChanged = true;
    values.colours.TitleColour = 0xFF0000;
    EXPECT_TRUE(SaveSettingsAtClose(path, values));
    EXPECT_FALSE(Untouched());
    EXPECT_TRUE(TextCodec::Decode(ReadBytes(path)).contains("\r\nCouleur du titre=000000255\r\n"));
    EXPECT_FALSE(Glb().ColoursChanged);
}

TEST_F(Settings, SavingKeepsEveryOtherLineWhereItWas)
{
    QStringList lines = FullLines();
    lines.insert(0, "; fichier de Tarvelle");
    lines.insert(11, "");
    lines.insert(13, "; options");
    lines.append({"Inconnu=7", "", "[Autre]", "cle=valeur"});
    Write(lines);
    TSettingsValues values = FullValues();
    values.StartAsIcon = false;
    values.clipB_mnu = true;
    ASSERT_TRUE(SaveSettings(path, values, false, true));
    lines[14] = "Option ClipBoard=1";
    lines[34] = "StartJustIcon=0";
    EXPECT_EQ(TextCodec::Decode(ReadBytes(path)), TextCodec::JoinLines(lines));
}

TEST_F(Settings, ColoursAreWrittenOnlyWhenChanged)
{
    WriteFull();
    TSettingsValues values = FullValues();
    values.colours = TColourSettings{};
    ASSERT_TRUE(SaveSettings(path, values, false, true));
    EXPECT_EQ(Loaded(true).colours, FullValues().colours);
    ASSERT_TRUE(SaveSettings(path, values, true, true));
    EXPECT_EQ(Loaded(true).colours, TColourSettings{});
}

TEST_F(Settings, UncheckingPosDftSkipsThePositionsOfOneSaveOnly)
{
    WriteFull();
    TSettingsValues values = FullValues();
    values.mainLeft = 7;
    values.NotesTop = 8;
    Glb().SettingsDirty = false;
    PosDftClicked(false);
    EXPECT_TRUE(Glb().SettingsDirty);
    ASSERT_TRUE(SaveSettingsAtClose(path, values));
    EXPECT_TRUE(Glb().SavePositions) << "on again after every save";
    TSettingsValues back = Loaded(true);
    EXPECT_EQ(back.mainLeft, 100);
    EXPECT_EQ(back.NotesTop, 60);

    ASSERT_TRUE(SaveSettingsAtClose(path, values));
    back = Loaded(true);
    EXPECT_EQ(back.mainLeft, 7);
    EXPECT_EQ(back.NotesTop, 8);

    // Positions missing from the file are written even when skipped: the later keys keep
    // their places.
    QFile::remove(path);
    ASSERT_TRUE(SaveSettings(path, FullValues(), false, false));
    EXPECT_EQ(Loaded(true), FullValues());
}

TEST_F(Settings, AFileThatCannotBeWrittenIsLeftWhole)
{
    WriteFull();
    const QByteArray before = ReadBytes(path);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    rlimit small = limit;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = SaveSettings(path, TSettingsValues{}, true, true);
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty()) << "save errors are silent";
}
