#include "platform/printing/qt/window_printer.h"

#include "platform/printing/job_name.h"

#include <QDateTime>
#include <QPicture>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

namespace platform {

namespace {

// How long a worker whose waits have been ended may take to come back
// from the print system (a socket shut under libcups returns at once).
constexpr std::chrono::milliseconds kComingBack{250};

}  // namespace

WindowPrinter::WindowPrinter(QObject* parent, Sender send, std::chrono::milliseconds watchdog)
    : QObject(parent), m_send(std::move(send)), m_watchdog(watchdog)
{
    PrepareSender();
}

WindowPrinter::~WindowPrinter()
{
    m_leaving.request_stop();
    for (const Job& job : m_jobs) {
        while (!job.thread->wait(QDeadlineTimer(kRetryEvery))) {
            if (PrintClock::now() >= job.budget.Ends() + kComingBack) {
                std::fflush(nullptr);
                std::_Exit(EXIT_SUCCESS);
            }
        }
        delete job.thread;
    }
}

void WindowPrinter::Print(const QPicture& picture, QSize area, const QString& document, Done done)
{
    const PrintClock::time_point pressed = PrintClock::now();
    const QString name = QString::fromStdString(
        JobName(document.toStdString(),
                QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString(),
                std::to_string(++m_printed)));
    Page page{picture, area, name, PrintBudget(pressed + kPatience, m_leaving.get_token()),
              pressed + kWithdrawing};
    const PrintBudget whole = page.budget.Until(page.withdrawnBy);
    struct Report final {
        PrintOutcome outcome = PrintOutcome::SendFailed;  // written by the worker, read once it has finished
        bool told = false;
        Done done;
    };
    auto report = std::make_shared<Report>();
    report->done = std::move(done);
    const auto tell = [report](PrintOutcome outcome) {
        if (!std::exchange(report->told, true)) {
            report->done(outcome);
        }
    };

    // Lives as long as the job: a hung job keeps it until this object goes.
    auto* watchdog = new QTimer(this);
    watchdog->setSingleShot(true);
    // Past it, the job is still inside the print system, which may yet print it.
    connect(watchdog, &QTimer::timeout, this, [tell] { tell(PrintOutcome::Unsettled); });

    QThread* thread = QThread::create([send = m_send, page = std::move(page), report] { report->outcome = send(page); });
    connect(thread, &QThread::finished, this, [this, thread, watchdog, report, tell] {
        std::erase_if(m_jobs, [thread](const Job& job) { return job.thread == thread; });
        thread->wait();  // finished comes just before the thread's last instructions
        delete thread;
        delete watchdog;
        tell(report->outcome);
    });
    watchdog->start(m_watchdog);
    m_jobs.push_back({thread, whole});
    thread->start();
}

}  // namespace platform
