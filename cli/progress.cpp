// The batch's report (see progress.h). The bar is one line, begun with a carriage return and
// ended by erasing the rest of the line, so each drawing replaces the last in place.

#include "cli/progress.h"

#include <new>

#include <cmath>
#include <cstdio>
#include <ostream>

namespace cli {
namespace {

constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr int kBarWidth = 30; // characters between the brackets
constexpr const char* kToLineStart = "\r";
constexpr const char* kEraseToLineEnd = "\033[K";

// "0:04", "12:30", "2:05:00"
std::string clockText(double seconds) {
    const long whole = std::lround(seconds);
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

} // namespace

std::string progressBar(std::size_t done, std::size_t total, double elapsed) {
    const int filled = total == 0 ? kBarWidth : int(done * kBarWidth / total);
    std::string bar = "[" + std::string(std::size_t(filled), '#') +
                      std::string(std::size_t(kBarWidth - filled), '-') + "]  " + std::to_string(done) + "/" +
                      std::to_string(total);
    if (done > 0 && elapsed > 0) {
        const double rate = double(done) / elapsed;
        char text[64];
        std::snprintf(text, sizeof text, "  %.1f skins/s  ", rate);
        bar += text + clockText(double(total - done) / rate) + " left";
    }
    return bar;
}

Progress::Progress(std::ostream& err, bool terminal, std::size_t total,
                   std::function<Clock::time_point()> now)
    : m_err(err), m_terminal(terminal), m_total(total), m_now(std::move(now)), m_start(m_now()) {
    const std::lock_guard lock(m_mutex);
    if (m_terminal) draw(m_start);
}

void Progress::inputDone() {
    const std::lock_guard lock(m_mutex);
    ++m_done;
    if (!m_terminal) return;
    const Clock::time_point now = m_now();
    if (now - m_drawn >= kRedrawEvery) draw(now);
}

void Progress::failed(std::string_view input, std::string_view reason) {
    const std::lock_guard lock(m_mutex);
    clear();
    m_err << "quiltane-cli: " << input << ": " << reason << '\n';
    if (m_terminal) draw(m_now());
}

void Progress::note(std::string_view line) {
    const std::lock_guard lock(m_mutex);
    clear();
    m_err << line << '\n';
    if (m_terminal) draw(m_now());
}

void Progress::finish(std::size_t saved, std::size_t failures) {
    const std::lock_guard lock(m_mutex);
    clear();
    m_err << m_total << (m_total == 1 ? " skin: " : " skins: ") << saved << " saved, " << failures
          << " failed\n";
    m_err.flush();
}

void Progress::draw(Clock::time_point now) {
    const double elapsed = std::chrono::duration<double>(now - m_start).count();
    try {
        m_err << kToLineStart << progressBar(m_done, m_total, elapsed) << kEraseToLineEnd << std::flush;
    } catch (const std::bad_alloc&) {
        return; // drawn at a later input, when there is memory for its text again
    }
    m_shown = true;
    m_drawn = now;
}

void Progress::clear() {
    if (!m_shown) return;
    m_err << kToLineStart << kEraseToLineEnd;
    m_shown = false;
}

} // namespace cli
