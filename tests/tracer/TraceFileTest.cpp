#include "TestEnv.h"
#include "TestFiles.h"
#include "core/U_Glb.h"
#include "tracer/U_TraceFile.h"

#include <QDir>
#include <QFile>

namespace {
constexpr TDateTime kToday = 46363.0; // 07/12/2026, the fake clock's day
const QByteArray kTimes = ";07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00";
const QByteArray kLineA = "A.EXE;un" + kTimes + "\r\n", kLineB = "B.EXE;deux" + kTimes + "\r\n";

TDateTime T(const char* text)
{
    return TextToTime(QString::fromLatin1(text)).value();
}
QByteArray Bytes(const QString& path = TraceFilePath())
{
    return QFile::exists(path) ? ReadBytes(path) : QByteArray("<missing>");
}

// A trace and its files in the test's own program folder, on 7 December 2026 at 09:30:00.
class TraceFileTest : public TarvelleTest
{
protected:
    void AddRow(const QString& name, const QString& title, const char* origine = "09:00:00",
                const char* fin = "09:10:00", const char* duree = "00:10:00",
                TDateTime day = kToday)
    {
        data.AddRow({name, title, day, T(origine), T(origine), fin ? T(fin) : 0, T(duree)});
    }
    // Loads `into`; how many rows it then holds and whether the load saw one of today.
    static std::string Load(TTraceData& into, bool defaultNotesInUse = true)
    {
        LoadTrace(into, defaultNotesInUse);
        return std::to_string(into.lastRow() + 1) +
               (Glb().NoRowTodayAtLoad ? " rows, none today" : " rows, one today");
    }
    // What the user was shown, then the files beside the trace file.
    QStringList Aside() const
    {
        QStringList names = QDir(AppFolder()).entryList(QDir::Files, QDir::Name);
        names.removeAll("Traceur.csv");
        return dialogs->plainMessages + names;
    }

    TTraceData data;
};
} // namespace

// A missing file is created empty; lines are read only into an empty trace by a first load of
// the default notes; whether the trace holds a row of today follows the clock.
TEST_F(TraceFileTest, LoadTraceReadsTheFileOnlyAtAFirstLoadOfTheDefaultNotes)
{
    EXPECT_EQ(Load(data), "0 rows, none today");
    EXPECT_EQ(Bytes(), "");
    WriteBytes(TraceFilePath(), kLineA);
    EXPECT_EQ(Load(data, false), "0 rows, none today");
    Glb().TracerWindowPending = false;
    EXPECT_EQ(Load(data), "0 rows, none today");
    Glb().TracerWindowPending = true;
    AddRow("B.EXE", "", "08:00:00", "08:10:00", "00:10:00", kToday - 1);
    EXPECT_EQ(Load(data), "1 rows, none today");
    TTraceData fresh;
    EXPECT_EQ(Load(fresh), "1 rows, one today");
    clock->Set(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 1)));
    EXPECT_EQ(Load(fresh), "1 rows, none today");
    EXPECT_EQ(Bytes(), kLineA);
    EXPECT_EQ(Aside(), QStringList());
}

// What is saved is the grid's texts, oldest row first (newest first in a dated archive);
// what a load reads back is the entries, at midnight dates.
TEST_F(TraceFileTest, SavedRowsAreTheGridTextsAndComeBackAsEntries)
{
    AddRow("A.EXE", "liste - Été", "09:15:02", "10:20:13", "00:52:10", kToday - 1);
    AddRow("B.EXE", "", "09:00:00", nullptr, "00:00:00");
    AddRow("C.EXE", "un");
    data.grid.SetCell(0, TraceColumn::heureDEB, "10:01:44");
    data.grid.SetCell(0, TraceColumn::duree, "01:00:00");
    EXPECT_TRUE(SaveTrace(data));
    const QByteArray
        a = "A.EXE;liste - \xC9t\xE9;06/12/2026;09:15:02;10:01:44;10:20:13;01:00:00\r\n",
        b = "B.EXE;;07/12/2026;09:00:00;09:00:00;00:00:00;00:00:00\r\n", c = "C" + kLineA.mid(1);
    EXPECT_EQ(Bytes(), a + b + c);
    // A second archive in the same second never replaces the first.
    const QString archive = AppFolder() + "Traceur07-12-2026à09-30-00";
    EXPECT_EQ(TraceurFile(data), archive + ".csv");
    EXPECT_EQ(TraceurFile(data), archive + "_2.csv");
    EXPECT_EQ(Bytes(archive + ".csv"), c + b + a);

    TTraceData loaded;
    ASSERT_EQ(Load(loaded), "3 rows, one today");
    EXPECT_EQ(*loaded.table.Proc(0), (TTraceProc{"A.EXE", "liste - Été", kToday - 1, T("09:15:02"),
                                                 T("10:01:44"), T("10:20:13"), T("01:00:00")}));
    EXPECT_TRUE(SaveTrace(loaded));
    EXPECT_EQ(Bytes(), a + b + c);
    EXPECT_EQ(dialogs->plainMessages, QStringList());
    loaded.Clear();
    EXPECT_TRUE(SaveTrace(loaded));
    EXPECT_EQ(Bytes(), "");
}

// Whatever keeps the file from being written, the user is told, the file stays as it was and
// the trace stays whole for the next save.
TEST_F(TraceFileTest, ASaveThatCannotWriteChangesNoFileAndKeepsTheTrace)
{
    const QString message = AppFolder() + "Traceur.csv est-il ouvert ? (pas un fichier ordinaire)";
    // A folder in the place of the file, whoever runs the test: it cannot be read nor replaced.
    ASSERT_TRUE(QDir().mkdir(TraceFilePath()));
    Load(data);
    AddRow("A.EXE", "un");
    EXPECT_FALSE(SaveTrace(data));
    EXPECT_EQ(Aside(), QStringList(message)); // the load was silent
    EXPECT_EQ(data.grid.Cell(0, 0), "A.EXE");
    ResetTrace(data);
    EXPECT_EQ(Aside(), QStringList({message, message}));
    ASSERT_TRUE(QDir().rmdir(TraceFilePath()));
    AddRow("A.EXE", "un");
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(Bytes(), kLineA);

    // The folder goes, a file of its name in its place: nothing can be written there.
    AddRow("B.EXE", "deux", "09:10:00", nullptr, "00:00:00");
    const QString folder = QDir::cleanPath(AppFolder()), moved = folder + ".moved";
    ASSERT_TRUE(QDir().rename(folder, moved) && WriteBytes(folder, ""));
    EXPECT_FALSE(SaveTrace(data));
    EXPECT_EQ(TraceurFile(data), QString());
    EXPECT_EQ(
        dialogs->plainMessages.mid(2),
        QStringList(
            {AppFolder() + "Traceur.csv est-il ouvert ? (un fichier est à la place d'un dossier)",
             "Problème in TraceurFile"}));
    ASSERT_TRUE(QFile::remove(folder) && QDir().rename(moved, folder));
    EXPECT_EQ(Bytes(), kLineA);
    EXPECT_EQ(data.lastRow(), 1);
}

// Every kind of line that cannot be read back: the lines around it load, nothing is said at
// load, and the next rewrite of the file, a save or a reset, first keeps the original file
// and says where, once.
TEST_F(TraceFileTest, BadLinesAreSkippedAndTheOriginalKeptBeforeTheNextRewrite)
{
    const QByteArray good = kLineA.chopped(2);
    const auto with = [&good](int field, const QByteArray& text) {
        QByteArrayList fields = good.split(';');
        fields[field] = text;
        return fields.join(';');
    };
    QByteArray file = kLineA;
    for (const QByteArray& bad :
         {with(2, "31/02/2026"), with(3, "24:00:00"), with(4, "12:75:00"), with(6, ""), with(2, ""),
          with(1, "titre; avec point-virgule"), good.chopped(9), good + ";en trop",
          QByteArray(";;;;;;"), QByteArray("   "), QByteArray("n'importe quoi"), good + '\0',
          QByteArray(1 << 20, 'x')})
        file += bad + "\r\n";
    file += kLineB;
    const QString kept = AppFolder() + "Traceur_original07-12-2026à09-30-00.csv";
    const QString message = "Des lignes de Traceur.csv n'ont pas pu être lues : le fichier "
                            "d'origine est conservé sous " +
                            kept;
    // The reset first: it leaves the tracer window pending again, as the next load needs.
    for (const bool reset : {true, false}) {
        SCOPED_TRACE(reset ? "reset" : "save");
        QFile::remove(kept);
        dialogs->plainMessages.clear();
        WriteBytes(TraceFilePath(), file);
        TTraceData loaded;
        ASSERT_EQ(Load(loaded), "2 rows, one today");
        EXPECT_EQ(Aside(), QStringList());
        Glb().TracerWindowPending = false;
        int resets = 0;
        loaded.onReset = [&resets] {
            ++resets;
        };
        if (reset)
            ResetTrace(loaded);
        else
            EXPECT_TRUE(SaveTrace(loaded));
        EXPECT_EQ(Aside(), QStringList({message, QFileInfo(kept).fileName()}));
        EXPECT_EQ(Bytes(kept), file);
        EXPECT_EQ(Bytes(), reset ? QByteArray() : kLineA + kLineB);
        // A reset empties table and grid for a new tracer window.
        EXPECT_EQ(
            std::tuple(loaded.lastRow(), !loaded.table.Proc(0), resets, Glb().TracerWindowPending),
            reset ? std::tuple(-1, true, 1, true) : std::tuple(1, false, 0, false));
        EXPECT_TRUE(SaveTrace(loaded));
        EXPECT_EQ(Aside().size(), 2);
    }
}

// Every readable line comes back in the program's form: a long trace whole, long titles and
// NUL bytes kept, line ends as CR LF, an empty line (nothing to keep) gone, the file in UTF-8
// only while a title needs it.
TEST_F(TraceFileTest, ReadableLinesComeBackInTheProgramsForm)
{
    QByteArray lines; // the lines before the last two, as the program writes them
    for (int i = 0; i < 2000; ++i)
        lines += "P" + QByteArray::number(i) + ".EXE;t" + kTimes + "\r\n";
    lines += "A.EXE;" + QByteArray(1 << 20, 'T') + kTimes + "\r\n";
    lines += "B.EXE;" + QByteArray("a\0b", 3) + kTimes + "\r\n";
    WriteBytes(TraceFilePath(),
               lines + "\r\nC.EXE;Fenêtre" + kTimes + "\nD.EXE;日本語" + kTimes + "\n");
    ASSERT_EQ(Load(data), "2004 rows, one today");
    EXPECT_EQ(data.FindTraceRow("P1999.EXE", "t", kToday), 1999);
    EXPECT_EQ(data.table.Proc(2000)->winTitle.size(), 1 << 20);
    EXPECT_EQ(data.table.Proc(2001)->winTitle, QString::fromLatin1("a\0b", 3));
    EXPECT_EQ(data.grid.Cell(2002, 1) + data.grid.Cell(2003, 1), "Fenêtre日本語");
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(Bytes(), lines + "C.EXE;Fenêtre" + kTimes + "\r\nD.EXE;日本語" + kTimes + "\r\n");
    EXPECT_EQ(Aside(), QStringList());
    data.grid.SetCell(2003, 1, "deux");
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(Bytes(), lines + "C.EXE;Fen\xEAtre" + kTimes + "\r\nD.EXE;deux" + kTimes + "\r\n");
}

TEST_F(TraceFileTest, FormulaLookingCellsGoOutBehindAnApostropheAndComeBackWithout)
{
    const QStringList titles = {"=SOMME(A1:A9)", "+33 6 12", "-x", "@moi", "'=déjà",
                                "''+x",          "l'été",    "'",  "a=b",  ""};
    for (const QString& title : titles)
        AddRow("A.EXE", title);
    data.grid.SetCell(1, TraceColumn::procName, "@CMD");
    data.grid.SetCell(9, TraceColumn::duree, "=1+1");
    EXPECT_TRUE(SaveTrace(data));
    const QByteArrayList lines = Bytes().split('\n');
    EXPECT_EQ(lines[0], "A.EXE;'=SOMME(A1:A9)" + kTimes + "\r");
    EXPECT_EQ(lines[1], "'@CMD;'+33 6 12" + kTimes + "\r");
    EXPECT_TRUE(lines[4].startsWith("A.EXE;''=d\xE9j\xE0;"));
    EXPECT_TRUE(lines[6].startsWith("A.EXE;l'\xE9t\xE9;"));
    EXPECT_EQ(lines[9], "A.EXE;;07/12/2026;09:00:00;09:00:00;09:10:00;'=1+1\r");

    // "=1+1" is no time: that line is kept aside like any other unreadable one.
    TTraceData loaded;
    ASSERT_EQ(Load(loaded), "9 rows, one today");
    for (int row = 0; row < 9; ++row)
        EXPECT_EQ(loaded.grid.Cell(row, 1), titles[row]) << row;
    EXPECT_EQ(loaded.table.Proc(1)->procName, "@CMD");
    EXPECT_TRUE(loaded.unreadLinesPending);

    // A hand-written apostrophe is taken off only before a formula.
    WriteBytes(TraceFilePath(), "A.EXE;'=x" + kTimes + "\r\nB.EXE;'x" + kTimes +
                                    "\r\nC.EXE;x;07/12/2026;'09:00:00;09:00:00;09:10:00;00:10:00");
    TTraceData hand;
    ASSERT_EQ(Load(hand), "2 rows, one today");
    EXPECT_EQ(hand.grid.Cell(0, 1) + "|" + hand.grid.Cell(1, 1), "=x|'x");
    EXPECT_TRUE(hand.unreadLinesPending);
}

// Rows another program wrote into the trace file since it was read are never replaced unseen
// from memory: that version is kept aside, said once, and the save goes on. A reset keeps it as
// well; the program's own saves and the archive are no change.
TEST_F(TraceFileTest, AVersionChangedByAnotherProgramIsKeptBeforeARewrite)
{
    WriteBytes(TraceFilePath(), kLineA);
    ASSERT_EQ(Load(data), "1 rows, one today");
    AddRow("B.EXE", "deux");
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_FALSE(TraceurFile(data).isEmpty());
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(dialogs->plainMessages, QStringList());

    const QByteArray theirs = kLineA + kLineB + "C.EXE;trois" + kTimes + "\r\n";
    WriteBytes(TraceFilePath(), theirs);
    EXPECT_TRUE(SaveTrace(data));
    const QString kept = AppFolder() + "Traceur_modifié_07-12-2026à09-30-00.csv";
    EXPECT_EQ(Bytes(kept), theirs);
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->plainMessages.first().contains(kept));
    EXPECT_EQ(Bytes(), kLineA + kLineB);
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(dialogs->plainMessages.size(), 1);

    WriteBytes(TraceFilePath(), theirs);
    ResetTrace(data);
    EXPECT_EQ(Bytes(kept.chopped(4) + "_2.csv"), theirs);
    EXPECT_EQ(Bytes(), "");
    EXPECT_EQ(dialogs->plainMessages.size(), 2);
}
