// One tracer sample through the real X11 probe, against its floor: the bare X requests that a
// sample needs once the frame -> client window and process id -> executable name are known,
// measured in the same run; also a sample with nothing remembered. Each runs with 0 and with
// 1000 extra idle processes, which must not change the figures.
// It needs an X display with a window manager; bench/probe.sh runs it in a virtual session of
// scripts/xsession.sh, or by hand:
//   eval "$(TARVELLE_XSESSION_STATE=build/bench.state scripts/xsession.sh start)"
//   build/bench/bench_probe
//   TARVELLE_XSESSION_STATE=build/bench.state scripts/xsession.sh stop
#include "ProbeScene.h"
#include "platform/x11/U_PlatformX11.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QHash>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
TProbeScene* scene = nullptr;
TPlatformX11* probe = nullptr;

Display* XDisplay()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
}

// The floor: Xlib requests with nothing around them, and the caches as plain look-ups.
struct TFloor
{
    Display* display = XDisplay();
    Window root = DefaultRootWindow(display);
    Atom pid = XInternAtom(display, "_NET_WM_PID", False);
    Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    QHash<quint64, quint64> clients;
    QHash<qint64, QString> exeNames;

    unsigned long Property(Window window, Atom property, long units, Atom type, QByteArray* text)
    {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, window, property, 0, units, False, type, &actual, &format,
                           &count, &after, &data);
        unsigned long value = 0;
        if (data && text)
            *text = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
        else if (data && count > 0)
            value = *reinterpret_cast<const unsigned long*>(data);
        if (data)
            XFree(data);
        return value;
    }
    QString Title(Window window)
    {
        QByteArray text;
        Property(window, name, 256, utf8, &text);
        return QString::fromUtf8(text).left(255);
    }
};
TFloor* floorQueries = nullptr;

void ProbeSample(TPlatform& windows)
{
    QPoint pos;
    windows.CursorPos(pos);
    const quint64 window = windows.WindowFromPoint(pos);
    benchmark::DoNotOptimize(windows.ProcessExeName(windows.WindowProcessId(window)));
    benchmark::DoNotOptimize(windows.WindowTitle(window));
}

void FloorSample(TFloor& x)
{
    Window rootReturn = None, child = None;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    XQueryPointer(x.display, x.root, &rootReturn, &child, &rootX, &rootY, &winX, &winY, &mask);
    const quint64 window = x.clients.value(child);
    const auto pid = static_cast<qint64>(x.Property(window, x.pid, 1, XA_CARDINAL, nullptr));
    benchmark::DoNotOptimize(x.exeNames.value(pid));
    benchmark::DoNotOptimize(x.Title(window));
}

// The foreground path ("Distinction fichiers"): the title is the owner's when there is one.
void ProbeForeground(TPlatform& windows)
{
    const quint64 window = windows.ForegroundWindow();
    const quint64 owner = windows.OwnerWindow(window);
    benchmark::DoNotOptimize(windows.WindowTitle(owner ? owner : window));
    benchmark::DoNotOptimize(windows.ProcessExeName(windows.WindowProcessId(window)));
}

void FloorForeground(TFloor& x)
{
    const Window window = x.Property(x.root, x.active, 1, XA_WINDOW, nullptr);
    const Window owner = x.Property(window, XA_WM_TRANSIENT_FOR, 1, XA_WINDOW, nullptr);
    benchmark::DoNotOptimize(x.Title(owner ? owner : window));
    const auto pid = static_cast<qint64>(x.Property(window, x.pid, 1, XA_CARDINAL, nullptr));
    benchmark::DoNotOptimize(x.exeNames.value(pid));
}

double MedianMicroseconds(std::vector<double>& times)
{
    std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2),
                     times.end());
    return times.empty() ? 0 : times[times.size() / 2] * 1e6;
}

// Probe and floor take turns in the same loop, so that the load of the machine weighs on both
// alike; the figures are the medians of each.
template <typename Probe, typename Floor>
void Compare(benchmark::State& state, Probe probeStep, Floor floorStep)
{
    scene->SetExtraProcesses(static_cast<int>(state.range(0)));
    std::vector<double> probeTimes, floorTimes;
    using TClock = std::chrono::steady_clock;
    bool probeFirst = false;
    for (auto _ : state) {
        probeFirst = !probeFirst;
        for (int turn = 0; turn < 2; ++turn) {
            const bool probeTurn = (turn == 0) == probeFirst;
            const auto start = TClock::now();
            probeTurn ? probeStep() : floorStep();
            const std::chrono::duration<double> spent = TClock::now() - start;
            (probeTurn ? probeTimes : floorTimes).push_back(spent.count());
        }
    }
    const double probeUs = MedianMicroseconds(probeTimes);
    const double floorUs = MedianMicroseconds(floorTimes);
    state.counters["probe_us"] = probeUs;
    state.counters["floor_us"] = floorUs;
    state.counters["ratio"] = floorUs > 0 ? probeUs / floorUs : 0;
}

void BM_Sample(benchmark::State& state)
{
    Compare(
        state, []() { ProbeSample(*probe); }, []() { FloorSample(*floorQueries); });
}

// A new probe each time: nothing remembered, the frame searched, the executable link read.
void BM_SampleUncached(benchmark::State& state)
{
    Compare(
        state,
        []() {
            TPlatformX11 fresh;
            ProbeSample(fresh);
        },
        []() { FloorSample(*floorQueries); });
}

void BM_Foreground(benchmark::State& state)
{
    Compare(
        state, []() { ProbeForeground(*probe); }, []() { FloorForeground(*floorQueries); });
}

BENCHMARK(BM_Sample)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_SampleUncached)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Foreground)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();

// What the floor takes as already known: the frame under the pointer holds the helper's window,
// the helper's process runs the helper's program.
void FillFloorCaches(TFloor& x, const TProbeScene& probeScene, TPlatform& realProbe)
{
    Window rootReturn = None, frame = None;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    XQueryPointer(x.display, x.root, &rootReturn, &frame, &rootX, &rootY, &winX, &winY, &mask);
    x.clients.insert(frame, probeScene.Window());
    x.exeNames.insert(probeScene.Pid(), realProbe.ProcessExeName(probeScene.Pid()));
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    TProbeScene probeScene;
    if (!probeScene.IsReady()) {
        std::fprintf(stderr, "bench_probe: the helper window did not come under the pointer\n");
        return 1;
    }
    TPlatformX11 realProbe;
    TFloor floorSet;
    FillFloorCaches(floorSet, probeScene, realProbe);
    scene = &probeScene;
    probe = &realProbe;
    floorQueries = &floorSet;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
