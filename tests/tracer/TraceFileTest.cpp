#include "TestEnv.h"
#include "app/U_Glb.h"
#include "tracer/U_TraceFile.h"

#include <QDir>
#include <QFile>

namespace {
const QByteArray kGoodA = "A.EXE;un;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00";
const QByteArray kGoodB = "B.EXE;deux;07/12/2026;09:10:00;09:10:00;09:20:00;00:10:00";

// A trace and its files in the test's own program folder, on 7 December 2026 at 09:30:00.
class TraceFileTest : public TarvelleTest
{
protected:
    static TDateTime T(const char* text) { return TextToTime(QString::fromLatin1(text)).value(); }

    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void WriteTraceFile(const QByteArray& bytes) const
    {
        QFile file(TraceFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // The files of the program folder other than the trace file.
    QStringList OtherFiles() const
    {
        QStringList names = QDir(AppFolder()).entryList(QDir::Files, QDir::Name);
        names.removeAll(QStringLiteral("Traceur.csv"));
        return names;
    }
    void AddRow(const QString& name, const QString& title, TDateTime day, const char* origine,
                const char* fin, const char* duree)
    {
        data.AddRow({name, title, day, T(origine), T(origine), fin ? T(fin) : 0, T(duree)});
    }

    // Where a file with unread lines is kept, at the fixture's clock.
    static QString KeptPath() { return AppFolder() + "Traceur_original07-12-2026à09-30-00.csv"; }

    TTraceData data;
    const TDateTime today = ToDateTime(QDate(2026, 12, 7));
    const TDateTime yesterday = today - 1;
};
} // namespace

TEST_F(TraceFileTest, AMissingFileIsCreatedEmptyAndTheTraceStaysEmpty)
{
    LoadTrace(data);
    EXPECT_EQ(ReadBytes(TraceFilePath()), QByteArray());
    EXPECT_EQ(data.lastRow(), -1);
    EXPECT_TRUE(Glb().NoRowTodayAtLoad);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    // Whether the trace held a row today at load follows the clock.
    WriteTraceFile("A.EXE;un;06/12/2026;09:15:02;10:01:44;10:20:13;00:52:10\r\n");
    LoadTrace(data);
    EXPECT_TRUE(Glb().NoRowTodayAtLoad);
    clock->Set(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59)));
    LoadTrace(data);
    EXPECT_FALSE(Glb().NoRowTodayAtLoad);
    EXPECT_EQ(data.lastRow(), 0);
}

// What is saved is the grid's texts; what a load reads back is the entries, at midnight dates.
TEST_F(TraceFileTest, SavedRowsAreTheGridTextsAndComeBackAsEntries)
{
    AddRow("EDITEUR.EXE", "liste.txt - Éditeur", yesterday, "09:15:02", "10:20:13", "00:52:10");
    AddRow("TABLEUR.EXE", "", today, "09:00:00", nullptr, "00:00:00");
    data.grid.SetCell(0, TraceColumn::heureDEB, "10:01:44");
    data.grid.SetCell(0, TraceColumn::duree, "01:00:00");
    QString savedPath;
    data.onSaved = [&savedPath](const QString& path) {
        savedPath = path;
    };
    EXPECT_TRUE(SaveTrace(data));
    const QByteArray saved = "EDITEUR.EXE;liste.txt - \xC9"
                             "diteur;06/12/2026;09:15:02;10:01:44;10:20:13;01:00:00\r\n"
                             "TABLEUR.EXE;;07/12/2026;09:00:00;09:00:00;00:00:00;00:00:00\r\n";
    EXPECT_EQ(ReadBytes(TraceFilePath()), saved);
    EXPECT_EQ(savedPath, TraceFilePath());

    TTraceData loaded;
    LoadTrace(loaded);
    ASSERT_EQ(loaded.lastRow(), 1);
    EXPECT_EQ(*loaded.table.Proc(0),
              (TTraceProc{"EDITEUR.EXE", "liste.txt - Éditeur", yesterday, T("09:15:02"),
                          T("10:01:44"), T("10:20:13"), T("01:00:00")}));
    // Saved again unchanged, the file comes back byte for byte.
    EXPECT_TRUE(SaveTrace(loaded));
    EXPECT_EQ(ReadBytes(TraceFilePath()), saved);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    EXPECT_TRUE(OtherFiles().isEmpty());
    loaded.Clear();
    EXPECT_TRUE(SaveTrace(loaded));
    EXPECT_EQ(ReadBytes(TraceFilePath()), QByteArray());
}

TEST_F(TraceFileTest, LinesAreUsedOnlyByAFirstLoadOfTheDefaultNotes)
{
    const QByteArray line = "A.EXE;un;07/12/2026;09:15:02;10:01:44;10:20:13;00:52:10\r\n";
    WriteTraceFile(line);
    LoadTrace(data, false);
    EXPECT_EQ(data.lastRow(), -1);
    EXPECT_TRUE(Glb().NoRowTodayAtLoad);

    Glb().TracerWindowPending = false;
    LoadTrace(data);
    EXPECT_EQ(data.lastRow(), -1);

    Glb().TracerWindowPending = true;
    AddRow("B.EXE", "", yesterday, "08:00:00", "08:10:00", "00:10:00");
    LoadTrace(data);
    EXPECT_EQ(data.lastRow(), 0);
    EXPECT_TRUE(Glb().NoRowTodayAtLoad);

    TTraceData fresh;
    LoadTrace(fresh);
    EXPECT_EQ(fresh.lastRow(), 0);
    EXPECT_FALSE(Glb().NoRowTodayAtLoad);
    EXPECT_EQ(ReadBytes(TraceFilePath()), line);
}

TEST_F(TraceFileTest, ATraceOfMoreThan512RowsLoadsWhole)
{
    QByteArray bytes;
    for (int i = 0; i < 2000; ++i)
        bytes += QByteArray("P") + QByteArray::number(i) +
                 ".EXE;t;07/12/2026;09:00:00;09:00:00;09:00:01;00:00:01\r\n";
    WriteTraceFile(bytes);
    LoadTrace(data);
    ASSERT_EQ(data.lastRow(), 1999);
    EXPECT_EQ(data.table.Proc(1999)->procName, "P1999.EXE");
    EXPECT_EQ(data.FindTraceRow("P1999.EXE", "t", today), 1999);
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(ReadBytes(TraceFilePath()), bytes);
}

// A folder in the place of the file, whoever runs the test: it cannot be read nor replaced.
TEST_F(TraceFileTest, AFileThatCannotBeReadIsNeverOverwritten)
{
    ASSERT_TRUE(QDir().mkdir(TraceFilePath()));
    LoadTrace(data);
    EXPECT_EQ(data.lastRow(), -1);
    AddRow("A.EXE", "un", today, "09:00:00", "09:10:00", "00:10:00");
    EXPECT_FALSE(SaveTrace(data)); // the only message, the load's error being silent
    const QString message = AppFolder() + "Traceur.csvest-il ouvert ?";
    EXPECT_EQ(dialogs->plainMessages, QStringList(message));
    EXPECT_TRUE(QFileInfo(TraceFilePath()).isDir());
    EXPECT_EQ(data.grid.Cell(0, 0), "A.EXE");
    // A file it cannot empty is reported by ResetTrace too.
    ResetTrace(data);
    EXPECT_EQ(dialogs->plainMessages, QStringList({message, message}));
    EXPECT_TRUE(QFileInfo(TraceFilePath()).isDir());

    ASSERT_TRUE(QDir().rmdir(TraceFilePath()));
    AddRow("A.EXE", "un", today, "09:00:00", "09:10:00", "00:10:00");
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(ReadBytes(TraceFilePath()), kGoodA + "\r\n");
    EXPECT_EQ(dialogs->plainMessages.size(), 2);
}

TEST_F(TraceFileTest, AFailedSaveLeavesThePreviousFileWhole)
{
    WriteTraceFile(kGoodA + "\r\n");
    LoadTrace(data);
    AddRow("B.EXE", "deux", today, "09:10:00", nullptr, "00:00:00");
    // The folder disappears under a file of the same name: nothing can be written there.
    const QString folder = QDir::cleanPath(AppFolder());
    const QString moved = folder + ".moved";
    ASSERT_TRUE(QDir().rename(folder, moved));
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(SaveTrace(data));
    EXPECT_EQ(dialogs->plainMessages, QStringList(AppFolder() + "Traceur.csvest-il ouvert ?"));
    EXPECT_EQ(TraceurFile(data), QString());
    EXPECT_EQ(dialogs->plainMessages.last(), "Problème in TraceurFile");
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().rename(moved, folder));
    EXPECT_EQ(ReadBytes(TraceFilePath()), kGoodA + "\r\n");
    EXPECT_EQ(data.lastRow(), 1);
}

TEST_F(TraceFileTest, TheArchiveHoldsTheNewestRowFirst)
{
    AddRow("A.EXE", "a", today, "08:00:00", "08:10:00", "00:10:00");
    AddRow("C.EXE", "c", today, "08:20:00", nullptr, "00:00:00");
    WriteTraceFile("untouched\r\n");
    const QString path = TraceurFile(data);
    EXPECT_EQ(path, AppFolder() + "Traceur07-12-2026à09-30-00.csv");
    EXPECT_EQ(ReadBytes(path), "C.EXE;c;07/12/2026;08:20:00;08:20:00;00:00:00;00:00:00\r\n"
                               "A.EXE;a;07/12/2026;08:00:00;08:00:00;08:10:00;00:10:00\r\n");
    EXPECT_EQ(ReadBytes(TraceFilePath()), "untouched\r\n");
    // A second archive in the same second never replaces the first.
    data.Clear();
    EXPECT_EQ(TraceurFile(data), AppFolder() + "Traceur07-12-2026à09-30-00_2.csv");
    EXPECT_EQ(ReadBytes(path).count('\n'), 2);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

// An unread line is kept in a dated copy before the file is emptied.
TEST_F(TraceFileTest, ResetTraceKeepsAnUnreadFileThenEmptiesFileTableAndGrid)
{
    const QByteArray file =
        kGoodA + "\r\nA.EXE;un;31/02/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n";
    WriteTraceFile(file);
    LoadTrace(data);
    Glb().TracerWindowPending = false;
    int resets = 0;
    data.onReset = [&resets] {
        ++resets;
    };
    ResetTrace(data);
    EXPECT_EQ(ReadBytes(KeptPath()), file);
    EXPECT_EQ(ReadBytes(TraceFilePath()), QByteArray());
    EXPECT_EQ(data.lastRow(), -1);
    EXPECT_EQ(data.table.Proc(0), nullptr);
    EXPECT_TRUE(Glb().TracerWindowPending);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
}

// Every kind of line that cannot be read back: the lines around it load, nothing is said
// at load, and the next save first keeps the original file and says where, once.
TEST_F(TraceFileTest, BadLinesAreSkippedAndTheOriginalKeptBeforeTheNextSave)
{
    const QList<QByteArray> bad = {
        "A.EXE;un;07/12/2026;09:00:00;09:00:00;09:10:00",
        "A.EXE;un;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00;en trop",
        "A.EXE;titre; avec point-virgule;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00",
        "A.EXE;un;31/02/2026;09:00:00;09:00:00;09:10:00;00:10:00",
        "A.EXE;un;07/12/2026;24:00:00;09:00:00;09:10:00;00:10:00",
        "A.EXE;un;07/12/2026;09:00:00;12:75:00;09:10:00;00:10:00",
        "A.EXE;un;07/12/2026;09:00:00;09:00:00;09:10:00;",
        "A.EXE;un;;09:00:00;09:00:00;09:10:00;00:10:00",
        ";;;;;;",
        "   ",
        "n'importe quoi",
        kGoodA + '\0',
        QByteArray(1 << 20, 'x'),
    };
    QByteArray file = kGoodA + "\r\n";
    for (const QByteArray& line : bad)
        file += line + "\r\n";
    file += kGoodB + "\r\n";
    WriteTraceFile(file);

    LoadTrace(data);
    ASSERT_EQ(data.lastRow(), 1);
    EXPECT_EQ(data.grid.Cell(1, 0), "B.EXE");
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    EXPECT_TRUE(OtherFiles().isEmpty());

    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(OtherFiles(), QStringList(QFileInfo(KeptPath()).fileName()));
    EXPECT_EQ(ReadBytes(KeptPath()), file);
    EXPECT_EQ(ReadBytes(TraceFilePath()), kGoodA + "\r\n" + kGoodB + "\r\n");
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->plainMessages[0].startsWith("Des lignes de Traceur.csv n'ont pas pu"));
    EXPECT_TRUE(dialogs->plainMessages[0].endsWith(KeptPath()));

    clock->AdvanceSeconds(5);
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(OtherFiles().size(), 1);
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
}

// A title Windows-1252 cannot hold keeps the whole file in UTF-8; line ends become CR LF and
// an empty line, which holds nothing to keep, goes away. Everything else comes back as it was.
TEST_F(TraceFileTest, LongTitlesNulBytesUtf8AndLfEndsComeBackInTheProgramsForm)
{
    const QByteArray longTitle(1 << 20, 'T'), withNul("a\0b", 3);
    const QByteArray times = ";07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00";
    const QByteArray start = "A.EXE;" + longTitle + times + "\r\nB.EXE;" + withNul + times;
    WriteTraceFile(start + "\r\n\r\nC.EXE;Fenêtre" + times + "\nD.EXE;日本語" + times + "\n");
    LoadTrace(data);
    ASSERT_EQ(data.lastRow(), 3);
    EXPECT_EQ(data.table.Proc(0)->winTitle.size(), 1 << 20);
    EXPECT_EQ(data.table.Proc(1)->winTitle, QString::fromLatin1(withNul));
    EXPECT_EQ(data.grid.Cell(2, 1), "Fenêtre");
    EXPECT_EQ(data.grid.Cell(3, 1), "日本語");
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(ReadBytes(TraceFilePath()),
              start + "\r\nC.EXE;Fenêtre" + times + "\r\nD.EXE;日本語" + times + "\r\n");
    EXPECT_TRUE(OtherFiles().isEmpty());
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());

    data.grid.SetCell(3, 1, "deux");
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(ReadBytes(TraceFilePath()),
              start + "\r\nC.EXE;Fen\xEAtre" + times + "\r\nD.EXE;deux" + times + "\r\n");
}

TEST_F(TraceFileTest, FormulaLookingCellsGoOutBehindAnApostropheAndComeBackWithout)
{
    const QStringList titles = {"=SOMME(A1:A9)", "+33 6 12", "-x", "@moi", "'=déjà",
                                "''+x",          "l'été",    "'",  "a=b",  ""};
    for (const QString& title : titles)
        AddRow("A.EXE", title, today, "09:00:00", "09:10:00", "00:10:00");
    data.grid.SetCell(1, TraceColumn::procName, "@CMD");
    AddRow("Z.EXE", "z", today, "09:00:00", "09:10:00", "00:10:00");
    data.grid.SetCell(10, TraceColumn::duree, "=1+1");
    EXPECT_TRUE(SaveTrace(data));
    const QList<QByteArray> lines = ReadBytes(TraceFilePath()).split('\n');
    EXPECT_EQ(lines[0], "A.EXE;'=SOMME(A1:A9);07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r");
    EXPECT_EQ(lines[1], "'@CMD;'+33 6 12;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r");
    EXPECT_TRUE(lines[4].startsWith("A.EXE;''=d\xE9j\xE0;"));
    EXPECT_TRUE(lines[6].startsWith("A.EXE;l'\xE9t\xE9;"));
    EXPECT_EQ(lines[10], "Z.EXE;z;07/12/2026;09:00:00;09:00:00;09:10:00;'=1+1\r");

    TTraceData loaded;
    LoadTrace(loaded);
    ASSERT_EQ(loaded.lastRow(), titles.size() - 1);
    for (int row = 0; row < titles.size(); ++row)
        EXPECT_EQ(loaded.grid.Cell(row, 1), titles[row]) << row;
    EXPECT_EQ(loaded.grid.Cell(1, TraceColumn::procName), "@CMD");
    EXPECT_EQ(loaded.table.Proc(1)->procName, "@CMD");
    // "=1+1" is no time: that line is kept aside like any other unreadable one.
    EXPECT_TRUE(loaded.unreadLinesPending);

    // A hand-written apostrophe is taken off only before a formula.
    WriteTraceFile("A.EXE;'=x;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n"
                   "B.EXE;'x;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n"
                   "C.EXE;x;07/12/2026;'09:00:00;09:00:00;09:10:00;00:10:00\r\n");
    TTraceData hand;
    LoadTrace(hand);
    ASSERT_EQ(hand.lastRow(), 1);
    EXPECT_EQ(hand.grid.Cell(0, 1), "=x");
    EXPECT_EQ(hand.grid.Cell(1, 1), "'x");
    EXPECT_TRUE(hand.unreadLinesPending);
}
