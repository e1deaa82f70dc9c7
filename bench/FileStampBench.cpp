#include "core/U_FileStamp.h"
#include "core/U_TextFile.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {
// A 50 MB notes file: what a compare before a save or after a change costs against the plain
// read the save's own check is made of.
class TBigFile
{
public:
    TBigFile()
    {
        QByteArray line = "Copie de texte assez longue pour ressembler aux notes.\r\n";
        QByteArray bytes;
        bytes.reserve(50 << 20);
        while (bytes.size() < (50 << 20))
            bytes += line;
        TextFile::ReplaceBytes(path, bytes);
        size = bytes.size();
    }
    QTemporaryDir folder;
    QString path = folder.filePath("Tarvelle.txt");
    qint64 size = 0;
};

TBigFile& BigFile()
{
    static TBigFile file;
    return file;
}

void BM_ReadOnly(benchmark::State& state)
{
    QByteArray bytes;
    for (auto _ : state)
        benchmark::DoNotOptimize(TextFile::ReadBytes(BigFile().path, bytes));
    state.SetBytesProcessed(state.iterations() * BigFile().size);
}
BENCHMARK(BM_ReadOnly)->Unit(benchmark::kMillisecond);

void BM_StampOfDisk(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TFileStamp::Current(BigFile().path));
    state.SetBytesProcessed(state.iterations() * BigFile().size);
}
BENCHMARK(BM_StampOfDisk)->Unit(benchmark::kMillisecond);

// What a change notice costs when the file is as the program left it.
void BM_LooksCurrent(benchmark::State& state)
{
    const TFileStamp stamp = TFileStamp::Current(BigFile().path);
    for (auto _ : state)
        benchmark::DoNotOptimize(stamp.LooksCurrent(BigFile().path));
}
BENCHMARK(BM_LooksCurrent)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
