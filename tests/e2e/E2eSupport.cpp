#include "E2eSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <sys/stat.h>

QString FolderListing(const QString& folder)
{
    QStringList lines;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat info = {};
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
            lines << path + QStringLiteral(" (gone)");
            continue;
        }
        // Nanoseconds, so that a rewrite within the same second still shows.
        lines << QStringLiteral("%1 %2 %3.%4")
                     .arg(path)
                     .arg(info.st_size)
                     .arg(info.st_mtim.tv_sec)
                     .arg(info.st_mtim.tv_nsec, 9, 10, QLatin1Char('0'));
    }
    lines.sort();
    return lines.join(QLatin1Char('\n'));
}

bool StillRuns(QProcess& process)
{
    return process.state() != QProcess::NotRunning && !process.waitForFinished(0);
}

QStringList ShownWindows(qint64 pid, const QString& title)
{
    const QString name = QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$');
    const QStringList args{"search", "--all", "--onlyvisible", "--pid", QString::number(pid),
                           "--name", name};
    return RunTool(QStringLiteral("xdotool"), args).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString ShownWindow(qint64 pid, const QString& title)
{
    return ShownWindows(pid, title).value(0);
}

bool IsViewable(const QString& window)
{
    return RunTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window})
        .contains(QLatin1String("Map State: IsViewable"));
}

QString ShownMainWindow(qint64 pid)
{
    for (const QString& window : ShownWindows(pid, QStringLiteral("Tarvelle"))) {
        const QString info = RunTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
        if (info.contains(QLatin1String("Width: 277\n")) &&
            info.contains(QLatin1String("Height: 116\n")))
            return window;
    }
    return {};
}

bool IsIconic(const QString& window)
{
    return RunTool(QStringLiteral("xprop"),
                   {QStringLiteral("-id"), window, QStringLiteral("WM_STATE")})
        .contains(QLatin1String("window state: Iconic"));
}

QPoint WindowPosition(const QString& window)
{
    QPoint at;
    const QString shell = RunTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"),
                                                              QStringLiteral("--shell"), window});
    for (const QString& line : shell.split(QLatin1Char('\n'))) {
        const int value = line.section(QLatin1Char('='), 1).toInt();
        if (line.startsWith(QLatin1String("X=")))
            at.setX(value);
        else if (line.startsWith(QLatin1String("Y=")))
            at.setY(value);
    }
    return at;
}

bool IsStackedAbove(const QString& upper, const QString& lower)
{
    // Bottom to top: "_NET_CLIENT_LIST_STACKING(WINDOW): window id # 0x..., 0x...".
    const QString stacking =
        RunTool(QStringLiteral("xprop"),
                {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<qulonglong> order;
    for (const QString& id : stacking.section(QLatin1Char('#'), 1).split(QLatin1Char(',')))
        order << id.trimmed().toULongLong(nullptr, 16);
    const qsizetype up = order.indexOf(upper.toULongLong());
    const qsizetype low = order.indexOf(lower.toULongLong());
    return up >= 0 && low >= 0 && up > low;
}

TProgramSandbox::TProgramSandbox()
    : home(QDir::tempPath() + QStringLiteral("/tarvelle-home-XXXXXX")),
      runtime(QDir::tempPath() + QStringLiteral("/tarvelle-runtime-XXXXXX")),
      temp(QDir::tempPath() + QStringLiteral("/tarvelle-tmp-XXXXXX")),
      scratch(QDir::tempPath() + QStringLiteral("/tarvelle-scratch-XXXXXX")),
      environment(QProcessEnvironment::systemEnvironment())
{
    environment.insert(QStringLiteral("TARVELLE_HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    // Where Qt falls back to when the runtime folder is unusable.
    environment.insert(QStringLiteral("TMPDIR"), temp.path());
}

TProgramSandbox::~TProgramSandbox()
{
    for (const auto& process : processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(kDeadlineMs);
        }
    }
}

bool TProgramSandbox::IsValid() const
{
    return home.isValid() && runtime.isValid() && temp.isValid() && scratch.isValid() &&
           !environment.value(QStringLiteral("TARVELLE_EXE")).isEmpty();
}

void TProgramSandbox::SetVariable(const QString& name, const QString& value)
{
    environment.insert(name, value);
}

bool TProgramSandbox::InstallDistributedFiles()
{
    const QString name = QStringLiteral("ConfigMnemo.ini");
    const QString target = home.filePath(name);
    const QString folder = QFileInfo(environment.value(QStringLiteral("TARVELLE_EXE"))).path();
    // Copies keep the source's permissions; the program must be able to rewrite its copy.
    return QFile::copy(folder + QLatin1Char('/') + name, target) &&
           QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}

QProcess& TProgramSandbox::Start()
{
    return Launch(environment.value(QStringLiteral("TARVELLE_EXE")), {});
}

QProcess& TProgramSandbox::StartHelper(const QString& name, const QStringList& args)
{
    const QString folder = QFileInfo(environment.value(QStringLiteral("TARVELLE_EXE"))).path();
    return Launch(folder + QLatin1Char('/') + name, args);
}

QProcess& TProgramSandbox::Launch(const QString& program, const QStringList& args)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    // The programs' own messages end up in the test log, which ctest shows on failure.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, args);
    process->waitForStarted(kDeadlineMs);
    processes.push_back(std::move(process));
    return *processes.back();
}

QString TProgramSandbox::WaitForWindow(QProcess& process, const QString& title)
{
    QString window;
    WaitUntil([&]() {
        if (!StillRuns(process))
            return true;
        window = ShownWindow(process.processId(), title);
        return !window.isEmpty();
    });
    return window;
}
