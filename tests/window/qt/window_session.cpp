// One scripted session of the real window, as a user would have it: scroll
// with the keyboard, calculate, reset, calculate again, print,
// end. Exits 0 only if every caption was right and ＥＮＤ ended the event
// loop; run under the sanitizers it also shows the session leaks nothing.

#include "platform/qt/application.h"
#include "window/qt/form1_window.h"
#include "window/qt/form_scroll_bar.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

int g_failures = 0;

void Expect(QWidget& window, const char* label, const char* caption)
{
    const QString shown = window.findChild<QLabel*>(QString::fromLatin1(label))->text();
    if (shown != QString::fromUtf8(caption)) {
        std::fprintf(stderr, "%s shows \"%s\", not \"%s\"\n", label, qPrintable(shown), caption);
        ++g_failures;
    }
}

void Session(QWidget& window)
{
    auto bar = [&window](const char* name) { return window.findChild<QScrollBar*>(QString::fromLatin1(name)); };
    auto click = [&window](const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    };

    auto pageRight = [&bar](const char* name, int times) {
        bar(name)->setFocus();
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(bar(name), Qt::Key_PageDown);
        }
    };
    pageRight("HScroll2", 4);  // -1.00 D
    pageRight("HScroll3", 4);  // axis 90 -> 30
    pageRight("HScroll5", 2);  // -0.50 D
    pageRight("HScroll6", 2);  // axis 90 -> 60
    Expect(window, "Label8", "-1.00Ｄ");
    Expect(window, "Label9", "30°");
    click("Command1");
    Expect(window, "Label6", "Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ15°");

    click("Command2");
    Expect(window, "Label6", "");
    Expect(window, "Label8", "0.00Ｄ");
    QTest::keyClick(bar("HScroll5"), Qt::Key_Right);
    click("Command1");
    Expect(window, "Label6", "Ｓ＋0.01Ｄ Ｃ-0.01Ｄ Ａ180°");

    click("print");
    click("Command3");
}

}  // namespace

int main(int argc, char* argv[])
{
    const auto application = platform::StartApplication(argc, argv, {window::qt::FormScrollBar::AccessibleInterface});
    window::qt::Form1Window window;
    window.show();
    QMetaObject::invokeMethod(&window, [&window] { Session(window); }, Qt::QueuedConnection);
    QTimer watchdog;  // never hang CI
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(3); });
    watchdog.start(30000);
    const int status = QApplication::exec();
    if (status != 0) {
        std::fprintf(stderr, "the event loop ended with %d, not through ＥＮＤ\n", status);
    }
    return status != 0 || g_failures != 0 ? 1 : 0;
}
