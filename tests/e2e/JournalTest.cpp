#include "E2eSupport.h"

#include <QDir>

#include <csignal>

namespace {
// The program's shown window of that size; "" when there is none. Searched by process alone:
// the windows without a title of their own have an empty WM_NAME.
QString ShownWindowOfSize(qint64 pid, const QString& size)
{
    const QStringList windows =
        RunTool("xdotool", {"search", "--all", "--onlyvisible", "--pid", QString::number(pid)})
            .split('\n', Qt::SkipEmptyParts);
    for (const QString& window : windows)
        if (RunTool("xwininfo", {"-id", window}).contains("-geometry " + size))
            return window;
    return {};
}

// Waits for that window and clicks in it at (x, y); false when it never comes.
bool ClickIn(qint64 pid, const QString& size, int x, int y)
{
    QString window;
    if (!WaitUntil([&]() { return !(window = ShownWindowOfSize(pid, size)).isEmpty(); }))
        return false;
    RunTool("xdotool", {"mousemove", "--window", window, QString::number(x), QString::number(y),
                        "click", "1"});
    return true;
}
} // namespace

using Journal = ProgramTest;

// With no printer installed, the journal's print goes to a PDF in the program's folder.
TEST_F(Journal, PrintsTheTraceIntoAPdfWithTheRowsAndTheDayTotalsInOrder)
{
    ASSERT_TRUE(
        ChangeSettings({{"Traceur visible", "1"}, {"Left Traceur", "20"}, {"Top Traceur", "300"}}));
    ASSERT_TRUE(
        WriteBytes(home.filePath("Traceur.csv"),
                   "editeur;C:\\docs\\plan.txt - Editor;05/12/2026;09:00:00;09:10:00;"
                   "09:20:00;00:20:00\r\n"
                   "navigateur;Agenda: juin;05/12/2026;09:20:00;09:20:00;09:30:00;"
                   "00:10:00\r\n"
                   "tableur;budget.ods;06/12/2026;10:00:00;10:00:00;10:45:00;00:45:00\r\n"));
    QProcess* program = nullptr;
    ASSERT_FALSE(StartMain(program).isEmpty());
    const qint64 pid = program->processId();
    ASSERT_TRUE(ClickIn(pid, "497x117", 484, 13));  // the tracer window's journal button
    ASSERT_TRUE(ClickIn(pid, "497x257", 348, 244)); // "Impression"
    ASSERT_TRUE(ClickIn(pid, "339x104", 296, 21));  // " E N V O I"

    QStringList pdfs;
    WaitUntil([&]() {
        pdfs = QDir(home.path()).entryList({"Traceur*.pdf"}, QDir::Files);
        return !pdfs.isEmpty() && ShownWindowOfSize(pid, "339x104").isEmpty();
    });
    ASSERT_EQ(pdfs.size(), 1);
    const QString text = RunTool("pdftotext", {"-layout", home.filePath(pdfs[0]), "-"});
    qsizetype at = 0;
    for (const char* part : {"Tarvelle - Trace - ", "plan.txt - Editor", " juin", "00:30:00",
                             "budget.ods", "00:45:00"}) {
        at = text.indexOf(part, at);
        ASSERT_GE(at, 0) << part << " after the parts before it in\n" << text.toStdString();
    }
    // The title and the day totals are bold.
    EXPECT_TRUE(RunTool("pdffonts", {home.filePath(pdfs[0])}).contains("Bold"));
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    EXPECT_TRUE(EndsWithZero(*program));
}
