// One program start, timed by whoever starts it: creates the application, then either the main
// window as the program starts it (program_start.h), a bare window of the same size or a bare window with one
// caption, shows it and waits until it has been painted. It then prints the monotonic clock's
// reading in nanoseconds (CLOCK_MONOTONIC, the same clock in every process) and the process's
// resident memory in KiB. The parent reads the clock just before it starts the probe, so the
// time covers the whole start: exec, dynamic loading, static initialisers, the platform plugin,
// the window. Started through probe_launch.h by process_startup_bench.cpp and startup_compare.cpp,
// once per start measured, so every run is a cold start of the process.

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "bench/probe_launch.h"
#include "workbench/program_start.h"

namespace {

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Notes the first paint of a top-level window, watching the whole application so that a
// paint during show() is seen too. A window's own paint event comes first in a repaint and its
// children's follow within the same event, as does the flush to the screen; so once the event
// that brought the paint has been handled, the whole window is on the screen.
class PaintWatch : public QObject {
  public:
    PaintWatch() { qApp->installEventFilter(this); }
    bool painted() const { return m_painted; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            m_painted = true;
        return QObject::eventFilter(watched, event);
    }

  private:
    bool m_painted = false;
};

std::unique_ptr<QWidget> bareWindow(bool withCaption) {
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("Quiltane "));
    window->resize(701, 573);
    // Any window that shows text pays for the font database once.
    if (withCaption) new QLabel(QStringLiteral("Quiltane"), window.get());
    window->show();
    return window;
}

} // namespace

int main(int argc, char** argv) {
    const char* kind = argc > 1 ? argv[1] : "main";
    const bool mainWindow = std::strcmp(kind, "main") == 0;
    // The main window starts as the program does, reading the fonts from before the application.
    std::optional<workbench::ProgramStart> start;
    if (mainWindow) start.emplace();
    QApplication app(argc, argv);
    const PaintWatch watch;
    const std::unique_ptr<QWidget> window =
        mainWindow ? start->showMainWindow() : bareWindow(std::strcmp(kind, "caption") == 0);
    // Shown windows are painted once the platform has exposed them (at once offscreen, after
    // the X server's answer on xcb).
    while (!watch.painted())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("%lld %ld\n", probe::monotonicNanoseconds(), residentKiB());
    return 0;
}
