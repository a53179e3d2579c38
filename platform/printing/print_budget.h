#pragma once

// Every time limit printing keeps, each beside the promise it serves, and
// the budget one print carries into every wait it makes: connecting,
// every request, the printer's description, every withdrawal. A budget
// ends at its deadline or, once the program is leaving, when the print
// system has said nothing for kLeavingSilence. How a wait is ended is the
// waiter's business.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <stop_token>

namespace platform {

using PrintClock = std::chrono::steady_clock;

// The user hears how a print ended within this of the press.
inline constexpr std::chrono::milliseconds kToldWithin{15'000};
// How long a print waits for the print system to take its job whole.
inline constexpr std::chrono::milliseconds kPatience{10'000};
// After a request whose answer was lost, the print asks the server what it
// holds of it, and withdraws a job it holds half, on one connection after
// another, each let wait this long at most: a server lost in one request
// is asked again on another.
inline constexpr std::chrono::milliseconds kAsking{2'500};
// A print the print system still keeps this long after the press is told
// as unsettled: the page may still come out (Qt's printer has no time
// limit; a server that cannot be asked cannot say).
inline constexpr std::chrono::milliseconds kWatchdog{14'000};
static_assert(kWatchdog < kToldWithin, "the user hears of a print within 15 s of the press");
static_assert(kPatience + kAsking < kWatchdog, "a server that answers when asked again is heard in time");
// Told or not, a print goes on looking for a job the server holds half (a
// server stopped in the middle of a print makes it when it goes on) and
// withdrawing it, this long after the press, while the program runs.
inline constexpr std::chrono::milliseconds kWithdrawing{60'000};
// Leaving: the window closes at once, and a print goes on while its print
// system answers; silent this long, it is given up.
inline constexpr std::chrono::milliseconds kLeavingSilence{1'000};
// A request refused at once (a busy server closing the connection) is
// tried again after this.
inline constexpr std::chrono::milliseconds kRetryEvery{100};
// Windows: a job that waits its turn in the spooler is watched this long
// for a printer that fails it at once, then taken as queued.
inline constexpr std::chrono::milliseconds kSpoolerWatch{2'000};

class PrintBudget final {
public:
    // Heard last at its making: the print system has said nothing yet.
    PrintBudget(PrintClock::time_point deadline, std::stop_token leaving)
        : m_deadline(deadline), m_leaving(std::move(leaving)),
          m_heard(std::make_shared<std::atomic<PrintClock::rep>>(PrintClock::now().time_since_epoch().count()))
    {
    }

    // The same print's budget with another deadline; hearing the print
    // system through either counts for both.
    PrintBudget Until(PrintClock::time_point deadline) const
    {
        PrintBudget other = *this;
        other.m_deadline = deadline;
        return other;
    }

    // The print system answered: its silence starts again.
    void Heard() const { m_heard->store(PrintClock::now().time_since_epoch().count()); }

    // When waits end now: the deadline, or while leaving, a second after
    // the print system was last heard, whichever comes first.
    PrintClock::time_point Ends() const
    {
        if (!m_leaving.stop_requested()) {
            return m_deadline;
        }
        const PrintClock::time_point heard{PrintClock::duration(m_heard->load())};
        return std::min(m_deadline, heard + kLeavingSilence);
    }
    bool Spent() const { return PrintClock::now() >= Ends(); }
    bool PastDeadline() const { return PrintClock::now() >= m_deadline; }
    const std::stop_token& Leaving() const { return m_leaving; }

private:
    PrintClock::time_point m_deadline;
    std::stop_token m_leaving;
    std::shared_ptr<std::atomic<PrintClock::rep>> m_heard;
};

}  // namespace platform
