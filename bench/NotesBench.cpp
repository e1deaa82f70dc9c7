#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "notes/U_NotesPad.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPlainTextDocumentLayout>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextDocument>

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
    // Without the stamp every save writes the same pad.
    Glb().Options.TimeOnRecording = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(pad.SaveNotes());
    if (QFile(NotesPath()).size() < NotesBytes().size())
        state.SkipWithError("file shorter");
}
BENCHMARK(BM_SaveNotes)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
