#include "TestEnv.h"
#include "TestFiles.h"
#include "app/U_Settings.h"
#include "core/U_TextCodec.h"
#include "core/U_TextFile.h"

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

// What a load gives: the state it fills in and the main window's place.
struct TSaved
{
    TGlbState state;
    TLoadedPlace place;

    bool operator==(const TSaved&) const = default;
};

// What FullLines holds.
TSaved FullValues()
{
    TSaved v;
    TGlbState& g = v.state;
    TOptions& o = g.Options;
    g.Colours = {0x030201, 0x060504, "h", 0x090807, 0x0C0B0A, 0x0F0E0D, 0x121110, 0x151413};
    o.ClipboardCapture = o.SaveOnNewNote = o.TimeOnRecording = false;
    o.NoRepeatOnCopy = o.AddHourOnEntry = o.PageToDown = g.EditorAnchored = true;
    v.place.main = QPoint(100, 200);
    std::tie(g.TracerLeft, g.TracerTop, g.NotesLeft, g.NotesTop) = std::tuple{-30, 40, 50, 60};
    g.NotesVisible = g.ShowNotesAtStart = o.KeepPositions = g.SettingsDirty = g.TracerVisible =
        false;
    o.AutoSaveWhileTracing = o.StartTracer = o.DistinctFiles = o.StartAsIcon = true;
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
    TSaved Loaded(bool complete)
    {
        TSaved values;
        EXPECT_EQ(LoadSettings(path, values.state, values.place, kScreen, kMain), complete);
        return values;
    }
    bool Save(const TSaved& values, bool coloursChanged, bool savePositions)
    {
        return SaveSettings(path, values.state, values.place.main, coloursChanged, savePositions);
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
    const TSaved values = Loaded(true);
    EXPECT_EQ(std::tuple(values.place.main.x(), values.place.main.y(), values.state.TracerLeft,
                         values.state.TracerTop, values.state.NotesTop,
                         values.state.Options.ClipboardCapture,
                         values.state.Options.NoRepeatOnCopy),
              std::tuple(200, 100, 5, -30, 50, true, false));
}

TEST_F(Settings, MissingFileKeepsTheDefaultsAndTheFirstSaveMakesItReadable)
{
    TSaved values = Loaded(false);
    EXPECT_EQ(values, TSaved{});
    EXPECT_EQ(SettingsLoadMessage(),
              "Problème au chargement :\r\rRecharger ConfigMnemo.ini dans le dossier\r" +
                  AppFolder());
    // Defaults saved into no file give the distributed file, colours included; that file
    // asks for default positions at the first start.
    const QString distributed = TARVELLE_SOURCE_DIR "/resources/ConfigMnemo.ini";
    ASSERT_TRUE(Save(values, false, true));
    EXPECT_EQ(ReadBytes(path), ReadBytes(distributed).replace("posDefault=1", "posDefault=0"));
    TSaved expected;
    expected.place.posDefault = "1";
    expected.state.ShowNotesAtStart = true; // read from "Mnemo visible"
    ASSERT_TRUE(LoadSettings(distributed, values.state, values.place, kScreen, kMain));
    EXPECT_EQ(values, expected);
    // A file without "Composants" gets it at a save with the colours unchanged too, or the
    // options saved now would never be read back.
    WriteBytes(path, "[Options]\r\n");
    values.state.Options.StartAsIcon = values.state.Options.AddHourOnEntry = true;
    values.place.main.setX(10);
    ASSERT_TRUE(Save(values, false, true));
    values.place.posDefault = "0";
    EXPECT_EQ(Loaded(true), values);
}

TEST_F(Settings, ReadingStopsAtTheFirstFaultyLineKeepingWhatWasReadBefore)
{
    for (const QByteArray& bytes : {QByteArray(), QByteArray("[Options]\r\n"),
                                    QByteArray("\r\n\r\n; rien\r\n"), QByteArray(64, '\0')}) {
        WriteBytes(path, bytes);
        EXPECT_EQ(Loaded(false), TSaved{}) << bytes.toStdString();
    }
    Write(FullLines().mid(0, 22)); // Options cut after "Top Traceur" (position 10)
    TSaved values = Loaded(false);
    EXPECT_EQ(values.state.Colours, FullValues().state.Colours);
    EXPECT_TRUE(values.state.EditorAnchored && values.state.Options.AddHourOnEntry);
    EXPECT_EQ(std::pair(values.state.TracerTop, values.state.NotesLeft), std::pair(40, 0));
    EXPECT_TRUE(values.state.NotesVisible && values.state.Options.KeepPositions &&
                values.state.SettingsDirty);

    // An option that is no integer reads as if the file ended before it.
    const auto expectCutAt = [&](QStringList lines, int at, const QString& line) {
        SCOPED_TRACE(line.left(40).toStdString());
        Write(lines.mid(0, at));
        const TSaved cut = Loaded(false);
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
    EXPECT_FALSE(Loaded(true).state.Options.StartAsIcon) << "1 followed by NUL is not 1";
    for (const auto& [text, number] :
         {std::pair{"-2147483648", -2147483647 - 1}, {"+7", 7}, {"  -12  ", -12}, {"007", 7}}) {
        Write(FullLines(), {{19, QString("Top Fragm=") + text}});
        EXPECT_EQ(Loaded(true).place.main.y(), number) << text;
    }

    // The direction is read first, then A; B and everything after keep their defaults.
    TColourSettings readBeforeB;
    readBeforeB.GradientDirection = "h";
    readBeforeB.GradientColourA = 0x030201;
    for (const char* colour : {"255abc255", "25525525", "", "256000000", "-01002003"}) {
        Write(FullLines(), {{2, QString("Couleur générale B=") + colour}});
        EXPECT_EQ(Loaded(false).state.Colours, readBeforeB) << colour;
    }
    // "Composants" with three entries: the direction, A and B are read, nothing after them.
    lines = FullLines();
    lines.erase(lines.begin() + 4, lines.begin() + 9);
    Write(lines);
    TSaved readUpToB;
    readUpToB.state.Colours = readBeforeB;
    readUpToB.state.Colours.GradientColourB = 0x060504;
    EXPECT_EQ(Loaded(false), readUpToB);
}

TEST_F(Settings, PositionsDefaultBeyondTheRightOrBottomEdgeOrOnceWhenAskedAndPosDftSkipsOneSave)
{
    for (const auto& [left, top, wanted] :
         {std::tuple{1644, 965, false}, {1645, 0, true}, {0, 966, true}, {-300, -50, false}}) {
        Write(FullLines(), {{18, "Left Fragm=" + QString::number(left)},
                            {19, "Top Fragm=" + QString::number(top)}});
        const TSaved values = Loaded(true);
        EXPECT_EQ(DefaultPositionsWanted(values.place), wanted) << left << "," << top;
        EXPECT_EQ(values.place.main.x(), left) << "a negative position is kept";
    }
    // Also when the file breaks off after the main window's position was read.
    Write(FullLines().mid(0, 20), {{18, "Left Fragm=5000"}});
    EXPECT_TRUE(DefaultPositionsWanted(Loaded(false).place));

    // "Positionnement par défaut" acts once, unless checked again.
    Write(FullLines(), {{28, "posDefault=1"}});
    TSaved values = Loaded(true);
    EXPECT_TRUE(DefaultPositionsWanted(values.place));
    EXPECT_FALSE(values.state.Options.PositionsByDefault);
    for (const bool checkedAgain : {false, true}) {
        values.state.Options.PositionsByDefault = checkedAgain;
        ASSERT_TRUE(Save(values, false, true));
        EXPECT_EQ(DefaultPositionsWanted(Loaded(true).place), checkedAgain);
    }

    // Unchecking "Position par dft" skips the positions of one save only.
    Write();
    values = FullValues();
    values.place.main.setX(7);
    values.state.NotesTop = 8;
    Glb() = values.state;
    Glb().SettingsDirty = false;
    PosDftClicked(false);
    EXPECT_TRUE(Glb().SettingsDirty);
    for (const auto& [mainLeft, notesTop] : {std::pair{100, 60}, {7, 8}}) {
        ASSERT_TRUE(SaveSettingsAtClose(path, values.place.main));
        EXPECT_TRUE(Glb().SavePositions) << "on again after every save";
        const TSaved back = Loaded(true);
        EXPECT_EQ(std::pair(back.place.main.x(), back.state.NotesTop),
                  std::pair(mainLeft, notesTop));
    }
    // Positions missing from the file are written even when skipped: the later keys keep
    // their places.
    QFile::remove(path);
    ASSERT_TRUE(Save(FullValues(), false, false));
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
    TSaved values = Loaded(true);
    Glb() = values.state;
    EXPECT_FALSE(Glb().SettingsDirty);
    Glb().Options.AddHourOnEntry = false; // an item that does not set SettingsDirty
    EXPECT_TRUE(SaveSettingsAtClose(path, values.place.main));
    // A save that is due but finds every value as it is leaves the file alone too.
    ASSERT_TRUE(Save(FullValues(), true, true));
    EXPECT_EQ(QFileInfo(path).lastModified(), longAgo);

    values = FullValues();
    values.state.Options.StartAsIcon = false;
    values.state.Options.ClipboardCapture = true;
    values.state.Colours =
        TColourSettings{}; // not confirmed ("mais non..."): the file keeps its own
    ASSERT_TRUE(Save(values, false, true));
    lines[14] = "Option ClipBoard=1";
    lines[34] = "StartJustIcon=0";
    EXPECT_EQ(TextCodec::Decode(ReadBytes(path)), TextCodec::JoinLines(lines));
    Glb() = values.state;
    Glb().ColoursChanged = true;
    ASSERT_TRUE(SaveSettingsAtClose(path, values.place.main));
    EXPECT_EQ(Loaded(true).state.Colours, TColourSettings{});
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
    const bool saved = Save(TSaved{}, true, true);
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(path), before);
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkdir(path));
    Loaded(false);
    EXPECT_FALSE(Save(TSaved{}, true, true)) << "a folder is no settings file";
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

// The file a load could not read whole is kept aside once, however many starts read it, and
// the load message names the copy.
TEST_F(Settings, AFileNotReadWholeIsKeptOnceAndTheMessageSaysWhere)
{
    EXPECT_EQ(KeepSettingsOriginal(path), QString()) << "no file, nothing to keep";
    WriteBytes(path, "[Composants]\r\n[Options]\r\nOption ClipBoard=1\r\nLeft Fragm=abc\r\n");
    const QString kept = KeepSettingsOriginal(path);
    EXPECT_EQ(kept, AppFolder() + "ConfigMnemo_original07-12-2026à09-30-00.ini");
    EXPECT_EQ(ReadBytes(kept), ReadBytes(path));
    EXPECT_EQ(KeepSettingsOriginal(path), kept);
    EXPECT_EQ(QDir(AppFolder()).entryList({"ConfigMnemo_original*"}).size(), 1);

    WriteBytes(path, ReadBytes(path) + "Top Fragm=x\r\n");
    const QString second = KeepSettingsOriginal(path);
    EXPECT_EQ(second, AppFolder() + "ConfigMnemo_original07-12-2026à09-30-00_2.ini");
    EXPECT_EQ(ReadBytes(second), ReadBytes(path));
    EXPECT_NE(ReadBytes(kept), ReadBytes(path));

    const QString base =
        "Problème au chargement :\r\rRecharger ConfigMnemo.ini dans le dossier\r" + AppFolder();
    EXPECT_EQ(SettingsLoadMessage(), base);
    EXPECT_EQ(SettingsLoadMessage(kept), base + "\r\rLe fichier lu est conservé sous " + kept);
}

// A value another program changed in the file since the load is overwritten by the program's
// own at the next save; that version is kept aside first and the user told, once.
TEST_F(Settings, AVersionChangedByAnotherProgramIsKeptBeforeTheSave)
{
    Write();
    TSaved values;
    TFileStamp stamp;
    ASSERT_TRUE(LoadSettings(path, values.state, values.place, kScreen, kMain, &stamp));
    values.state.Options.StartAsIcon = false;
    ASSERT_TRUE(SaveSettings(path, values.state, values.place.main, false, true, &stamp));
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());

    Write(FullLines(), {{11, "Option ClipBoard=1"}});
    const QByteArray theirs = ReadBytes(path);
    ASSERT_TRUE(SaveSettings(path, values.state, values.place.main, false, true, &stamp));
    const QString kept = home.filePath("ConfigMnemo_modifié_07-12-2026à09-30-00.ini");
    EXPECT_EQ(ReadBytes(kept), theirs);
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->plainMessages.first().contains(kept));
    values.state.Options.ClipboardCapture = true;
    ASSERT_TRUE(SaveSettings(path, values.state, values.place.main, false, true, &stamp));
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
}

TEST_F(Settings, AFileWrittenReadAndWrittenAgainKeepsEveryByteAlsoForTheShippedFiles)
{
    // What a save of the loaded values writes into a new file.
    const auto rewritten = [&](const QByteArray& bytes) {
        WriteBytes(path, bytes);
        const TSaved values = Loaded(true);
        QFile::remove(path);
        EXPECT_TRUE(Save(values, true, true));
        EXPECT_EQ(Loaded(true).state, values.state);
        return ReadBytes(path);
    };
    ASSERT_TRUE(Save(TSaved{}, true, true));
    const QByteArray fromDefaults = ReadBytes(path);
    EXPECT_EQ(rewritten(fromDefaults), fromDefaults);
    for (const char* sample : {TARVELLE_SOURCE_DIR "/tests/data/ConfigMnemo_full.ini",
                               TARVELLE_SOURCE_DIR "/resources/ConfigMnemo.ini"}) {
        SCOPED_TRACE(sample);
        const QByteArray bytes = ReadBytes(QString::fromUtf8(sample));
        ASSERT_FALSE(bytes.isEmpty());
        const QByteArray once = rewritten(bytes);
        // The request for the default positions acts once, so it is written back off.
        EXPECT_EQ(once, QByteArray(bytes).replace("posDefault=1", "posDefault=0"));
        EXPECT_EQ(rewritten(once), once);
    }
}
