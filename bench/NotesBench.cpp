#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "notes/F_ScdNiv.h"
#include "notes/U_NotesPad.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <ctime>
#include <memory>

namespace {
constexpr int kLines = 100000;

QString NotesPath()
{
    return AppFolder() + QStringLiteral("Tarvelle.txt");
}

// A program folder of its own holding a notes file of 100 000 lines (5 MB), made once.
const QByteArray& NotesBytes()
{
    static QTemporaryDir home;
    static QByteArray bytes;
    if (bytes.isEmpty()) {
        qputenv("TARVELLE_HOME", home.path().toLocal8Bit());
        QStringList lines{QStringLiteral("Mnemo_01/12/2026 08:00:00"), QString(48, u'-')};
        for (int i = 2; i < kLines; ++i)
            lines.append(QStringLiteral("Réunion n°%1 : compte rendu à envoyer - 14:05:%2")
                             .arg(i, 6, 10, QLatin1Char('0'))
                             .arg(i % 60, 2, 10, QLatin1Char('0')));
        bytes = TextCodec::Encode(TextCodec::JoinLines(lines));
    }
    QFile file(NotesPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
    return bytes;
}

// A large file comes in over several event-loop turns: they are run here, one after the other.
void FinishLoad(const TNotesPad& pad)
{
    while (pad.Loading())
        QCoreApplication::processEvents();
}

void BM_PlainReadDecode(benchmark::State& state)
{
    NotesBytes();
    for (auto _ : state) {
        QFile file(NotesPath());
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(TextCodec::Decode(file.readAll()));
    }
    state.counters["MB"] = static_cast<double>(NotesBytes().size()) / 1e6;
}
BENCHMARK(BM_PlainReadDecode)->Unit(benchmark::kMillisecond);

// The share of a load that only the document takes: the decoded text made into its blocks.
void BM_DocumentFillOnly(benchmark::State& state)
{
    const QString text = TextCodec::Decode(NotesBytes());
    for (auto _ : state) {
        auto document = std::make_unique<QTextDocument>();
        document->setUndoRedoEnabled(false);
        document->setPlainText(text);
        benchmark::DoNotOptimize(document->blockCount());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DocumentFillOnly)->Unit(benchmark::kMillisecond);

// Arg 1: the load as the program makes it, the pad's document laid out by the editor's plain
// layout, which lays out only what comes into view.
void BM_LoadNotes(benchmark::State& state)
{
    NotesBytes();
    for (auto _ : state) {
        auto pad = std::make_unique<TNotesPad>();
        if (state.range(0) == 1)
            pad->Document()->setDocumentLayout(new QPlainTextDocumentLayout(pad->Document()));
        pad->LoadNotes();
        FinishLoad(*pad);
        if (pad->LineCount() < kLines)
            state.SkipWithError("lines missing");
        state.PauseTiming();
        pad.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadNotes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same bytes through an atomic replace: a new file, flushed and renamed.
void BM_PlainAtomicWrite(benchmark::State& state)
{
    const QByteArray& bytes = NotesBytes();
    for (auto _ : state) {
        QSaveFile file(NotesPath());
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        benchmark::DoNotOptimize(file.commit());
    }
}
BENCHMARK(BM_PlainAtomicWrite)->Unit(benchmark::kMillisecond);

void BM_SaveNotes(benchmark::State& state)
{
    NotesBytes();
    TNotesPad pad;
    pad.LoadNotes();
    FinishLoad(pad);
    // Without the stamp every save writes the same pad.
    Glb().Options.TimeOnRecording = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(pad.SaveNotes());
    if (QFile(NotesPath()).size() < NotesBytes().size())
        state.SkipWithError("file shorter");
}
BENCHMARK(BM_SaveNotes)->Unit(benchmark::kMillisecond);

// A notes file of `kilobytes` in one of three shapes: one line without any break point (a
// hex dump), the same without its line end, or lines of 50 bytes.
enum TShape
{
    SingleLine,
    ShortLines,
    SingleLineOpen
};

QByteArray ShapedBytes(TShape shape, qsizetype kilobytes)
{
    const qsizetype size = kilobytes * 1000;
    QByteArray bytes;
    bytes.reserve(size + 2);
    if (shape != ShortLines) {
        const QByteArray hex = QByteArrayLiteral("0123456789abcdef");
        while (bytes.size() < size)
            bytes.append(hex);
        bytes.truncate(size);
        return shape == SingleLine ? bytes + "\r\n" : bytes;
    }
    for (int i = 0; bytes.size() < size; ++i)
        bytes.append(QStringLiteral("Réunion n°%1 : compte rendu à envoyer - 14:05\r\n")
                         .arg(i, 8, 10, QLatin1Char('0'))
                         .toLatin1());
    return bytes;
}

void WriteNotes(const QByteArray& bytes)
{
    NotesBytes();
    QFile file(NotesPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// The floor: one read and the decoding of the same file.
void BM_PlainReadShaped(benchmark::State& state)
{
    const QByteArray bytes = ShapedBytes(TShape(state.range(0)), state.range(1));
    WriteNotes(bytes);
    for (auto _ : state) {
        QFile file(NotesPath());
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(TextCodec::Decode(file.readAll()));
    }
}

// Time spent by this thread, in milliseconds: on a shared machine the wall clock also counts
// the other programs' turns.
double ThreadCpuMs()
{
    timespec now = {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The notes opened as the program opens them: the editor made, the file loaded, the editor
// shown and painted, then each queued step with a paint. "turn_ms" is the longest the window
// was held in one go (wall clock), "turn_cpu_ms" the same in this thread's time.
void BM_OpenInEditor(benchmark::State& state)
{
    const QByteArray bytes = ShapedBytes(TShape(state.range(0)), state.range(1));
    WriteNotes(bytes);
    Glb().Options.PageToDown = true;
    double longest = 0;
    double longestCpu = 0;
    for (auto _ : state) {
        TNotesPad pad;
        TfrmMnememo editor(pad);
        QElapsedTimer turn;
        turn.start();
        double cpu = ThreadCpuMs();
        pad.LoadNotes();
        editor.show();
        editor.grab();
        do {
            longest = std::max(longest, static_cast<double>(turn.nsecsElapsed()) / 1e6);
            longestCpu = std::max(longestCpu, ThreadCpuMs() - cpu);
            if (!pad.Loading())
                break;
            turn.restart();
            cpu = ThreadCpuMs();
            QCoreApplication::processEvents();
            editor.grab();
        } while (true);
        if (pad.Line(0).size() + 2 < (state.range(0) != ShortLines ? bytes.size() : 0))
            state.SkipWithError("line cut");
        state.PauseTiming();
        editor.hide();
        state.ResumeTiming();
    }
    state.counters["turn_ms"] = longest;
    state.counters["turn_cpu_ms"] = longestCpu;
}

// A copy of one line without any break point reaching the pad while the editor shows it.
void BM_CopyIntoEditor(benchmark::State& state)
{
    const QString copy = QString::fromLatin1(ShapedBytes(SingleLine, state.range(0)).chopped(2));
    double longestCpu = 0;
    for (auto _ : state) {
        TNotesPad pad;
        TfrmMnememo editor(pad);
        pad.AppendLine(QStringLiteral("Mnemo_01/12/2026 08:00:00"));
        editor.show();
        editor.grab();
        const double cpu = ThreadCpuMs();
        pad.AppendLine(copy);
        editor.grab();
        longestCpu = std::max(longestCpu, ThreadCpuMs() - cpu);
        state.PauseTiming();
        editor.hide();
        state.ResumeTiming();
    }
    state.counters["turn_cpu_ms"] = longestCpu;
}
BENCHMARK(BM_CopyIntoEditor)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

void ShapedArgs(benchmark::internal::Benchmark* bench)
{
    for (const qsizetype kilobytes : {100, 200, 500, 5000})
        bench->Args({SingleLine, kilobytes});
    bench->Args({SingleLineOpen, 5000});
    bench->Args({ShortLines, 5000});
    bench->Args({ShortLines, 50000});
}
BENCHMARK(BM_PlainReadShaped)->Apply(ShapedArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenInEditor)->Apply(ShapedArgs)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace
