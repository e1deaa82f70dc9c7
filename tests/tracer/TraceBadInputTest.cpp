#include "TraceFileFixture.h"

namespace {
const QByteArray kGoodA = "A.EXE;un;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00";
const QByteArray kGoodB = "B.EXE;deux;07/12/2026;09:10:00;09:10:00;09:20:00;00:10:00";
const QByteArray kKeptName = "Traceur_original07-12-2026à09-30-00.csv";
} // namespace

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
        QByteArray("A.EXE;un;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00", 54) + '\0',
        QByteArray(1 << 20, 'x'),
    };
    QByteArray file = kGoodA + "\r\n";
    for (const QByteArray& line : bad)
        file += line + "\r\n";
    file += kGoodB + "\r\n";
    WriteTraceFile(file);

    LoadTrace(data);
    ASSERT_EQ(data.lastRow(), 1);
    EXPECT_EQ(data.grid.Cell(0, 0), "A.EXE");
    EXPECT_EQ(data.grid.Cell(1, 0), "B.EXE");
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    EXPECT_TRUE(OtherFiles().isEmpty());

    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(OtherFiles(), QStringList(QString::fromUtf8(kKeptName)));
    EXPECT_EQ(ReadBytes(AppFolder() + QString::fromUtf8(kKeptName)), file);
    EXPECT_EQ(ReadBytes(TraceFilePath()), kGoodA + "\r\n" + kGoodB + "\r\n");
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->plainMessages[0].startsWith("Des lignes de Traceur.csv n'ont pas pu"));
    EXPECT_TRUE(dialogs->plainMessages[0].endsWith(AppFolder() + QString::fromUtf8(kKeptName)));

    clock->AdvanceSeconds(5);
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(OtherFiles().size(), 1);
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
}

TEST_F(TraceFileTest, ANewTracerKeepsAnUnreadFileBeforeEmptyingIt)
{
    const QByteArray file =
        kGoodA + "\r\nA.EXE;un;31/02/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n";
    WriteTraceFile(file);
    LoadTrace(data);
    ResetTrace(data);
    EXPECT_EQ(ReadBytes(AppFolder() + QString::fromUtf8(kKeptName)), file);
    EXPECT_EQ(ReadBytes(TraceFilePath()), QByteArray());
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
}

TEST_F(TraceFileTest, AFileThatCannotBeReadIsNeverOverwritten)
{
    ASSERT_TRUE(QDir().mkdir(TraceFilePath()));
    LoadTrace(data);
    EXPECT_EQ(data.lastRow(), -1);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    AddRow("A.EXE", "un", today, "09:00:00", "09:10:00", "00:10:00");
    EXPECT_FALSE(SaveTrace(data));
    EXPECT_EQ(dialogs->plainMessages, QStringList(TraceFilePath() + "est-il ouvert ?"));
    EXPECT_TRUE(QFileInfo(TraceFilePath()).isDir());
    EXPECT_EQ(data.lastRow(), 0);
}

TEST_F(TraceFileTest, LongTitlesNulBytesAndBlankLinesComeBackUnchanged)
{
    const QByteArray longTitle(1 << 20, 'T');
    const QByteArray withNul = QByteArray("a\0b", 3);
    const QByteArray file =
        "A.EXE;" + longTitle + ";07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n" + "\r\n" +
        "B.EXE;" + withNul + ";07/12/2026;09:10:00;09:10:00;09:20:00;00:10:00\r\n";
    WriteTraceFile(file);
    LoadTrace(data);
    ASSERT_EQ(data.lastRow(), 1);
    EXPECT_EQ(data.table.Proc(0)->winTitle.size(), 1 << 20);
    EXPECT_EQ(data.table.Proc(1)->winTitle, QString::fromLatin1(withNul));
    EXPECT_TRUE(SaveTrace(data));
    // An empty line holds nothing to keep; everything else is written back as it was.
    EXPECT_EQ(ReadBytes(TraceFilePath()), QByteArray(file).replace("\r\n\r\n", "\r\n"));
    EXPECT_TRUE(OtherFiles().isEmpty());
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

TEST_F(TraceFileTest, Utf8AndLfOnlyFilesAreReadAndWrittenBackInTheProgramsForm)
{
    WriteTraceFile("A.EXE;Fenêtre;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\n"
                   "B.EXE;日本語;07/12/2026;09:10:00;09:10:00;09:20:00;00:10:00\n");
    LoadTrace(data);
    ASSERT_EQ(data.lastRow(), 1);
    EXPECT_EQ(data.grid.Cell(0, 1), QStringLiteral("Fenêtre"));
    EXPECT_EQ(data.grid.Cell(1, 1), QStringLiteral("日本語"));
    EXPECT_TRUE(SaveTrace(data));
    // A title Windows-1252 cannot hold keeps the whole file in UTF-8; line ends become CR LF.
    EXPECT_EQ(ReadBytes(TraceFilePath()),
              "A.EXE;Fenêtre;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n"
              "B.EXE;日本語;07/12/2026;09:10:00;09:10:00;09:20:00;00:10:00\r\n");

    data.grid.SetCell(1, 1, "deux");
    EXPECT_TRUE(SaveTrace(data));
    EXPECT_EQ(ReadBytes(TraceFilePath()),
              "A.EXE;Fen\xEAtre;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n"
              "B.EXE;deux;07/12/2026;09:10:00;09:10:00;09:20:00;00:10:00\r\n");
    EXPECT_TRUE(OtherFiles().isEmpty());
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
}

TEST_F(TraceFileTest, AHandWrittenApostropheIsTakenOffOnlyBeforeAFormula)
{
    WriteTraceFile("A.EXE;'=x;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n"
                   "B.EXE;'x;07/12/2026;09:00:00;09:00:00;09:10:00;00:10:00\r\n"
                   "C.EXE;x;07/12/2026;'09:00:00;09:00:00;09:10:00;00:10:00\r\n");
    LoadTrace(data);
    ASSERT_EQ(data.lastRow(), 1);
    EXPECT_EQ(data.grid.Cell(0, 1), "=x");
    EXPECT_EQ(data.grid.Cell(1, 1), "'x");
    EXPECT_TRUE(data.unreadLinesPending);
}
