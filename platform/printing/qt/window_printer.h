#pragma once

// Printing, the whole subsystem's promise (this folder holds all of it:
// paper and page layout, outcomes, this printer and its worker, the CUPS
// sender with libcups loading, Qt's printer with the Windows spooler).
// Prints an image of a widget on the default printer without holding up the
// event loop. Every print ends in exactly one of two ways within 14 s of
// Print: the print system has the job whole (Accepted), or why not. A print
// told as failed left nothing on the server: a job begun is cancelled on a
// connection of its own, and where even that fails it is told as Unsettled
// (the page may still come out). Only taking the picture happens on the
// caller's thread: it is recorded as drawing commands, so text stays text
// and the page is sharp at any printer resolution. Asking for the printer
// and its paper, drawing the page and handing over the job happen on a
// thread of their own. Should a print system keep the thread past its time
// (Qt's printer has no limit), the caller hears Unsettled all the same, and
// the late answer is dropped. Leaves to others: which printer and paper
// (the user's saved choice, the print system's default), telling the user
// and in which words, and whether presses are joined into one message.

#include "platform/printing/print_outcome.h"
#include "platform/printing/qt/print_job.h"

#include <QList>
#include <QObject>
#include <QSize>

#include <chrono>
#include <functional>
#include <stop_token>

class QPainter;
class QThread;
class QWidget;

namespace platform {

class WindowPrinter final : public QObject {
    Q_OBJECT

public:
    // How long a print may wait for the print system before it is given up
    // as unanswered; the user hears of it well within 15 s of the press.
    static constexpr std::chrono::milliseconds kPatience{10'000};
    // How long past its patience a print may take to report before it is
    // told as unsettled: room for a sender that gives up at the deadline and
    // then withdraws the job on a connection of its own (3 s), while the
    // user still hears within 15 s of the press.
    static constexpr std::chrono::milliseconds kGrace{4'000};

    using Done = std::function<void(PrintOutcome)>;
    using Sender = std::function<PrintOutcome(const Page&)>;

    // `send` hands a page to the print system on the worker thread; tests
    // give their own, and a shorter patience and grace.
    explicit WindowPrinter(QObject* parent = nullptr, Sender send = SendPage,
                           std::chrono::milliseconds patience = kPatience,
                           std::chrono::milliseconds grace = kGrace);
    // Asks prints still under way to wait no more on a silent server (one
    // that answers takes its job whole; a job not sent whole is withdrawn
    // where the server answers within a moment) and waits for them less
    // than a second; a print system that holds on longer (Qt's printer,
    // libcups retrying on a server that holds connections) is left behind
    // as the program ends.
    ~WindowPrinter() override;
    Q_DISABLE_COPY_MOVE(WindowPrinter)

    // The page shows the widget's top-left `area` at 96 of its pixels to the
    // inch, in its designed colours whatever the screen shows, whatever part
    // of it is on screen now; shrunk only if it would not fit the printable
    // area of the printer's paper. The widget must not have a palette of
    // its own (DesignedLook). `done` runs once, on this
    // object's thread, when the print system has answered or soon after the
    // patience has ended.
    void Print(QWidget& widget, QSize area, Done done);

private:
    Sender m_send;
    std::chrono::milliseconds m_patience;
    std::chrono::milliseconds m_grace;
    QList<QThread*> m_jobs;
    std::stop_source m_leaving;
};

// True while a control paints into the picture Print takes: a page is the
// designed window, and shows no keyboard focus.
bool PaintingAPage(QPainter& painter);

}  // namespace platform
