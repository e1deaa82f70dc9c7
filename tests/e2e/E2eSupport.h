#pragma once

#include "ToolRun.h"

#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

// Every entry below `folder` with its size and modification time, one per line, sorted.
QString FolderListing(const QString& folder);

// True while the process runs; unlike QProcess::state() it notices an end without an event loop.
bool StillRuns(QProcess& process);

// The shown top-level window of process `pid` whose whole title is `title`, or "". Only shown
// ones count: Qt also names its hidden client-leader window after the application.
QString ShownWindow(qint64 pid, const QString& title = QStringLiteral("Tarvelle"));
// All of them, in the order the X server lists them.
QStringList ShownWindows(qint64 pid, const QString& title);
bool IsViewable(const QString& window);
// The program's main window: its shown "Tarvelle" window of the main window's fixed size (a
// message and the tray icon may carry the same title).
QString ShownMainWindow(qint64 pid);
bool IsIconic(const QString& window);
// Where the window stands on the screen, as xdotool sees it.
QPoint WindowPosition(const QString& window);
// True when the window manager stacks `upper` above `lower`.
bool IsStackedAbove(const QString& upper, const QString& lower);

// Runs copies of the built program as a user would, all with the same private program folder
// (TARVELLE_HOME) and runtime and temporary folders, so that they never meet a copy the
// developer runs. Whatever it started and still runs at the end is killed.
class TProgramSandbox
{
public:
    TProgramSandbox();
    ~TProgramSandbox();
    TProgramSandbox(const TProgramSandbox&) = delete;
    TProgramSandbox& operator=(const TProgramSandbox&) = delete;

    bool IsValid() const;
    QString Home() const { return home.path(); }
    QString Scratch() const { return scratch.path(); }
    void SetVariable(const QString& name, const QString& value);
    // Puts the files that come with the program into the program folder, as an installation
    // has them (the settings file: without it the program says so before it shows itself).
    bool InstallDistributedFiles();
    QProcess& Start();
    // Starts one of the helper programs built next to the program.
    QProcess& StartHelper(const QString& name, const QStringList& args);
    // Waits for the process to show a window with that title; its id, or "" when it never does.
    static QString WaitForWindow(QProcess& process,
                                 const QString& title = QStringLiteral("Tarvelle"));

private:
    QTemporaryDir home;
    QTemporaryDir runtime;
    QTemporaryDir temp;
    QTemporaryDir scratch;
    QProcessEnvironment environment;
    QProcess& Launch(const QString& program, const QStringList& args);

    std::vector<std::unique_ptr<QProcess>> processes;
};
