#pragma once

// Prints an image of a widget on the default printer without holding up the
// event loop. Only taking the picture happens on the caller's thread: it is
// recorded as drawing commands, so text stays text and the page is sharp at
// any printer resolution. Asking the print system for the printer, drawing
// the page and handing over the job happen on a thread of their own, which
// gives up when the print system has not answered in time; the outcome comes
// back to the caller's thread. Should a print system keep the thread past
// that (Qt's printer has no time limit), the caller hears of it as
// unanswered all the same, and the late answer is dropped. Shows nothing
// itself: telling the user is the caller's choice.

#include "platform/printing/print_outcome.h"
#include "platform/printing/qt/print_job.h"

#include <QList>
#include <QObject>
#include <QSize>

#include <chrono>
#include <functional>

class QThread;
class QWidget;

namespace platform {

class WindowPrinter final : public QObject {
    Q_OBJECT

public:
    // How long a print may wait for the print system before it is given up
    // as unanswered; the user hears of it well within 15 s of the press.
    static constexpr std::chrono::milliseconds kPatience{10'000};

    using Done = std::function<void(PrintOutcome)>;
    using Sender = std::function<PrintOutcome(const Page&)>;

    // `send` hands a page to the print system on the worker thread; tests
    // give their own, and a shorter patience.
    explicit WindowPrinter(QObject* parent = nullptr, Sender send = SendPage,
                           std::chrono::milliseconds patience = kPatience);
    // Waits for prints still under way until their patience has ended; a
    // print system that holds on longer is left behind as the program ends.
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
    QList<QThread*> m_jobs;
};

}  // namespace platform
