#pragma once

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

// Every entry below `folder` with its size and modification time, one per line, sorted.
QString FolderListing(const QString& folder);
// True while the process runs; unlike QProcess::state() it notices an end without an event loop.
bool StillRuns(QProcess& process);
// Whether the process ends by itself with 0.
bool EndsWithZero(QProcess& process);

// The shown top-level windows of process `pid` whose whole title is `title`, in the order the X
// server lists them. Only shown ones count: Qt also names its hidden client-leader window after
// the application.
QStringList ShownWindows(qint64 pid, const QString& title = "Tarvelle");
// The program's main window: its shown "Tarvelle" window of the main window's fixed size (a
// message and the tray icon may carry the same title).
QString ShownMainWindow(qint64 pid);
// True when the window is minimised (iconic and unmapped), or with `minimised` false, when it is
// shown normally (neither).
bool IsMinimised(const QString& window, bool minimised = true);
// Where the window stands on the screen, as xdotool sees it.
QPoint WindowPosition(const QString& window);
// True when the window manager stacks `upper` above `lower`.
bool IsStackedAbove(const QString& upper, const QString& lower);

// Runs copies of the built program as a user would, all with the same private program folder
// (TARVELLE_HOME), holding the files that come with the program, and the same runtime and
// temporary folders, so that they never meet a copy the developer runs. Whatever the test
// started and still runs at its end is killed.
class ProgramTest : public ::testing::Test
{
protected:
    ProgramTest();
    ~ProgramTest() override;
    void SetUp() override;

    // Gives keys of the installed settings file new values, keeping its Latin-1 and CRLF form.
    bool ChangeSettings(const std::vector<std::pair<QByteArray, QByteArray>>& values);
    QProcess& Start() { return Launch(environment.value("TARVELLE_EXE"), {}); }
    // Starts a copy and waits for its main window; "" when it ends or never shows one.
    QString StartMain(QProcess*& copy);
    // Shows a foreign window with that title (a helper program built next to the program); its
    // id, or "" when it never shows.
    QString ShowTestWindow(const QString& title);
    // Waits for the process to show a window with that title; its id, or "" when it never does.
    static QString WaitForWindow(QProcess& process, const QString& title);

    QTemporaryDir home, runtime, temp, scratch;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

private:
    QProcess& Launch(const QString& program, const QStringList& args);

    std::vector<std::unique_ptr<QProcess>> processes;
};
