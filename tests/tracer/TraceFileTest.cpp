#include "TraceFileFixture.h"

TEST_F(TraceFileTest, AMissingFileIsCreatedEmptyAndTheTraceStaysEmpty)
{
    LoadTrace(data);
    EXPECT_TRUE(QFileInfo(TraceFilePath()).isFile());
    EXPECT_EQ(ReadBytes(TraceFilePath()), QByteArray());
    EXPECT_EQ(TraceFilePath(), AppFolder() + "Traceur.csv");
    EXPECT_EQ(data.lastRow(), -1);
    EXPECT_TRUE(Glb().NoRowTodayAtLoad);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

TEST_F(TraceFileTest, SavedRowsAreTheGridTextsInOrderWithCrLf)
{
    AddRow("EDITEUR.EXE", "liste.txt - Éditeur", yesterday, "09:15:02", "10:20:13", "00:52:10");
    AddRow("TABLEUR.EXE", "", today, "09:00:00", nullptr, "00:00:00");
    data.grid.SetCell(0, TraceColumn::duree, "01:00:00");
    QString savedPath;
    data.onSaved = [&savedPath](const QString& path) {
        savedPath = path;
    };
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(ReadBytes(TraceFilePath()),
              "EDITEUR.EXE;liste.txt - \xC9"
              "diteur;06/12/2026;09:15:02;09:15:02;10:20:13;"
              "01:00:00\r\n"
              "TABLEUR.EXE;;07/12/2026;09:00:00;09:00:00;00:00:00;00:00:00\r\n");
    EXPECT_EQ(savedPath, TraceFilePath());
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    EXPECT_TRUE(OtherFiles().isEmpty());
}

TEST_F(TraceFileTest, SavingNoRowsWritesAnEmptyFile)
{
    WriteTraceFile("OLD.EXE;t;06/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n");
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(ReadBytes(TraceFilePath()), QByteArray());
}

TEST_F(TraceFileTest, LoadedRowsHoldTheTextsAsReadAndMidnightDates)
{
    WriteTraceFile("A.EXE;un;06/12/2026;09:15:02;10:01:44;10:20:13;00:52:10\r\n"
                   "B.EXE;deux;07/12/2026;08:00:00;09:00:00;00:00:00;00:30:00\r\n");
    LoadTrace(data);
    ASSERT_EQ(data.lastRow(), 1);
    EXPECT_EQ(RowTexts(0), QStringList({"A.EXE", "un", "06/12/2026", "09:15:02", "10:01:44",
                                        "10:20:13", "00:52:10"}));
    EXPECT_EQ(*data.table.Proc(0), (TTraceProc{"A.EXE", "un", yesterday, T("09:15:02"),
                                               T("10:01:44"), T("10:20:13"), T("00:52:10")}));
    EXPECT_TRUE(data.table.Proc(1)->IsOpen());
    EXPECT_EQ(data.FindTraceRow("B.EXE", "noSearch", today), 1);
    EXPECT_FALSE(Glb().NoRowTodayAtLoad);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());

    // Saved again unchanged, the file comes back byte for byte.
    const QByteArray before = ReadBytes(TraceFilePath());
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(ReadBytes(TraceFilePath()), before);
}

TEST_F(TraceFileTest, NoRowTodayAtLoadFollowsTheClock)
{
    WriteTraceFile("A.EXE;un;06/12/2026;09:15:02;10:01:44;10:20:13;00:52:10\r\n");
    LoadTrace(data);
    EXPECT_TRUE(Glb().NoRowTodayAtLoad);
    clock->Set(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59)));
    LoadTrace(data);
    EXPECT_FALSE(Glb().NoRowTodayAtLoad);
    EXPECT_EQ(data.lastRow(), 0);
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

TEST_F(TraceFileTest, AFailedSaveSaysSoAndKeepsEverything)
{
    AddRow("A.EXE", "un", today, "09:00:00", "09:10:00", "00:10:00");
    // A file that cannot be replaced, whoever runs the test: a folder in its place.
    const QString blocker = AppFolder() + "Traceur.csv";
    ASSERT_TRUE(QDir().mkdir(blocker));
    EXPECT_FALSE(SaveTrace(data));
    EXPECT_EQ(dialogs->plainMessages, QStringList(AppFolder() + "Traceur.csvest-il ouvert ?"));
    EXPECT_EQ(data.lastRow(), 0);
    EXPECT_EQ(data.grid.Cell(0, 0), "A.EXE");

    ASSERT_TRUE(QDir().rmdir(blocker));
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(ReadBytes(TraceFilePath()),
              "A.EXE;un;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n");
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
}

TEST_F(TraceFileTest, AFailedSaveLeavesThePreviousFileWhole)
{
    WriteTraceFile("A.EXE;un;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n");
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
    EXPECT_EQ(ReadBytes(TraceFilePath()),
              "A.EXE;un;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n");
    EXPECT_EQ(data.lastRow(), 1);
}

TEST_F(TraceFileTest, TheArchiveHoldsTheNewestRowFirst)
{
    AddRow("A.EXE", "a", today, "08:00:00", "08:10:00", "00:10:00");
    AddRow("B.EXE", "b", today, "08:10:00", "08:20:00", "00:10:00");
    AddRow("C.EXE", "c", today, "08:20:00", nullptr, "00:00:00");
    WriteTraceFile("untouched\r\n");
    const QString path = TraceurFile(data);
    EXPECT_EQ(path, AppFolder() + "Traceur07-12-2026à09-30-00.csv");
    EXPECT_EQ(ReadBytes(path), "C.EXE;c;07/12/2026;08:20:00;08:20:00;00:00:00;00:00:00\r\n"
                               "B.EXE;b;07/12/2026;08:10:00;08:10:00;08:20:00;00:10:00\r\n"
                               "A.EXE;a;07/12/2026;08:00:00;08:00:00;08:10:00;00:10:00\r\n");
    EXPECT_EQ(ReadBytes(TraceFilePath()), "untouched\r\n");
    // A second archive in the same second never replaces the first.
    data.Clear();
    EXPECT_EQ(TraceurFile(data), AppFolder() + "Traceur07-12-2026à09-30-00_2.csv");
    EXPECT_EQ(ReadBytes(path).count('\n'), 3);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

TEST_F(TraceFileTest, ResetTraceEmptiesFileTableAndGrid)
{
    WriteTraceFile("A.EXE;un;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n");
    LoadTrace(data);
    Glb().TracerWindowPending = false;
    int resets = 0;
    data.onReset = [&resets] {
        ++resets;
    };
    ResetTrace(data);
    EXPECT_EQ(ReadBytes(TraceFilePath()), QByteArray());
    EXPECT_EQ(data.lastRow(), -1);
    EXPECT_EQ(data.table.SlotCount(), 512);
    EXPECT_EQ(data.table.Proc(0), nullptr);
    EXPECT_TRUE(Glb().TracerWindowPending);
    EXPECT_EQ(resets, 1);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    // The next load reads the emptied file.
    LoadTrace(data);
    EXPECT_EQ(data.lastRow(), -1);
    EXPECT_TRUE(Glb().NoRowTodayAtLoad);
}
