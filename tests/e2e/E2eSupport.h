#pragma once

#include "TestFiles.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

// True while the process runs; unlike QProcess::state() it notices an end without an event loop.
bool StillRuns(QProcess& process);
bool EndsWithZero(QProcess& process);
// Shown ones only: Qt also names its hidden client-leader window after the application.
QStringList ShownWindows(qint64 pid, const QString& title = "Tarvelle");
// Told apart by its fixed size: the tray icon and a message may carry the same title.
QString ShownMainWindow(qint64 pid);

// Runs copies of the built program as a user would, all with the same private program folder
// (TARVELLE_HOME) holding the files that come with the program, and the same runtime and
// temporary folders, so that they never meet a copy the developer runs.
class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override;
    // Fails on what a process said on its error output that no window would show.
    void TearDown() override;

    // Gives keys of the installed settings file new values, keeping its Latin-1 and CRLF form.
    bool ChangeSettings(const std::vector<std::pair<QByteArray, QByteArray>>& values);
    QProcess& Start() { return Launch(environment.value("TARVELLE_EXE"), {}); }
    // Its shown window of that title, or else its main window; "" when the process ends first.
    static QString WaitForWindow(QProcess& process, const QString& title = {});
    QString StartMain(QProcess*& copy) { return WaitForWindow(*(copy = &Start())); }
    // Shows a window of another program, a helper, with that title.
    QString ShowTestWindow(const QString& title)
    {
        return WaitForWindow(Launch(beside + "/tarvelle_testwindow", {"--title", title}), title);
    }

    QTemporaryDir home, runtime, temp;
    QString beside; // the built program's folder, with its helpers and its settings file
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

private:
    QProcess& Launch(const QString& program, const QStringList& args);
    std::vector<std::unique_ptr<QProcess>> processes;
};
