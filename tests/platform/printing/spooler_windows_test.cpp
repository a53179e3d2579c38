#include "platform/printing/qt/spooler.h"
#include "platform/printing/qt/spooler_windows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
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
// one again once they run out), the first when the watch opens.
class FakeSpooler final {
public:
    FakeSpooler(std::optional<DWORD> printerStatus, std::vector<Listing> listings)
        : m_printerStatus(printerStatus), m_listings(std::move(listings))
    {
    }

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
                [this](HANDLE, DWORD, LPBYTE buffer, DWORD size, LPDWORD needed) {
                    *needed = sizeof(PRINTER_INFO_2W);
                    if (!m_printerStatus || size < *needed) {
                        SetLastError(m_printerStatus ? ERROR_INSUFFICIENT_BUFFER : ERROR_ACCESS_DENIED);
                        return FALSE;
                    }
                    *reinterpret_cast<PRINTER_INFO_2W*>(buffer) = PRINTER_INFO_2W{};
                    reinterpret_cast<PRINTER_INFO_2W*>(buffer)->Status = *m_printerStatus;
                    return TRUE;
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

    std::optional<DWORD> m_printerStatus;
    std::vector<Listing> m_listings;
    std::size_t m_next = 0;
    bool m_sized = false;
};

// The spooler's words, before sending and after, to an outcome.
TEST(Spooler, DecisionsFromWhatTheSpoolerSays)
{
    const FakeJob other{3, L"Report", 0};
    const struct {
        const char* name;
        std::optional<DWORD> printerStatus;
        std::vector<Listing> listings;  // the first before sending
        std::optional<PrintOutcome> refusal;
        PrintOutcome fate;
    } rows[] = {
        {"printing", 0, {{}, Queue({{7, L"Form1", JOB_STATUS_PRINTING}})}, std::nullopt, PrintOutcome::Accepted},
        {"in error", 0, {{}, Queue({{7, L"Form1", JOB_STATUS_ERROR}})}, std::nullopt, PrintOutcome::NotAccepting},
        {"deleted unprinted", 0, {{}, Queue({{7, L"Form1", JOB_STATUS_DELETING}})}, std::nullopt,
         PrintOutcome::SendFailed},
        {"queued, then gone: printed", 0, {{}, Queue({{7, L"Form1", 0}}), {}}, std::nullopt, PrintOutcome::Accepted},
        {"the queue grows while it is listed", 0,
         {Queue({other}), Queue({other, {7, L"Form1", JOB_STATUS_ERROR}}, 1)}, std::nullopt,
         PrintOutcome::NotAccepting},
        {"a second Form1 after ours went", 0,
         {{}, Queue({{7, L"Form1", 0}}), Queue({{9, L"Form1", JOB_STATUS_ERROR}})}, std::nullopt,
         PrintOutcome::Accepted},
        {"an earlier Form1 in error is not ours", 0,
         {Queue({{5, L"Form1", JOB_STATUS_ERROR}}), Queue({{5, L"Form1", JOB_STATUS_ERROR}})}, std::nullopt,
         PrintOutcome::Accepted},
        {"nothing readable (Wine)", std::nullopt, {kUnreadable}, std::nullopt, PrintOutcome::Accepted},
        {"printer offline", PRINTER_STATUS_OFFLINE, {{}}, PrintOutcome::NotAccepting, PrintOutcome::Accepted},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeSpooler spooler(row.printerStatus, row.listings);
        const platform::SpoolerWatch watch(QStringLiteral("Printer"), spooler.Calls());
        EXPECT_EQ(watch.Refusal(), row.refusal);
        EXPECT_EQ(watch.Fate(QStringLiteral("Form1"), std::chrono::steady_clock::now() + std::chrono::seconds(5)),
                  row.fate);
    }
}

}  // namespace
