#include "platform/printing/qt/spooler.h"
#include "platform/printing/qt/spooler_windows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace {

using platform::PrintOutcome;

struct FakeJob final {
    DWORD id;
    std::wstring document;
    DWORD status;
};

// What one listing of the queue finds; `sizedAs` jobs where the queue grew
// between the call that sizes the buffer and the one that fills it.
struct Listing final {
    bool readable = true;
    std::vector<FakeJob> jobs;
    std::optional<std::size_t> sizedAs;
};

Listing Queue(std::vector<FakeJob> jobs, std::optional<std::size_t> sizedAs = std::nullopt)
{
    return {true, std::move(jobs), sizedAs};
}
const Listing kUnreadable{false, {}, std::nullopt};

// winspool as the spooler would answer: the listings in turn (the last
// one again once they run out); the jobs it was asked to delete.
class FakeSpooler final {
public:
    FakeSpooler(std::vector<Listing> listings, bool keepsJobs) : m_listings(std::move(listings)), m_keepsJobs(keepsJobs)
    {
    }
    std::vector<DWORD> deleted;

    platform::WinspoolCalls Calls()
    {
        return {[](LPWSTR, LPHANDLE printer, LPPRINTER_DEFAULTSW) {
                    *printer = reinterpret_cast<HANDLE>(1);
                    return TRUE;
                },
                [](HANDLE) { return TRUE; },
                [this](HANDLE, DWORD, DWORD, DWORD, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD count) {
                    return EnumJobs(buffer, size, needed, count);
                },
                [this](HANDLE, DWORD job, DWORD, LPBYTE, DWORD command) {
                    deleted.push_back(command == JOB_CONTROL_DELETE ? job : 0);
                    return m_keepsJobs ? FALSE : TRUE;
                }};
    }

private:
    BOOL EnumJobs(LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD count)
    {
        const Listing& listing = m_listings[std::min(m_next, m_listings.size() - 1)];
        if (!listing.readable) {
            SetLastError(ERROR_NOT_SUPPORTED);
            return FALSE;
        }
        const std::size_t shown = m_sized ? listing.jobs.size() : listing.sizedAs.value_or(listing.jobs.size());
        *needed = static_cast<DWORD>(shown * sizeof(JOB_INFO_1W));
        if (size < *needed || (!m_sized && listing.sizedAs)) {
            m_sized = true;
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        auto* info = reinterpret_cast<JOB_INFO_1W*>(buffer);
        for (std::size_t i = 0; i < shown; ++i) {
            info[i] = JOB_INFO_1W{};
            info[i].JobId = listing.jobs[i].id;
            info[i].Status = listing.jobs[i].status;
            info[i].pDocument = const_cast<LPWSTR>(listing.jobs[i].document.c_str());
        }
        *count = static_cast<DWORD>(shown);
        m_sized = false;
        ++m_next;
        return TRUE;
    }

    std::vector<Listing> m_listings;
    bool m_keepsJobs;
    std::size_t m_next = 0;
    bool m_sized = false;
};

// What the spooler holds of this print, after its document was handed
// over (its fate) or once the print is not made (withdrawn): the outcome,
// and the jobs deleted. The job is this print's by its name, then its id.
TEST(Spooler, DecisionsFromWhatTheSpoolerHolds)
{
    using enum PrintOutcome;
    const wchar_t* const ours = L"Form1 2026-12-10 14:05:09.123 #3";
    const FakeJob other{5, L"Form1 2026-12-10 14:05:08.021 #2", JOB_STATUS_ERROR};
    const FakeJob queued{7, ours, 0};
    const FakeJob failed{7, ours, JOB_STATUS_ERROR};
    const struct {
        const char* name;
        std::vector<Listing> listings;
        bool withdrawn;  // Withdraw(NoAnswer), not Fate
        bool kept;       // the spooler refuses to delete
        PrintOutcome outcome;
        std::vector<DWORD> deleted;
    } rows[] = {
        {"printing", {Queue({{7, ours, JOB_STATUS_PRINTING}})}, false, false, Accepted, {}},
        {"in error: deleted", {Queue({failed})}, false, false, NotAccepting, {7}},
        {"in error, kept", {Queue({failed})}, false, true, Unsettled, {7}},
        {"deleted unprinted", {Queue({{7, ours, JOB_STATUS_DELETING}})}, false, false, SendFailed, {}},
        {"queued, then gone: printed", {Queue({queued}), {}}, false, false, Accepted, {}},
        {"the queue grows while it is listed", {Queue({other, failed}, 1)}, false, false, NotAccepting, {7}},
        {"another print's job in error", {Queue({other, queued}), Queue({other})}, false, false, Accepted, {}},
        {"followed by its id", {Queue({queued}), Queue({{9, ours, JOB_STATUS_ERROR}})}, false, false, Accepted, {}},
        {"nothing readable (Wine)", {kUnreadable}, false, false, Accepted, {}},
        {"withdrawn: deleted by its id", {Queue({other, queued})}, true, false, NoAnswer, {7}},
        {"withdrawn, none left", {Queue({other})}, true, false, NoAnswer, {}},
        {"withdrawn, nothing readable (Wine)", {kUnreadable}, true, false, Unsettled, {}},
    };
    std::stop_source leaving;  // a print goes on while its spooler is heard
    leaving.request_stop();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeSpooler spooler(row.listings, row.kept);
        platform::SpoolerWatch watch(QStringLiteral("Printer"), QString::fromWCharArray(ours), spooler.Calls());
        const platform::PrintBudget budget(platform::PrintClock::now() + std::chrono::seconds(5), leaving.get_token());
        const platform::PrintClock::time_point silent = budget.Ends();
        EXPECT_EQ(row.withdrawn ? watch.Withdraw(NoAnswer) : watch.Fate(budget), row.outcome);
        EXPECT_EQ(spooler.deleted, row.deleted);
        EXPECT_EQ(budget.Ends() > silent, !row.withdrawn && row.listings[0].readable) << "every listing heard";
    }
    // A budget spent: the job is not even looked at.
    FakeSpooler late({Queue({failed})}, false);
    platform::SpoolerWatch watch(QStringLiteral("Printer"), QString::fromWCharArray(ours), late.Calls());
    EXPECT_EQ(watch.Fate(platform::PrintBudget(platform::PrintClock::now(), {})), Accepted);
}

}  // namespace
