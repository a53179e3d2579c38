#include "platform/printing/qt/print_job.h"

#include "platform/printing/qt/cups_library.h"
#include "platform/printing/qt/cups_paper.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <ctime>
#include <chrono>
#include <memory>
#include <stop_token>
#include <thread>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// A job told as failed is withdrawn on a connection of its own, within
// this; while the program is ending, within the shorter one, so that the
// process is gone within a second of leaving.
constexpr std::chrono::milliseconds kWithdrawPatience{3'000};
constexpr std::chrono::milliseconds kWithdrawWhileLeaving{300};
// How often libcups asks KeepWaiting while it waits for the server.
constexpr double kAskEvery = 0.1;  // seconds

struct Waiting final {
    Clock::time_point deadline;
    std::stop_token stop;
};

bool StillWaiting(const Waiting& waiting)
{
    return Clock::now() < waiting.deadline && !waiting.stop.stop_requested();
}

int KeepWaiting(http_t* /*http*/, void* waiting)
{
    return StillWaiting(*static_cast<const Waiting*>(waiting)) ? 1 : 0;
}

// A scheduler that asks for a password gets none: libcups would otherwise
// prompt on the terminal the program was started from, if any. That it
// asked is the reason the print failed.
thread_local bool t_passwordAsked = false;

const char* NoPassword(const char* /*prompt*/, http_t* /*http*/, const char* /*method*/, const char* /*resource*/,
                       void* /*data*/)
{
    t_passwordAsked = true;
    return nullptr;
}

// What a failed request means for the user. Past the deadline, whatever
// libcups says, the server did not answer in time. A server that went away
// in the middle of a request (stopped, then killed) leaves the connection
// broken, while libcups reports what it last knew: "No default
// destination" when the server died on the question for the printer.
PrintOutcome Failure(http_t* http, ipp_status_t status, const Waiting& waiting)
{
    if (!StillWaiting(waiting)) {
        return PrintOutcome::NoAnswer;
    }
    if (t_passwordAsked || status == IPP_STATUS_ERROR_NOT_AUTHENTICATED
        || status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED) {
        return PrintOutcome::PasswordAsked;
    }
    if (Libcups().httpError(http) != 0) {
        return PrintOutcome::NoServer;
    }
    switch (status) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return PrintOutcome::NotAccepting;
    case IPP_STATUS_ERROR_NOT_FOUND:
        return PrintOutcome::NoPrinter;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return PrintOutcome::NoServer;
    default:
        return PrintOutcome::SendFailed;
    }
}

bool Succeeded(ipp_status_t status)
{
    return status <= IPP_STATUS_OK_CONFLICTING;
}

// One PDF page of the paper's size, turned as the job asks; the filters
// then have nothing to fit or rotate but what the user chose.
QByteArray PdfPage(const Page& page, const Paper& paper)
{
    constexpr int kDotsPerInch = 1200;
    const PagePlacement placed = PlacePage(page, paper);

    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(page.title);
    writer.setCreator(QStringLiteral("Pelmaro"));
    writer.setResolution(kDotsPerInch);
    writer.setPageSize(QPageSize(QSizeF(placed.pageWidth, placed.pageHeight), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    QPainter painter(&writer);
    DrawPage(painter, page, placed, kDotsPerInch);
    painter.end();
    return pdf;
}

struct OptionsDeleter final {
    int count = 0;
    void operator()(cups_option_t* options) const { Libcups().cupsFreeOptions(count, options); }
};
using Options = std::unique_ptr<cups_option_t, OptionsDeleter>;

Options JobOptions(const JobPaper& job)
{
    int count = 0;
    cups_option_t* options = nullptr;
    for (const auto& [name, value] : job.options) {
        count = Libcups().cupsAddOption(name.c_str(), value.c_str(), count, &options);
    }
    return Options(options, OptionsDeleter{count});
}

struct DestDeleter final {
    void operator()(cups_dest_t* dest) const { Libcups().cupsFreeDests(1, dest); }
};
struct InfoDeleter final {
    void operator()(cups_dinfo_t* info) const { Libcups().cupsFreeDestInfo(info); }
};
struct HttpDeleter final {
    void operator()(http_t* http) const { Libcups().httpClose(http); }
};
using Http = std::unique_ptr<http_t, HttpDeleter>;

// A connection of its own to the server, every wait on it ending at the
// deadline or when the program leaves; null where none could be made.
Http Connect(Waiting& waiting)
{
    const LibcupsFunctions& cups = Libcups();
    const auto patience = std::chrono::duration_cast<std::chrono::milliseconds>(waiting.deadline - Clock::now());
    Http http(cups.httpConnect2(cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC, cups.cupsEncryption(), 1,
                                static_cast<int>(std::max<std::chrono::milliseconds::rep>(patience.count(), 1)),
                                nullptr));
    if (http) {
        cups.httpSetTimeout(http.get(), kAskEvery, KeepWaiting, &waiting);
    }
    return http;
}

// Cancels a job that was not sent whole, on a fresh connection: the one
// the job was begun on has just failed, and whatever it held may still be
// on its way. True once the server has said the job is gone; a job that
// stays would print later, after the user was told it had not.
// A connection that fails at once (a busy server closing it) is tried
// again, on another, until the time is up.
bool Withdraw(cups_dest_t* dest, int job, bool leaving)
{
    Waiting waiting{Clock::now() + (leaving ? kWithdrawWhileLeaving : kWithdrawPatience), {}};
    do {
        if (const Http http = Connect(waiting)) {
            const ipp_status_t status = Libcups().cupsCancelDestJob(http.get(), dest, job);
            if (Succeeded(status) || status == IPP_STATUS_ERROR_NOT_FOUND) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::duration<double>(kAskEvery));
    } while (Clock::now() < waiting.deadline);
    return false;
}

// A Create-Job whose answer was lost may still have made a job, one with
// no number we know: a job of ours on this printer with this title and no
// document yet, made since the print began. True once there is none left.
bool WithdrawUnanswered(cups_dest_t* dest, const QByteArray& title, std::time_t since, bool leaving)
{
    const LibcupsFunctions& cups = Libcups();
    Waiting waiting{Clock::now() + (leaving ? kWithdrawWhileLeaving : kWithdrawPatience), {}};
    do {
        if (const Http http = Connect(waiting)) {
            cups_job_t* jobs = nullptr;
            const int count = cups.cupsGetJobs2(http.get(), &jobs, dest->name, 1, CUPS_WHICHJOBS_ACTIVE);
            if (count > 0 || Succeeded(cups.cupsLastError())) {
                bool gone = true;
                for (int i = 0; i < count; ++i) {
                    const cups_job_t& made = jobs[i];  // NOLINT(cppcoreguidelines-pro-bounds-pointer-arithmetic)
                    if (title == made.title && made.creation_time >= since && made.size == 0) {
                        gone = Withdraw(dest, made.id, leaving) && gone;
                    }
                }
                cups.cupsFreeJobs(count, jobs);
                return gone;
            }
        }
        std::this_thread::sleep_for(std::chrono::duration<double>(kAskEvery));
    } while (Clock::now() < waiting.deadline);
    return false;
}

}  // namespace

void PrepareSender() {}

PrintOutcome SendPage(const Page& page)
{
    if (!LoadLibcups()) {
        return PrintOutcome::NoPrintSystem;
    }
    const LibcupsFunctions& cups = Libcups();
    cups.cupsSetPasswordCB2(NoPassword, nullptr);  // for this thread
    t_passwordAsked = false;
    Waiting waiting{page.deadline, page.stop};
    // The server's clock may be a little off ours.
    const std::time_t began = std::time(nullptr) - 2;
    const Http http = Connect(waiting);
    if (!http) {
        return Clock::now() >= waiting.deadline ? PrintOutcome::NoAnswer : PrintOutcome::NoServer;
    }

    std::unique_ptr<cups_dest_t, DestDeleter> dest(cups.cupsGetNamedDest(http.get(), nullptr, nullptr));
    if (!dest) {
        const ipp_status_t status = cups.cupsLastError();
        return Failure(http.get(), status == IPP_STATUS_OK ? IPP_STATUS_ERROR_NOT_FOUND : status, waiting);
    }
    std::unique_ptr<cups_dinfo_t, InfoDeleter> info(cups.cupsCopyDestInfo(http.get(), dest.get()));
    if (!info) {
        return Failure(http.get(), cups.cupsLastError(), waiting);
    }
    const JobPaper paper = PaperForJob(http.get(), dest.get(), info.get());
    if (Clock::now() >= waiting.deadline) {
        return PrintOutcome::NoAnswer;  // the printer's PPD or margins were not given in time
    }
    if (!(PlacePage(page, paper.paper).scale > 0)) {
        return PrintOutcome::NoPrintableArea;  // the page would come out blank
    }
    const QByteArray pdf = PdfPage(page, paper.paper);
    const QByteArray title = page.title.toUtf8();
    const Options options = JobOptions(paper);

    int job = 0;
    const ipp_status_t created = cups.cupsCreateDestJob(http.get(), dest.get(), info.get(), &job, title.constData(),
                                                        options.get_deleter().count, options.get());
    if (!Succeeded(created) || job == 0) {
        const PrintOutcome failure = Failure(http.get(), created, waiting);
        // A refusal was an answer; a broken or silent connection may have
        // lost one.
        const bool answerLost = cups.httpError(http.get()) != 0 || Clock::now() >= waiting.deadline
                                || created == IPP_STATUS_ERROR_INTERNAL;
        if (answerLost && failure != PrintOutcome::PasswordAsked
            && !WithdrawUnanswered(dest.get(), title, began, page.stop.stop_requested())) {
            return PrintOutcome::Unsettled;
        }
        return failure;
    }
    // A failed write leaves the request unfinished: the connection is not
    // asked anything more.
    const bool sent = cups.cupsStartDestDocument(http.get(), dest.get(), info.get(), job, title.constData(),
                                                 CUPS_FORMAT_PDF, 0, nullptr, 1) == HTTP_STATUS_CONTINUE
                      && cups.cupsWriteRequestData(http.get(), pdf.constData(), static_cast<size_t>(pdf.size()))
                             == HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = sent ? cups.cupsFinishDestDocument(http.get(), dest.get(), info.get())
                                       : cups.cupsLastError();
    // libcups reports the last status it had (Create-Job's) for a document
    // whose answer never came: past the deadline, nothing is taken as sent.
    // Leaving only stops the waits on a silent server: a job the server
    // took whole meanwhile stays.
    if (Succeeded(finished) && sent && Clock::now() < waiting.deadline) {
        return PrintOutcome::Accepted;
    }
    const PrintOutcome failure = Failure(http.get(), finished, waiting);
    return Withdraw(dest.get(), job, page.stop.stop_requested()) ? failure : PrintOutcome::Unsettled;
}

}  // namespace platform
