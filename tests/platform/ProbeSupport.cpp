#include "ProbeSupport.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>

QPoint WindowOrigin(quint64 window)
{
    bool ok = false;
    const QString info =
        RunTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)}, &ok);
    static const QRegularExpression x(QStringLiteral("Absolute upper-left X:\\s+(-?\\d+)"));
    static const QRegularExpression y(QStringLiteral("Absolute upper-left Y:\\s+(-?\\d+)"));
    const auto matchX = x.match(info), matchY = y.match(info);
    if (!ok || !matchX.hasMatch() || !matchY.hasMatch())
        return QPoint(-1, -1);
    return QPoint(matchX.captured(1).toInt(), matchY.captured(1).toInt());
}

quint64 RootWindow()
{
    // "xwininfo: Window id: 0x50d (the root window) (has no name)"
    const QString info = RunTool(QStringLiteral("xwininfo"), {QStringLiteral("-root")});
    return info.section(QLatin1String("Window id: "), 1)
        .section(QLatin1Char(' '), 0, 0)
        .toULongLong(nullptr, 16);
}

QString Tool(const char* tool, const QString& args)
{
    return RunTool(QLatin1String(tool), args.split(QLatin1Char(' ')));
}

THelperWindow::THelperWindow(const QString& title, const QString& dialogTitle)
{
    QStringList args{QStringLiteral("--title"), title};
    if (!dialogTitle.isEmpty())
        args << QStringLiteral("--owned-dialog") << dialogTitle;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QStringLiteral(TARVELLE_TESTWINDOW), args);
    if (!process.waitForStarted(kDeadlineMs))
        return;
    pid = process.processId();
    window = ReadWindowId();
    if (!dialogTitle.isEmpty())
        dialog = ReadWindowId();
    const auto viewable = [](quint64 id) {
        return RunTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(id)})
            .contains(QLatin1String("Map State: IsViewable"));
    };
    shown = window && (dialogTitle.isEmpty() || dialog) &&
            WaitUntil([&]() { return viewable(window) && (!dialog || viewable(dialog)); });
}

THelperWindow::~THelperWindow()
{
    Kill();
}

void THelperWindow::Kill()
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(kDeadlineMs);
}

quint64 THelperWindow::ReadWindowId()
{
    const QDeadlineTimer deadline(kDeadlineMs);
    while (!process.canReadLine() && !deadline.hasExpired()) {
        if (!process.waitForReadyRead(static_cast<int>(deadline.remainingTime())) &&
            process.state() == QProcess::NotRunning)
            break;
    }
    return process.readLine().trimmed().toULongLong(nullptr, 16);
}
