// One copy made by another program, from its copy to the text read here: a bare reader that only
// takes the text at each clipboard change, against the capture into pads of 10 and 100 000
// lines. Time is the latency of each copy, CPU this process's own work for it. Needs a display
// (bench/clipboard.sh).
#include "core/U_Glb.h"
#include "notes/U_ClipboardCapture.h"
#include "notes/U_NotesPad.h"

#include <benchmark/benchmark.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QTextDocument>
#include <QTimer>

#include <functional>

namespace {
QProcess* source = nullptr;
int copies = 0;

// Has the source copy one text and waits, without spinning, until `arrived` says it is here.
double CopyAndWait(qint64 size, std::function<bool(const QString&)>& arrived)
{
    const QString tag = QStringLiteral("copie%1").arg(++copies);
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    arrived = [&](const QString& text) {
        if (!text.startsWith(tag + u' '))
            return false;
        loop.quit();
        return true;
    };
    QElapsedTimer timer;
    timer.start();
    source->write(QStringLiteral("%1 %2\n").arg(tag).arg(size).toUtf8());
    loop.exec();
    arrived = nullptr;
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void BM_BareRead(benchmark::State& state)
{
    QObject watcher;
    std::function<bool(const QString&)> arrived;
    QClipboard* clipboard = QGuiApplication::clipboard();
    QObject::connect(clipboard, &QClipboard::dataChanged, &watcher, [&]() {
        const QMimeData* data = clipboard->mimeData();
        if (data && arrived)
            arrived(data->text());
    });
    for (auto _ : state)
        state.SetIterationTime(CopyAndWait(state.range(0), arrived));
}

void BM_Capture(benchmark::State& state)
{
    Glb().EditorFirstShowPending = false;
    Glb().Options.ClipboardCapture = true;
    TNotesPad pad;
    for (int i = 0; i < state.range(1); ++i)
        pad.AppendLine(QStringLiteral("ligne %1 d'un long mémo").arg(i));
    TClipboardCapture capture(pad, QGuiApplication::clipboard());
    QObject watcher;
    std::function<bool(const QString&)> arrived;
    QObject::connect(pad.Document(), &QTextDocument::contentsChanged, &watcher, [&]() {
        if (arrived)
            arrived(pad.Line(pad.LineCount() - 1));
    });
    for (auto _ : state)
        state.SetIterationTime(CopyAndWait(state.range(0), arrived));
}

BENCHMARK(BM_BareRead)
    ->Arg(20)
    ->Arg(10 << 20)
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Capture)
    ->Args({20, 10})
    ->Args({20, 100000})
    ->Args({10 << 20, 100000})
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral(TARVELLE_CLIPBOARD_SOURCE), {});
    if (!process.waitForStarted())
        return 1;
    source = &process;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    process.closeWriteChannel();
    process.waitForFinished();
    return 0;
}
