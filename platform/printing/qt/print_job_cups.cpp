#include "platform/printing/qt/print_job.h"

#include "platform/printing/qt/cups_library.h"
#include "platform/printing/qt/cups_paper.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>


#include <memory>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// libcups asks this every half second while it waits for the server.
int KeepWaiting(http_t* /*http*/, void* deadline)
{
    return Clock::now() < *static_cast<const Clock::time_point*>(deadline) ? 1 : 0;
}

// What a failed request means for the user. Past the deadline, whatever
// libcups says, the server did not answer in time. A server that went away
// in the middle of a request (stopped, then killed) leaves the connection
// broken, while libcups reports what it last knew: "No default
// destination" when the server died on the question for the printer.
PrintOutcome Failure(http_t* http, ipp_status_t status, Clock::time_point deadline)
{
    if (Clock::now() >= deadline) {
        return PrintOutcome::NoAnswer;
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

// A scheduler that asks for a password gets none: libcups would otherwise
// prompt on the terminal the program was started from, if any.
const char* NoPassword(const char* /*prompt*/, http_t* /*http*/, const char* /*method*/, const char* /*resource*/,
                       void* /*data*/)
{
    return nullptr;
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

}  // namespace

void PrepareSender() {}

PrintOutcome SendPage(const Page& page)
{
    if (!LoadLibcups()) {
        return PrintOutcome::SendFailed;
    }
    const LibcupsFunctions& cups = Libcups();
    cups.cupsSetPasswordCB2(NoPassword, nullptr);  // for this thread
    Clock::time_point deadline = page.deadline;
    const auto patience = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    int cancel = 0;
    std::unique_ptr<http_t, HttpDeleter> http(cups.httpConnect2(cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC,
                                                                cups.cupsEncryption(), 1,
                                                                static_cast<int>(patience.count()), &cancel));
    if (!http) {
        return Clock::now() >= deadline ? PrintOutcome::NoAnswer : PrintOutcome::NoServer;
    }
    cups.httpSetTimeout(http.get(), 0.5, KeepWaiting, &deadline);

    std::unique_ptr<cups_dest_t, DestDeleter> dest(cups.cupsGetNamedDest(http.get(), nullptr, nullptr));
    if (!dest) {
        const ipp_status_t status = cups.cupsLastError();
        return Failure(http.get(), status == IPP_STATUS_OK ? IPP_STATUS_ERROR_NOT_FOUND : status, deadline);
    }
    std::unique_ptr<cups_dinfo_t, InfoDeleter> info(cups.cupsCopyDestInfo(http.get(), dest.get()));
    if (!info) {
        return Failure(http.get(), cups.cupsLastError(), deadline);
    }
    const JobPaper paper = PaperForJob(http.get(), dest.get(), info.get());
    const QByteArray pdf = PdfPage(page, paper.paper);
    const QByteArray title = page.title.toUtf8();
    const Options options = JobOptions(paper);

    int job = 0;
    const ipp_status_t created = cups.cupsCreateDestJob(http.get(), dest.get(), info.get(), &job, title.constData(),
                                                        options.get_deleter().count, options.get());
    if (!Succeeded(created) || job == 0) {
        return Failure(http.get(), created, deadline);
    }
    const bool sent = cups.cupsStartDestDocument(http.get(), dest.get(), info.get(), job, title.constData(),
                                                 CUPS_FORMAT_PDF, 0, nullptr, 1) == HTTP_STATUS_CONTINUE
                      && cups.cupsWriteRequestData(http.get(), pdf.constData(), static_cast<size_t>(pdf.size()))
                             == HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = sent ? cups.cupsFinishDestDocument(http.get(), dest.get(), info.get())
                                       : cups.cupsLastError();
    if (Succeeded(finished) && sent) {
        return PrintOutcome::Accepted;
    }
    const PrintOutcome failure = Failure(http.get(), finished, deadline);
    // A job left waiting for its document would hold the queue.
    cups.cupsCancelDestJob(http.get(), dest.get(), job);
    return failure;
}

}  // namespace platform
