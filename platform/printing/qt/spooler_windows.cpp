#include "platform/printing/qt/spooler.h"
#include "platform/printing/qt/spooler_windows.h"

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace platform {

namespace {

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
    static const WinspoolCalls calls{OpenPrinterW, ClosePrinter, EnumJobsW, SetJobW};
    return calls;
}

struct SpoolerWatch::State final {
    WinspoolCalls calls;
    HANDLE printer = nullptr;
    std::wstring document;
    std::optional<DWORD> id;  // once the job has been seen

    std::optional<std::vector<Job>> List() const
    {
        return printer ? Jobs(calls, printer) : std::nullopt;
    }
    // This print's job among `jobs`: by its id once seen, by its name
    // before; null where it is not there.
    const Job* Find(const std::vector<Job>& jobs)
    {
        for (const Job& job : jobs) {
            if (id ? job.id == *id : job.document == document) {
                id = job.id;
                return &job;
            }
        }
        return nullptr;
    }
};

SpoolerWatch::SpoolerWatch(const QString& printer, const QString& document)
    : SpoolerWatch(printer, document, SystemWinspool())
{
}

SpoolerWatch::SpoolerWatch(const QString& printer, const QString& document, const WinspoolCalls& calls)
    : m_state(std::make_unique<State>())
{
    m_state->calls = calls;
    m_state->document = document.toStdWString();
    std::wstring name = printer.toStdWString();
    if (!m_state->calls.openPrinter(name.data(), &m_state->printer, nullptr)) {
        m_state->printer = nullptr;
    }
}

SpoolerWatch::~SpoolerWatch()
{
    if (m_state->printer) {
        m_state->calls.closePrinter(m_state->printer);
    }
}

PrintOutcome SpoolerWatch::Fate(const PrintBudget& budget)
{
    constexpr DWORD kStuck = JOB_STATUS_ERROR | JOB_STATUS_OFFLINE | JOB_STATUS_PAPEROUT | JOB_STATUS_BLOCKED_DEVQ
                             | JOB_STATUS_USER_INTERVENTION;
    constexpr DWORD kGoing = JOB_STATUS_PRINTING | JOB_STATUS_PRINTED | JOB_STATUS_COMPLETE | JOB_STATUS_PAUSED;
    const PrintClock::time_point until = PrintClock::now() + kSpoolerWatch;
    // A job never seen (Wine hands it on as the document ends) or gone
    // after it was seen waiting its turn has been printed.
    for (; PrintClock::now() < until && !budget.Spent(); std::this_thread::sleep_for(kRetryEvery)) {
        const std::optional<std::vector<Job>> jobs = m_state->List();
        if (!jobs) {
            return PrintOutcome::Accepted;
        }
        budget.Heard();
        const Job* ours = m_state->Find(*jobs);
        if (!ours) {
            return PrintOutcome::Accepted;
        }
        if ((ours->status & kStuck) != 0) {
            return Withdraw(PrintOutcome::NotAccepting);
        }
        if ((ours->status & (JOB_STATUS_DELETED | JOB_STATUS_DELETING)) != 0
            && (ours->status & JOB_STATUS_PRINTED) == 0) {
            return PrintOutcome::SendFailed;
        }
        if ((ours->status & kGoing) != 0) {
            return PrintOutcome::Accepted;
        }
    }
    return PrintOutcome::Accepted;
}

PrintOutcome SpoolerWatch::Withdraw(PrintOutcome why)
{
    const std::optional<std::vector<Job>> jobs = m_state->List();
    if (!jobs) {
        return PrintOutcome::Unsettled;
    }
    const Job* ours = m_state->Find(*jobs);
    if (ours && !m_state->calls.setJob(m_state->printer, ours->id, 0, nullptr, JOB_CONTROL_DELETE)) {
        return PrintOutcome::Unsettled;
    }
    return why;
}

}  // namespace platform
