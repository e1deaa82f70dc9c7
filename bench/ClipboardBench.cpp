// Copies made by another program, read by a bare Qt reader (the text taken at each clipboard
// change) against the capture into pads of 10 and 100 000 lines:
// - latency: from one copy to its text read here (Time), this process's own work (CPU);
// - a burst of 1 000 copies at 175 a second: how many arrived once (distinct) and how many
//   were read again (duplicated).
// Needs a display (bench/clipboard.sh).
#include "core/U_Glb.h"
#include "notes/U_ClipboardCapture.h"
#include "notes/U_NotesPad.h"
#include "platform/x11/U_PlatformX11.h"

#include <benchmark/benchmark.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QSet>
#include <QTextDocument>
#include <QTimer>

#include <functional>

namespace {
QProcess* source = nullptr;
int copies = 0;
constexpr int kBurst = 1000;
constexpr double kBurstRate = 175;

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

// The pad with `lines` lines, capturing; `added` runs with each line added.
struct TCapturingPad
{
    explicit TCapturingPad(int lines)
    {
        Glb().EditorFirstShowPending = false;
        Glb().Options.ClipboardCapture = true;
        Glb().Options.NoRepeatOnCopy = false;
        for (int i = 0; i < lines; ++i)
            pad.AppendLine(QStringLiteral("ligne %1 d'un long mémo").arg(i));
        QObject::connect(pad.Document(), &QTextDocument::contentsChanged, &watcher, [this]() {
            if (added)
                added(pad.Line(pad.LineCount() - 1));
        });
    }
    TNotesPad pad;
    TClipboardCapture capture{pad};
    QObject watcher;
    std::function<bool(const QString&)> added;
};

void BM_Capture(benchmark::State& state)
{
    TCapturingPad capturing(static_cast<int>(state.range(1)));
    for (auto _ : state)
        state.SetIterationTime(CopyAndWait(state.range(0), capturing.added));
}

// 1 000 copies at 175 a second by another program; `take` registers the reader.
void Burst(benchmark::State& state, const std::function<void(std::function<void(QString)>)>& take)
{
    QStringList texts;
    QEventLoop loop;
    take([&](const QString& text) {
        texts.append(text);
        if (text == QStringLiteral("copie %1").arg(kBurst))
            loop.quit();
    });
    for (auto _ : state) {
        QProcess burst;
        QStringList args{"--burst", QString::number(kBurst), "--rate", QString::number(kBurstRate)};
        // 1: an owner answering whatever time was asked, as Qt's reader asks with its own.
        if (state.range(0))
            args << "--any-time";
        burst.start(QStringLiteral(TARVELLE_CLIPOWNER), args);
        QTimer::singleShot(static_cast<int>(kBurst / kBurstRate * 1000) + 3000, &loop,
                           &QEventLoop::quit);
        loop.exec();
        burst.kill();
        burst.waitForFinished();
    }
    const auto distinct = QSet<QString>(texts.begin(), texts.end()).size();
    state.counters["distinct"] = static_cast<double>(distinct);
    state.counters["duplicated"] = static_cast<double>(texts.size() - distinct);
}

void BM_BurstBareRead(benchmark::State& state)
{
    QObject watcher;
    Burst(state, [&](std::function<void(QString)> read) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        QObject::connect(clipboard, &QClipboard::dataChanged, &watcher,
                         [clipboard, read]() { read(clipboard->text()); });
    });
}

void BM_BurstCapture(benchmark::State& state)
{
    TCapturingPad capturing(10);
    Burst(state, [&](std::function<void(QString)> read) {
        capturing.added = [read](const QString& line) {
            read(line);
            return true;
        };
    });
}

BENCHMARK(BM_BareRead)
    ->Arg(20)
    ->Arg(512 << 10)
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Capture)
    ->Args({20, 10})
    ->Args({20, 100000})
    ->Args({512 << 10, 100000})
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BurstBareRead)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_BurstCapture)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    SetPlatform(std::make_unique<TPlatformX11>());
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Large copies go in parts, as large copies by Qt programs do.
    process.start(QStringLiteral(TARVELLE_CLIPOWNER), {"--lines", "--incr", "262144"});
    if (!process.waitForStarted())
        return 1;
    source = &process;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    process.closeWriteChannel();
    process.kill();
    process.waitForFinished();
    return 0;
}
