#pragma once

// Prints an image of a widget on the default printer without holding up the
// event loop. Only taking the picture happens on the caller's thread: it is
// recorded as drawing commands, so text stays text and the page is sharp at
// any printer resolution. Asking the print system for the printer, drawing
// the page and handing over the job happen on a thread of their own, which
// gives up when the print system has not answered in time; the outcome comes
// back to the caller's thread. Shows nothing itself: telling the user is the
// caller's choice.

#include "platform/print_outcome.h"

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
    static constexpr std::chrono::seconds kPatience{10};

    using Done = std::function<void(PrintOutcome)>;

    explicit WindowPrinter(QObject* parent = nullptr);
    // Waits for prints still under way, each at most until its patience ends.
    ~WindowPrinter() override;
    Q_DISABLE_COPY_MOVE(WindowPrinter)

    // The page shows the widget's top-left `area` at 96 of its pixels to the
    // inch, in colour, whatever part of it is on screen now; shrunk only if
    // it would not fit the printable area. `done` runs on this object's
    // thread once the print system has answered or the patience has ended.
    void Print(QWidget& widget, QSize area, Done done);

private:
    QList<QThread*> m_jobs;
};

}  // namespace platform
