#include "platform/qt/print_job.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cups/cups.h>

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
// libcups says, the server did not answer in time.
PrintOutcome Failure(ipp_status_t status, Clock::time_point deadline)
{
    if (Clock::now() >= deadline) {
        return PrintOutcome::NoAnswer;
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

// The page as a PDF on the printer's default paper, the picture inside the
// paper's margins. A4 when the printer names no default.
QByteArray PdfPage(const Page& page, const cups_size_t* media)
{
    constexpr int kDotsPerInch = 1200;
    constexpr double kMillimetresPerInch = 25.4;
    const double width = media ? media->width / 100.0 : 210.0;  // millimetres
    const double length = media ? media->length / 100.0 : 297.0;
    const double left = media ? media->left / 100.0 : 6.35;
    const double top = media ? media->top / 100.0 : 6.35;
    const double right = media ? media->right / 100.0 : 6.35;
    const double bottom = media ? media->bottom / 100.0 : 6.35;

    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(page.title);
    writer.setCreator(QStringLiteral("Pelmaro"));
    writer.setResolution(kDotsPerInch);
    writer.setPageSize(QPageSize(QSizeF(width, length), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    const double dotsPerMillimetre = kDotsPerInch / kMillimetresPerInch;
    const QRectF printable(left * dotsPerMillimetre, top * dotsPerMillimetre,
                           (width - left - right) * dotsPerMillimetre, (length - top - bottom) * dotsPerMillimetre);
    QPainter painter(&writer);
    DrawPage(painter, page, printable, kDotsPerInch);
    painter.end();
    return pdf;
}

struct DestDeleter final {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct InfoDeleter final {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
struct HttpDeleter final {
    void operator()(http_t* http) const { httpClose(http); }
};

}  // namespace

PrintOutcome SendPage(const Page& page)
{
    cupsSetPasswordCB2(NoPassword, nullptr);  // for this thread
    Clock::time_point deadline = page.deadline;
    const auto patience = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    int cancel = 0;
    std::unique_ptr<http_t, HttpDeleter> http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC,
                                                           cupsEncryption(), 1,
                                                           static_cast<int>(patience.count()), &cancel));
    if (!http) {
        return Clock::now() >= deadline ? PrintOutcome::NoAnswer : PrintOutcome::NoServer;
    }
    httpSetTimeout(http.get(), 0.5, KeepWaiting, &deadline);

    std::unique_ptr<cups_dest_t, DestDeleter> dest(cupsGetNamedDest(http.get(), nullptr, nullptr));
    if (!dest) {
        const ipp_status_t status = cupsLastError();
        return Failure(status == IPP_STATUS_OK ? IPP_STATUS_ERROR_NOT_FOUND : status, deadline);
    }
    std::unique_ptr<cups_dinfo_t, InfoDeleter> info(cupsCopyDestInfo(http.get(), dest.get()));
    if (!info) {
        return Failure(cupsLastError(), deadline);
    }
    cups_size_t media{};
    const bool hasMedia = cupsGetDestMediaDefault(http.get(), dest.get(), info.get(), 0, &media) != 0;
    const QByteArray pdf = PdfPage(page, hasMedia ? &media : nullptr);
    const QByteArray title = page.title.toUtf8();

    int job = 0;
    const ipp_status_t created =
        cupsCreateDestJob(http.get(), dest.get(), info.get(), &job, title.constData(), 0, nullptr);
    if (!Succeeded(created) || job == 0) {
        return Failure(created, deadline);
    }
    const bool sent = cupsStartDestDocument(http.get(), dest.get(), info.get(), job, title.constData(),
                                            CUPS_FORMAT_PDF, 0, nullptr, 1) == HTTP_STATUS_CONTINUE
                      && cupsWriteRequestData(http.get(), pdf.constData(), static_cast<size_t>(pdf.size()))
                             == HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = sent ? cupsFinishDestDocument(http.get(), dest.get(), info.get())
                                       : cupsLastError();
    if (Succeeded(finished) && sent) {
        return PrintOutcome::Accepted;
    }
    const PrintOutcome failure = Failure(finished, deadline);
    // A job left waiting for its document would hold the queue.
    cupsCancelDestJob(http.get(), dest.get(), job);
    return failure;
}

}  // namespace platform
