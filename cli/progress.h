#pragma once
// A batch's report on stderr. On a terminal, a bar redrawn in place (done/total, skins a
// second, time left), at most ten times a second; elsewhere no bar. Either way one line per
// failure, printed as it happens with the bar cleared first, and a summary line at the end:
// "200 skins: 198 saved, 2 failed". Any thread may report; a note about an input (a PNG
// file's transparency flattened) is a line of its own too. Reporting allocates nothing but the
// bar, which is left out when memory is short, so a run short of memory still reports.

#include <chrono>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <mutex>
#include <string>
#include <string_view>

namespace cli {

class Progress {
  public:
    using Clock = std::chrono::steady_clock;

    // terminal: whether err is a terminal (isatty on stderr, for the program). now: the
    // clock, which the tests set.
    Progress(std::ostream& err, bool terminal, std::size_t total,
             std::function<Clock::time_point()> now = Clock::now);

    // One more input is done, saved or not.
    void inputDone();
    // A failure: "quiltane-cli: INPUT: REASON" on a line of its own.
    void failed(std::string_view input, std::string_view reason);
    // A note, a whole line (without its newline), printed as a failure is but not one.
    void note(std::string_view line);
    // Clears the bar and prints the summary line.
    void finish(std::size_t saved, std::size_t failures);

  private:
    void draw(Clock::time_point now); // with m_mutex held
    void clear();                     // likewise

    std::ostream& m_err;
    const bool m_terminal;
    const std::size_t m_total;
    const std::function<Clock::time_point()> m_now;
    const Clock::time_point m_start;

    std::mutex m_mutex;
    std::size_t m_done = 0;
    bool m_shown = false; // a bar is on the line now
    Clock::time_point m_drawn{};
};

// "[#####-----]  57/200  38.2 skins/s  0:04 left": the bar for done of total after elapsed
// seconds; without rate and time left before anything is done.
std::string progressBar(std::size_t done, std::size_t total, double elapsed);

} // namespace cli
