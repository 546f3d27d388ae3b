// Start-up of the main window beside a bare QWidget window of the same size, on the offscreen
// platform: the time from creating the window to its being shown and painted once, and the
// resident memory the shown window adds. The main window's target is 1.5 times the bare one.

#if QUILTANE_WITH_QT

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <string>

#include "bench/probe_launch.h"
#include "workbench/main_window.h"

namespace {

// Resident memory of this process in KiB: all of it, and the anonymous part alone (heap,
// pixmaps, backing store), without the pages of the Qt libraries' code that a window touches.
struct Resident {
    long totalKiB = 0;
    long anonKiB = 0;
};

Resident resident() {
    Resident now;
    std::ifstream status("/proc/self/status");
    std::string line;
    // Lines such as "VmRSS:     51234 kB".
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) now.totalKiB = std::stol(line.substr(6));
        if (line.rfind("RssAnon:", 0) == 0) now.anonKiB = std::stol(line.substr(8));
    }
    return now;
}

Resident operator-(const Resident& a, const Resident& b) {
    return {a.totalKiB - b.totalKiB, a.anonKiB - b.anonKiB};
}

std::unique_ptr<QWidget> bareWindow() {
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("Quiltane "));
    window->resize(701, 573);
    return window;
}

std::unique_ptr<QWidget> mainWindow() {
    return std::make_unique<workbench::MainWindow>();
}

// Creates the window, shows it and lets it paint; returns it still shown.
template <typename Make> std::unique_ptr<QWidget> showWindow(Make make) {
    std::unique_ptr<QWidget> window = make();
    window->show();
    QCoreApplication::processEvents();
    return window;
}

struct Memory {
    Resident bare;
    Resident main;
};

// The application, a Wine prefix with a texture folder of a few skins for the panes to list,
// and what each kind of shown window adds to the resident memory. Measured once, bare window
// first, after a throw-away window with a caption has loaded what any window with text needs
// (platform, style, font database).
const Memory& setUp() {
    static const Memory memory = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "quiltane_bench";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QApplication(argc, argv);

        static QTemporaryDir prefix;
        probe::layOutSkinPrefix(QDir(prefix.path()));
        qputenv("WINEPREFIX", prefix.path().toUtf8());

        showWindow([] {
            auto window = bareWindow();
            new QLabel(QStringLiteral("Quiltane"), window.get());
            return window;
        }).reset();
        Memory measured;
        Resident before = resident();
        auto bare = showWindow(bareWindow);
        measured.bare = resident() - before;
        before = resident();
        auto main = showWindow(mainWindow);
        measured.main = resident() - before;
        return measured;
    }();
    return memory;
}

template <typename Make> void timeStartup(benchmark::State& state, Make make, const Resident& added) {
    for (auto _ : state) {
        auto window = showWindow(make);
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["resident_KiB"] = double(added.totalKiB);
    state.counters["anon_KiB"] = double(added.anonKiB);
}

void BM_StartupBareWindow(benchmark::State& state) {
    timeStartup(state, bareWindow, setUp().bare);
}
BENCHMARK(BM_StartupBareWindow)->Unit(benchmark::kMillisecond);

void BM_StartupMainWindow(benchmark::State& state) {
    const QString cwd = QDir::currentPath(); // the window enters the start-up folder
    timeStartup(state, mainWindow, setUp().main);
    QDir::setCurrent(cwd);
}
BENCHMARK(BM_StartupMainWindow)->Unit(benchmark::kMillisecond);

} // namespace

#endif
