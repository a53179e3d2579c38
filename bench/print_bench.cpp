// Prints the window to the default printer a few times, one print after
// the other, as a press of print does, and reports for each: the longest
// the event loop went without running (a timer due every millisecond
// measures it) from the press until a moment after the print system's
// answer, the window's message box opening for a print not made, the time
// from the press to that answer, and how far peak memory rose above what
// the program held before the press. With "--refused", every print is
// expected not to be made. Linux: peak memory comes from
// /proc/self/status, reset through /proc/self/clear_refs before each print.

#include "platform/qt/application.h"
#include "platform/printing/qt/window_printer.h"
#include "window/form1.h"
#include "window/qt/form1_page.h"
#include "window/qt/form1_window.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

// A field of /proc/self/status in kB, e.g. "VmHWM".
long StatusKilobytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return -1;
}

void ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace

int main(int argc, char* argv[])
{
    const auto application = platform::StartApplication(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const bool refused = arguments.contains(QStringLiteral("--refused"));
    const int prints = arguments.size() > 1 && arguments.last() != QStringLiteral("--refused") ? arguments.last().toInt() : 5;
    window::qt::Form1Window window;
    window.show();
    platform::WindowPrinter printer;
    const QSize area(window::qt::ToPixels(window::qt::kClientWidthTwips), window::qt::ToPixels(window::qt::kClientHeightTwips));

    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestStall = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestStall = std::max(longestStall, now - lastTick);
        lastTick = now;
    });

    int done = 0;
    int unexpected = 0;
    std::function<void()> press = [&] {
        const long before = StatusKilobytes("VmRSS");
        ResetPeakMemory();
        longestStall = 0;
        clock.start();
        lastTick = 0;
        ticker.start(1);
        printer.Print(window::qt::PageOf(window, area), area, window.windowTitle(), [&, before](platform::PrintOutcome outcome) {
            const double answered = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            const bool made = outcome == platform::PrintOutcome::Accepted;
            if (!made) {
                window.ShowMessage(window::PrintFailedMessage(outcome));
            }
            // The message box maps and paints on the turns that follow.
            QTimer::singleShot(150, [&, before, answered, made] {
                ticker.stop();
                const long peak = StatusKilobytes("VmHWM");
                std::printf("print %d: %s; longest event-loop stall %.1f ms, press to answer %.0f ms, "
                            "peak memory +%.1f MiB\n",
                            done + 1, made ? "accepted" : "NOT accepted, message shown",
                            static_cast<double>(longestStall) / 1e6, answered,
                            static_cast<double>(peak - before) / 1024.0);
                unexpected += made == refused ? 1 : 0;
                for (QMessageBox* box : window.findChildren<QMessageBox*>()) {
                    box->close();
                }
                if (++done < prints) {
                    QTimer::singleShot(200, press);
                } else {
                    QCoreApplication::exit(unexpected == 0 ? 0 : 1);
                }
            });
        });
    };
    QTimer::singleShot(500, press);  // once the window has painted
    return QApplication::exec();
}
