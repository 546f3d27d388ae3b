// One program start, measured from inside: creates the application, then either the main
// window, a bare window of the same size or a bare window with one caption, shows it and lets it paint, and
// prints the time that took in microseconds and the process's resident memory then in KiB. Run by
// process_startup_bench.cpp, once per iteration, so every run is a cold start of the process.

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "workbench/main_window.h"

namespace {

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    const char* kind = argc > 1 ? argv[1] : "main";
    const auto start = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (std::strcmp(kind, "main") == 0) {
        window = std::make_unique<workbench::MainWindow>();
    } else {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("Quiltane "));
        window->resize(701, 573);
        // Any window that shows text pays for the font database once.
        if (std::strcmp(kind, "caption") == 0) new QLabel(QStringLiteral("Quiltane"), window.get());
    }
    window->show();
    QCoreApplication::processEvents();
    const auto shown = std::chrono::steady_clock::now();
    std::printf(
        "%lld %ld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(shown - start).count()),
        residentKiB());
    return 0;
}
