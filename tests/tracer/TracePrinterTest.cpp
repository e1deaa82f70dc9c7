#include "TestEnv.h"
#include "TestFiles.h"
#include "tracer/F_TracePrinter.h"
#include "tracer/U_TraceGrid.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <csignal>
#include <sys/resource.h>

namespace {
// Printing with no printer installed: the trace goes into a PDF in the program's folder.
class TracePrinterTest : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        // No print server can be reached, so that a test never prints on a real printer.
        qputenv("CUPS_SERVER", QDir(home.path()).filePath("no-cups.sock").toLocal8Bit());
        ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull());
        for (int i = 0; i < 90; ++i)
            grid.AppendRows({{"P.EXE", "t", i < 50 ? "05/12/2026" : "06/12/2026", "09:00:00",
                              "09:05:00", "09:15:00", "00:10:00"}});
    }
    QStringList Files() const { return QDir(AppFolder()).entryList(QDir::Files); }

    TTraceGrid grid;
};
} // namespace

// The whole trace on its two pages, announced with its path once written; a second print in
// the same second does not overwrite the first.
TEST_F(TracePrinterTest, WithoutAPrinterTheTraceBecomesAnAnnouncedPdf)
{
    ASSERT_TRUE(PrintTrace(grid, "Tarvelle - Trace - marie", 0));
    const QString path = AppFolder() + QStringLiteral("Traceur07-12-2026à09-30-00.pdf");
    EXPECT_EQ(Files(), QStringList({QFileInfo(path).fileName()}));
    const QString pdf = QString::fromLatin1(ReadBytes(path));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 2);
    EXPECT_EQ(QFile::permissions(path) & 0x0FFF, QFile::ReadUser | QFile::WriteUser);
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_EQ(dialogs->messages[0].text, "Trace imprimée dans " + path);
    EXPECT_EQ(dialogs->plainMessages, QStringList());
    ASSERT_TRUE(PrintTrace(grid, "Tarvelle - Trace 06/12/26=06:40:00 - marie", 1));
    EXPECT_EQ(Files().size(), 2);
}

// A day total that fails, or a file that cannot be written: told, nothing announced, no PDF.
TEST_F(TracePrinterTest, AFailedPrintLeavesNoPdf)
{
    grid.SetCell(70, TraceColumn::duree, "0:10:00");
    EXPECT_FALSE(PrintTrace(grid, "T", 0));
    EXPECT_EQ(dialogs->plainMessages, QStringList({"'0:10:00' n'est pas une heure correcte"}));
    EXPECT_EQ(Files(), QStringList());

    grid.SetCell(70, TraceColumn::duree, "00:10:00");
    ASSERT_TRUE(QDir(AppFolder()).removeRecursively());
    EXPECT_FALSE(PrintTrace(grid, "T", 0));
    ASSERT_EQ(dialogs->plainMessages.size(), 2);
    EXPECT_TRUE(dialogs->plainMessages[1].startsWith("Impression impossible : le fichier "));
    EXPECT_EQ(dialogs->messages.size(), 0);
    EXPECT_FALSE(QDir(AppFolder()).exists());
}

// A disk that fills during the print (the file size limit alike): the cut file is removed, the
// failure told, nothing announced; a print killed before its end leaves nothing that stays.
TEST_F(TracePrinterTest, APdfCutShortIsRemovedAndTold)
{
    ASSERT_TRUE(PrintTrace(grid, "T", 0));
    const QString first = AppFolder() + QStringLiteral("Traceur07-12-2026à09-30-00.pdf");
    const qint64 size = QFileInfo(first).size();
    ASSERT_GT(size, 1000);
    const QString killed = AppFolder() + "Traceur01-12-2026à10-00-00.pdf.tarvelle-tmp";
    ASSERT_TRUE(WriteBytes(killed, "%PDF-1.4\n"));
    dialogs->messages.clear();

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit small{rlim_t(size / 2), before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const bool printed = PrintTrace(grid, "T", 0);
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_FALSE(printed);
    EXPECT_EQ(Files(), QStringList(QFileInfo(first).fileName()));
    EXPECT_EQ(dialogs->messages.size(), 0);
    EXPECT_EQ(dialogs->plainMessages,
              QStringList("Impression impossible : le fichier " + AppFolder() +
                          "Traceur07-12-2026à09-30-00_2.pdf n'a pas pu être écrit en entier "
                          "(disque plein ?) ; il a été supprimé."));
}
