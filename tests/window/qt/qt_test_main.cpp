// Runs the Qt window tests with no printer reachable, so that no test ever
// prints a real page: on the offscreen platform where Qt has one, on the
// real windows platform in the Windows build (whose Qt has none).

#include "platform/qt/application.h"
#include "window/qt/form_scroll_bar.h"

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    qputenv("CUPS_SERVER", "/nonexistent/pelmaro-test-cups.sock");
    ::testing::InitGoogleTest(&argc, argv);
    const auto application = platform::StartApplication(argc, argv, {window::qt::FormScrollBar::AccessibleInterface});
    return RUN_ALL_TESTS();
}
