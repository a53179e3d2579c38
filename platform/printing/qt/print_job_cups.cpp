#include "platform/printing/qt/print_job.h"

#include "platform/printing/cups_sender.h"
#include "platform/printing/qt/cups_library.h"
#include "platform/printing/qt/cups_paper.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

namespace {

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

Said FromStatus(ipp_status_t status)
{
    if (t_passwordAsked || status == IPP_STATUS_ERROR_NOT_AUTHENTICATED
        || status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED) {
        return Said::PasswordAsked;
    }
    switch (status) {
    case IPP_STATUS_ERROR_NOT_FOUND: return Said::NotFound;
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS: return Said::NotAccepting;
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED: return Said::NotAuthorised;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE: return Said::Unavailable;
    default: return status <= IPP_STATUS_OK_CONFLICTING ? Said::Ok : Said::Refused;
    }
}

// A connection of its own to the print server, whose every wait ends with
// its budget. libcups is let wait as long as the budget lasts, so a server
// that pauses inside an answer is heard (its own step would end a pause in
// an answer's body as a broken answer); when the budget ends, the socket is
// shut down under it, through a descriptor of ours that libcups never
// closes, which ends any wait at once. Should libcups send a request again
// on a socket of its own (when sending it on this one failed), each wait
// there still ends with the time the budget had when the request began.
class Connection final {
public:
    explicit Connection(const PrintBudget& budget) : m_budget(budget)
    {
        m_cutter = std::jthread([this] { CutWhenSpent(); });
        const LibcupsFunctions& cups = Libcups();
        http_t* http = cups.httpConnect2(cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC, cups.cupsEncryption(),
                                         1, std::max(1, MillisecondsLeft()), &m_cancel);
        const std::scoped_lock lock(m_mutex);
        m_http = http;
        if (m_http && !m_cut) {
            m_socket = dup(cups.httpGetFd(m_http));
        }
    }
    ~Connection()
    {
        {
            const std::scoped_lock lock(m_mutex);
            m_closing = true;
        }
        m_wake.notify_all();
        m_cutter.join();
        if (m_http) {
            Libcups().httpClose(m_http);
        }
        if (m_socket >= 0) {
            close(m_socket);
        }
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Connection(Connection&&) = delete;
    Connection& operator=(Connection&&) = delete;

    bool Open() const { return m_socket >= 0; }

    // Makes one request through `call`, which returns the IPP status it
    // ends with; Nothing for a request the budget or the connection ended.
    // libcups reports the last status it had for a request that had no
    // answer, so the connection's own state decides whether it was one.
    template <typename Call>
    Said Ask(Call call)
    {
        if (m_cut || !Open()) {
            return Said::Nothing;
        }
        const LibcupsFunctions& cups = Libcups();
        cups.httpSetTimeout(m_http, std::max(1, MillisecondsLeft()) / 1000.0, KeepWaiting, this);
        t_passwordAsked = false;
        const ipp_status_t status = call(m_http);
        if (m_cut || cups.httpError(m_http) != 0 || cups.httpGetStatus(m_http) == HTTP_STATUS_ERROR) {
            return t_passwordAsked ? Said::PasswordAsked : Said::Nothing;
        }
        m_budget.Heard();
        return FromStatus(status);
    }

private:
    int MillisecondsLeft() const
    {
        return static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(m_budget.Ends() - PrintClock::now()).count());
    }

    static int KeepWaiting(http_t* /*http*/, void* connection)
    {
        return static_cast<Connection*>(connection)->m_cut ? 0 : 1;
    }

    // Leaving brings the end nearer, hearing the server moves it on: each
    // is seen when the cutter wakes, at the end it last knew or when
    // leaving begins.
    void CutWhenSpent()
    {
        std::unique_lock lock(m_mutex);
        const std::stop_callback leaving(m_budget.Leaving(), [this] { m_wake.notify_all(); });
        while (!m_closing) {
            const PrintClock::time_point ends = m_budget.Ends();
            if (PrintClock::now() >= ends) {
                m_cut = true;
                // libcups reads it between the quarter seconds a connect polls.
                std::atomic_ref(m_cancel).store(1);
                if (m_socket >= 0) {
                    shutdown(m_socket, SHUT_RDWR);
                }
                return;
            }
            m_wake.wait_until(lock, ends);
        }
    }

    PrintBudget m_budget;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_closing = false;
    std::atomic<bool> m_cut = false;
    int m_cancel = 0;
    http_t* m_http = nullptr;
    int m_socket = -1;
    std::jthread m_cutter;  // last: started after, and joined before, all it reads
};

struct DestDeleter final {
    void operator()(cups_dest_t* dest) const { Libcups().cupsFreeDests(1, dest); }
};
struct InfoDeleter final {
    void operator()(cups_dinfo_t* info) const { Libcups().cupsFreeDestInfo(info); }
};
struct OptionsDeleter final {
    int count = 0;
    void operator()(cups_option_t* options) const { Libcups().cupsFreeOptions(count, options); }
};
using Options = std::unique_ptr<cups_option_t, OptionsDeleter>;

// The printer as the first connection found it, for the requests of every
// later one.
struct Printer final {
    std::unique_ptr<cups_dest_t, DestDeleter> dest;
    std::unique_ptr<cups_dinfo_t, InfoDeleter> info;
    JobPaper paper;
    Options options;
};

// One PDF page of the paper's size, turned as the job asks; the filters
// then have nothing to fit or rotate but what the user chose.
QByteArray PdfPage(const Page& page, const PagePlacement& placed)
{
    constexpr int kDotsPerInch = 1200;
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(page.name);
    writer.setCreator(QStringLiteral("Pelmaro"));
    writer.setResolution(kDotsPerInch);
    writer.setPageSize(QPageSize(QSizeF(placed.pageWidth, placed.pageHeight), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    QPainter painter(&writer);
    DrawPage(painter, page, placed, kDotsPerInch);
    painter.end();
    return pdf;
}

class LibcupsServer final : public CupsServer {
public:
    LibcupsServer(const PrintBudget& budget, const Page& page, std::shared_ptr<Printer> printer)
        : m_budget(budget), m_connection(budget), m_page(page), m_printer(std::move(printer))
    {
    }

    bool Open() const { return m_connection.Open(); }

    Said FindPrinter(Paper& paper) override
    {
        const LibcupsFunctions& cups = Libcups();
        Printer& printer = *m_printer;
        const Said found = m_connection.Ask([&printer, &cups](http_t* http) {
            printer.dest.reset(cups.cupsGetNamedDest(http, nullptr, nullptr));
            return printer.dest ? IPP_STATUS_OK : IPP_STATUS_ERROR_NOT_FOUND;
        });
        const Said described = found != Said::Ok ? found : m_connection.Ask([&printer, &cups](http_t* http) {
            printer.info.reset(cups.cupsCopyDestInfo(http, printer.dest.get()));
            return printer.info ? IPP_STATUS_OK : cups.cupsLastError();
        });
        // On a connection of its own: libcups would make the next request
        // on another after a printer without a PPD ("404 Not Found"). One
        // without a PPD, or whose PPD the server would not give, still has
        // its paper; a connection that failed does not.
        Connection forPpd(m_budget);
        const Said papered = described != Said::Ok ? described : forPpd.Ask([&printer](http_t* http) {
            printer.paper = PaperForJob(http, printer.dest.get(), printer.info.get());
            return IPP_STATUS_OK;
        });
        if (papered != Said::Ok) {
            return papered;
        }
        int count = 0;
        cups_option_t* options = nullptr;
        for (const auto& [name, value] : printer.paper.options) {
            count = cups.cupsAddOption(name.c_str(), value.c_str(), count, &options);
        }
        printer.options = Options(options, OptionsDeleter{count});
        paper = printer.paper.paper;
        return Said::Ok;
    }

    Said CreateJob(const std::string& name, int& job) override
    {
        const Printer& printer = *m_printer;
        return m_connection.Ask([&](http_t* http) {
            return Libcups().cupsCreateDestJob(http, printer.dest.get(), printer.info.get(), &job, name.c_str(),
                                               printer.options.get_deleter().count, printer.options.get());
        });
    }

    Said SendDocument(int job, const PagePlacement& placed) override
    {
        const QByteArray pdf = PdfPage(m_page, placed);
        const QByteArray name = m_page.name.toUtf8();
        const Printer& printer = *m_printer;
        return m_connection.Ask([&](http_t* http) {
            const LibcupsFunctions& cups = Libcups();
            // A write that fails leaves the request unfinished: nothing more is asked.
            if (cups.cupsStartDestDocument(http, printer.dest.get(), printer.info.get(), job, name.constData(),
                                           CUPS_FORMAT_PDF, 0, nullptr, 1) != HTTP_STATUS_CONTINUE
                || cups.cupsWriteRequestData(http, pdf.constData(), static_cast<size_t>(pdf.size()))
                       != HTTP_STATUS_CONTINUE) {
                return cups.cupsLastError();
            }
            return cups.cupsFinishDestDocument(http, printer.dest.get(), printer.info.get());
        });
    }

    Said JobsNamed(const std::string& name, std::vector<HeldJob>& jobs) override
    {
        const cups_dest_t& dest = *m_printer->dest;
        return m_connection.Ask([&](http_t* http) {
            const LibcupsFunctions& cups = Libcups();
            cups_job_t* listed = nullptr;
            const int count = cups.cupsGetJobs2(http, &listed, dest.name, 1, CUPS_WHICHJOBS_ALL);
            for (int i = 0; i < count; ++i) {
                const cups_job_t& held = listed[i];  // NOLINT(cppcoreguidelines-pro-bounds-pointer-arithmetic)
                if (held.title != nullptr && name == held.title) {
                    jobs.push_back({held.id, held.size > 0, held.state < IPP_JSTATE_CANCELED});
                }
            }
            cups.cupsFreeJobs(count, listed);
            return count >= 0 ? cups.cupsLastError() : IPP_STATUS_ERROR_INTERNAL;
        });
    }

    Said CancelJob(int job) override
    {
        cups_dest_t* dest = m_printer->dest.get();
        return m_connection.Ask([&](http_t* http) { return Libcups().cupsCancelDestJob(http, dest, job); });
    }

private:
    PrintBudget m_budget;
    Connection m_connection;
    const Page& m_page;
    std::shared_ptr<Printer> m_printer;
};

}  // namespace

void PrepareSender() {}

PrintOutcome SendPage(const Page& page)
{
    if (!LoadLibcups()) {
        return PrintOutcome::NoPrintSystem;
    }
    Libcups().cupsSetPasswordCB2(NoPassword, nullptr);  // for this thread
    auto printer = std::make_shared<Printer>();
    const ConnectToCups connect = [&page, printer](const PrintBudget& budget) -> std::unique_ptr<CupsServer> {
        if (budget.Spent()) {
            return nullptr;
        }
        auto server = std::make_unique<LibcupsServer>(budget, page, printer);
        return server->Open() ? std::move(server) : nullptr;
    };
    const QSizeF size = SizeOnPaper(page);
    return SendThroughCups(connect, {page.name.toStdString(), size.width(), size.height(), page.budget, page.withdrawnBy});
}

}  // namespace platform
