// Runs the Qt window tests on the offscreen platform, with no printer
// reachable, so that no test ever prints a real page.

#include "platform/qt/application.h"

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("CUPS_SERVER", "/nonexistent/pelmaro-test-cups.sock");
    ::testing::InitGoogleTest(&argc, argv);
    const auto application = platform::StartApplication(argc, argv);
    return RUN_ALL_TESTS();
}
