// Prints the window to the default printer a few times, one print after
// the other, and reports for each: the longest the event loop went without
// running (a timer due every millisecond measures it), the time from the
// press to the print system's answer, and how far peak memory rose above
// what the program held before the press. Linux: peak memory comes from
// /proc/self/status, reset through /proc/self/clear_refs before each print.

#include "platform/qt/application.h"
#include "platform/printing/qt/window_printer.h"
#include "window/qt/form1_window.h"

#include <QElapsedTimer>
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

const char* AcceptedOrNot(platform::PrintOutcome outcome)
{
    return outcome == platform::PrintOutcome::Accepted ? "accepted" : "NOT accepted";
}

}  // namespace

int main(int argc, char* argv[])
{
    const auto application = platform::StartApplication(argc, argv);
    const int prints = argc > 1 ? std::stoi(argv[1]) : 5;
    window::qt::Form1Window window;
    window.show();
    platform::WindowPrinter printer;

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
    int failures = 0;
    std::function<void()> press = [&] {
        const long before = StatusKilobytes("VmRSS");
        ResetPeakMemory();
        longestStall = 0;
        clock.start();
        lastTick = 0;
        ticker.start(1);
        printer.Print(window, QSize(window::qt::ToPixels(window::qt::kClientWidthTwips), window::qt::ToPixels(window::qt::kClientHeightTwips)), [&, before](platform::PrintOutcome outcome) {
            const double answered = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            ticker.stop();
            const long peak = StatusKilobytes("VmHWM");
            std::printf("print %d: %s; longest event-loop stall %.1f ms, press to answer %.0f ms, "
                        "peak memory +%.1f MiB\n",
                        done + 1, AcceptedOrNot(outcome), static_cast<double>(longestStall) / 1e6, answered,
                        static_cast<double>(peak - before) / 1024.0);
            failures += outcome == platform::PrintOutcome::Accepted ? 0 : 1;
            if (++done < prints) {
                QTimer::singleShot(200, press);
            } else {
                QCoreApplication::exit(failures == 0 ? 0 : 1);
            }
        });
    };
    QTimer::singleShot(500, press);  // once the window has painted
    return QApplication::exec();
}
