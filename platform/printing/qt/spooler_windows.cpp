#include "platform/printing/qt/spooler.h"
#include "platform/printing/qt/spooler_windows.h"

#include <QtGlobal>

#include <set>
#include <string>
#include <thread>
#include <vector>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// How long a job that sits in the queue is watched before it is taken as
// queued behind others: long enough to see a printer fail it at once, short
// enough that leaving the program right after a print does not wait on it.
constexpr std::chrono::milliseconds kWatch{2'000};
constexpr std::chrono::milliseconds kLookEvery{100};

// Qt 6.4's printer warns "QWin32PrintEngine::end: EndDoc failed" (or
// EndPage) when the spooler refuses the document, and reports the print as
// done all the same. Heard per thread: each print has a thread of its own.
thread_local bool t_ending = false;
thread_local bool t_refused = false;
QtMessageHandler g_passOn = nullptr;

void HearRefusal(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (t_ending && type == QtWarningMsg && message.startsWith(QLatin1String("QWin32PrintEngine::end"))) {
        t_refused = true;
    }
    if (g_passOn) {
        g_passOn(type, context, message);
    }
}

struct Job final {
    DWORD id = 0;
    DWORD status = 0;
    std::wstring document;
};

// The printer's jobs; nothing where the spooler cannot list them (Wine's
// EnumJobs always fails). A queue that grows between the call that sizes
// the buffer and the one that fills it is asked again.
std::optional<std::vector<Job>> Jobs(const WinspoolCalls& calls, HANDLE printer)
{
    constexpr int kTries = 4;
    DWORD needed = 0;
    for (int i = 0; i < kTries; ++i) {
        std::vector<BYTE> buffer(needed);
        DWORD count = 0;
        const DWORD size = needed;
        if (calls.enumJobs(printer, 0, 1000, 1, buffer.empty() ? nullptr : buffer.data(), size, &needed, &count)) {
            if (count > 0 && size < count * sizeof(JOB_INFO_1W)) {
                return std::nullopt;
            }
            const auto* info = reinterpret_cast<const JOB_INFO_1W*>(buffer.data());
            std::vector<Job> jobs;
            for (DWORD j = 0; j < count; ++j) {
                jobs.push_back({info[j].JobId, info[j].Status, info[j].pDocument ? info[j].pDocument : L""});
            }
            return jobs;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// A job's status that settles its fate; nothing while it waits its turn.
std::optional<PrintOutcome> Settled(DWORD status)
{
    constexpr DWORD kStuck = JOB_STATUS_ERROR | JOB_STATUS_OFFLINE | JOB_STATUS_PAPEROUT | JOB_STATUS_BLOCKED_DEVQ
                             | JOB_STATUS_USER_INTERVENTION;
    constexpr DWORD kGoing = JOB_STATUS_PRINTING | JOB_STATUS_PRINTED | JOB_STATUS_COMPLETE | JOB_STATUS_PAUSED;
    if ((status & kStuck) != 0) {
        return PrintOutcome::NotAccepting;
    }
    if ((status & (JOB_STATUS_DELETED | JOB_STATUS_DELETING)) != 0 && (status & JOB_STATUS_PRINTED) == 0) {
        return PrintOutcome::SendFailed;
    }
    if ((status & kGoing) != 0) {
        return PrintOutcome::Accepted;
    }
    return std::nullopt;
}

}  // namespace

void HearPrintEngineWarnings()
{
    static const bool installed = [] {
        g_passOn = qInstallMessageHandler(HearRefusal);
        return true;
    }();
    static_cast<void>(installed);
}

bool EndDocument(const std::function<bool()>& endPainting)
{
    t_refused = false;
    t_ending = true;
    const bool ended = endPainting();
    t_ending = false;
    return ended && !t_refused;
}

const WinspoolCalls& SystemWinspool()
{
    static const WinspoolCalls calls{OpenPrinterW, ClosePrinter, EnumJobsW, GetPrinterW};
    return calls;
}

struct SpoolerWatch::State final {
    WinspoolCalls calls;
    HANDLE printer = nullptr;
    std::set<DWORD> earlierJobs;
};

SpoolerWatch::SpoolerWatch(const QString& printer) : SpoolerWatch(printer, SystemWinspool()) {}

SpoolerWatch::SpoolerWatch(const QString& printer, const WinspoolCalls& calls) : m_state(std::make_unique<State>())
{
    m_state->calls = calls;
    std::wstring name = printer.toStdWString();
    if (m_state->calls.openPrinter(name.data(), &m_state->printer, nullptr)) {
        for (const Job& job : Jobs(m_state->calls, m_state->printer).value_or(std::vector<Job>{})) {
            m_state->earlierJobs.insert(job.id);
        }
    } else {
        m_state->printer = nullptr;
    }
}

SpoolerWatch::~SpoolerWatch()
{
    if (m_state->printer) {
        m_state->calls.closePrinter(m_state->printer);
    }
}

std::optional<PrintOutcome> SpoolerWatch::Refusal() const
{
    if (!m_state->printer) {
        return PrintOutcome::NoPrinter;  // deleted since Windows named it the default
    }
    DWORD needed = 0;
    m_state->calls.getPrinter(m_state->printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (needed < sizeof(PRINTER_INFO_2W)
        || !m_state->calls.getPrinter(m_state->printer, 2, buffer.data(), needed, &needed)) {
        return std::nullopt;  // a status that cannot be read refuses nothing
    }
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    constexpr DWORD kCannotPrint = PRINTER_STATUS_OFFLINE | PRINTER_STATUS_ERROR | PRINTER_STATUS_NOT_AVAILABLE
                                   | PRINTER_STATUS_PENDING_DELETION;
    if ((info->Status & kCannotPrint) != 0) {
        return PrintOutcome::NotAccepting;
    }
    return std::nullopt;
}

PrintOutcome SpoolerWatch::Fate(const QString& document, Clock::time_point deadline) const
{
    if (!m_state->printer) {
        return PrintOutcome::Accepted;
    }
    const std::wstring name = document.toStdWString();
    const Clock::time_point until = std::min(deadline, Clock::now() + kWatch);
    std::optional<DWORD> ours;
    // A job never seen (Wine hands it on as the document ends) or gone
    // after it was seen waiting its turn has been printed.
    while (Clock::now() < until) {
        const std::optional<std::vector<Job>> jobs = Jobs(m_state->calls, m_state->printer);
        if (!jobs) {
            return PrintOutcome::Accepted;
        }
        std::optional<DWORD> status;
        for (const Job& job : *jobs) {
            const bool isOurs =
                ours ? job.id == *ours : !m_state->earlierJobs.contains(job.id) && job.document == name;
            if (isOurs && !status) {
                ours = job.id;
                status = job.status;
            }
        }
        if (!status) {
            return PrintOutcome::Accepted;
        }
        if (const std::optional<PrintOutcome> settled = Settled(*status)) {
            return *settled;
        }
        std::this_thread::sleep_for(kLookEvery);
    }
    return PrintOutcome::Accepted;
}

}  // namespace platform
