// The about picture decoded by libjpeg-turbo, and the whole about window made and shown, as each
// opening does (offscreen). The decode should stay well within a frame (16 ms).
#include "core/F_Glb.h"
#include "help/F_Marquee.h"
#include "help/U_JpegPicture.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>

namespace {
QByteArray AboutJpeg()
{
    QFile file(QStringLiteral(":/pictures/about.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BM_DecodeAboutPicture(benchmark::State& state)
{
    const QByteArray jpeg = AboutJpeg();
    for (auto _ : state) {
        QImage picture = TJpegPicture::Decode(jpeg);
        if (picture.isNull()) {
            state.SkipWithError("the about picture does not decode");
            break;
        }
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_DecodeAboutPicture)->Unit(benchmark::kMicrosecond);

void BM_OpenAboutWindow(benchmark::State& state)
{
    QWidget mainWindow;
    mainWindow.setGeometry(200, 200, 277, 116);
    SetMainWindow(&mainWindow);
    for (auto _ : state) {
        TfrmMarquee about(&mainWindow);
        about.show();
        QApplication::processEvents();
    }
    SetMainWindow(nullptr);
}
BENCHMARK(BM_OpenAboutWindow)->Unit(benchmark::kMicrosecond);
} // namespace
