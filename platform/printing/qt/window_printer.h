#pragma once

// Printing, the whole subsystem's promise (this folder holds all of it:
// paper and page layout, outcomes, the time a print has, this printer and
// its worker, the CUPS sender and its decisions, Qt's printer with the
// Windows spooler). Prints a picture of the window on the default printer
// without holding up the event loop, as a job whose name is that press's
// alone. Every print ends in exactly one of two ways within 15 s of the
// press (print_budget.h): the print system has the job whole (Accepted), or
// why not. A print told as not made leaves nothing on a server that
// answers: after any doubt the server's own record of the job decides, and
// a job it holds half is withdrawn; where it cannot be asked, the print is
// told as Unsettled (the page may still come out). Asking for the printer
// and its paper, drawing the page and handing over the job happen on a
// thread of their own. Leaving never loses a print the server is
// answering, and no print outlives the printer. Leaves to others: taking
// the picture, which printer and paper (the user's saved choice, the print
// system's default), telling the user and in which words, and whether
// presses are joined into one message.

#include "platform/printing/print_budget.h"
#include "platform/printing/print_outcome.h"
#include "platform/printing/qt/print_job.h"

#include <QObject>
#include <QSize>

#include <chrono>
#include <functional>
#include <stop_token>
#include <vector>

class QPicture;
class QThread;

namespace platform {

class WindowPrinter final : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(PrintOutcome)>;
    using Sender = std::function<PrintOutcome(const Page&)>;

    // `send` hands a page to the print system on the worker thread; tests
    // give their own, and a shorter watchdog.
    explicit WindowPrinter(QObject* parent = nullptr, Sender send = SendPage,
                           std::chrono::milliseconds watchdog = kWatchdog);
    // The program is leaving: prints under way go on while their print
    // system answers, and are given up once it has said nothing for
    // kLeavingSilence; this waits for them, their outcome untold. A print
    // still inside a print system that cannot be stopped once its time is
    // up (Qt's printer on a hung spooler) would run into the program's
    // teardown: the process ends here instead, as it was about to.
    ~WindowPrinter() override;
    Q_DISABLE_COPY_MOVE(WindowPrinter)

    // Prints the top-left `area` of `picture` (the window at 96 of its
    // pixels to the inch), shrunk only if it would not fit the printable
    // area of the printer's paper, as a job named after `document`, the
    // time and a count ("Form1 2026-12-10 14:05:09.123 #3"). `done` runs
    // once, on this object's thread, when the print system has answered, or
    // when a print system that keeps the worker past kWatchdog is given up.
    void Print(const QPicture& picture, QSize area, const QString& document, Done done);

private:
    struct Job final {
        QThread* thread;
        PrintBudget budget;  // to the end of its settling
    };

    Sender m_send;
    std::chrono::milliseconds m_watchdog;
    std::vector<Job> m_jobs;
    int m_printed = 0;
    std::stop_source m_leaving;
};

}  // namespace platform
