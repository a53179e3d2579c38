#include "platform/qt/utf8.h"
#include "platform/printing/qt/window_printer.h"
#include "power/residual_caption.h"
#include "power/residual_power.h"
#include "power/typed_entry.h"
#include "tests/window/qt/window_fixture.h"
#include "window/form1.h"
#include "window/form_design.h"
#include "window/qt/form1_page.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>
#include <QTest>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <QtGui/private/qguiapplication_p.h>
#ifndef Q_OS_WIN
#include <QLocalServer>
#include <QLocalSocket>
#endif
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <optional>
#include <vector>

namespace window::qt::testing {

namespace {

using FormEvents = WindowTest;

TEST_F(FormEvents, ArrowsStepOneHundredthAndTroughsAQuarter)
{
    const struct {
        const char* bar;
        QStyle::SubControl part;
        const char* label;
        const char* caption;
    } rows[] = {
        {"HScroll1", QStyle::SC_ScrollBarAddLine, "Label7", "-0.01Ｄ"},
        {"HScroll1", QStyle::SC_ScrollBarSubLine, "Label7", "＋0.01Ｄ"},
        {"HScroll4", QStyle::SC_ScrollBarAddPage, "Label10", "-0.25Ｄ"},
        {"HScroll4", QStyle::SC_ScrollBarSubPage, "Label10", "＋0.25Ｄ"},
        {"HScroll2", QStyle::SC_ScrollBarAddLine, "Label8", "-0.01Ｄ"},
        {"HScroll5", QStyle::SC_ScrollBarAddPage, "Label11", "-0.25Ｄ"},
        {"HScroll3", QStyle::SC_ScrollBarAddPage, "Label9", "75°"},
        {"HScroll6", QStyle::SC_ScrollBarSubPage, "Label12", "105°"},
        {"HScroll6", QStyle::SC_ScrollBarAddLine, "Label12", "89°"},
    };
    for (const auto& row : rows) {
        QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);  // back to the designed state
        Click(Bar(row.bar), row.part);
        EXPECT_EQ(Caption(row.label), QString::fromUtf8(row.caption)) << row.bar;
    }
}

// A drag shows the reading to come while the thumb is held; however it
// ends, every value label then shows its bar's reading and 「計 算」 works
// from what the window shows.
TEST_F(FormEvents, HoweverADragEndsTheLabelsShowTheBars)
{
    const struct {
        const char* ending;
        bool moves;  // the bar takes the dragged position
        std::function<void(Form1Window&, QScrollBar&, QPoint)> end;
    } rows[] = {
        {"release", true, [](Form1Window&, QScrollBar& bar, QPoint at) { QTest::mouseRelease(&bar, Qt::LeftButton, {}, at); }},
        {"right button", false, [](Form1Window&, QScrollBar& bar, QPoint at) {
             QTest::mousePress(&bar, Qt::RightButton, {}, at);
             QTest::mouseRelease(&bar, Qt::RightButton, {}, at);
         }},
        {"menu key", false, [](Form1Window&, QScrollBar& bar, QPoint) { QTest::keyClick(&bar, Qt::Key_Menu); }},
        {"Escape", false, [](Form1Window&, QScrollBar& bar, QPoint) { QTest::keyClick(&bar, Qt::Key_Escape); }},
        {"focus out", false, [](Form1Window& window, QScrollBar&, QPoint) {
             window.findChild<QPushButton*>("Command2")->setFocus(Qt::MouseFocusReason);
         }},
        {"modal message", false, [](Form1Window& window, QScrollBar&, QPoint) { window.ShowMessage("印刷できません"); }},
        {"hidden", false, [](Form1Window& window, QScrollBar&, QPoint) {
             window.hide();
             window.show();
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ending);
        QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
        QScrollBar* bar = Bar("HScroll3");
        const QPoint grip = PartRect(bar, QStyle::SC_ScrollBarSlider).center();
        const QPoint dragged = grip + QPoint(20, 0);
        QTest::mousePress(bar, Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(dragged), bar->mapToGlobal(QPointF(dragged)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        ASSERT_GT(bar->sliderPosition(), 90);
        EXPECT_EQ(Caption("Label9").toStdString(),
                  power::ValueCaption(power::BarKind::Axis, static_cast<power::ScrollPosition>(bar->sliderPosition())));

        row.end(*m_window, *bar, dragged);
        EXPECT_EQ(bar->value() != 90, row.moves) << bar->value();
        QApplication::sendEvent(bar, &move);  // the button still held
        EXPECT_EQ(bar->sliderPosition(), bar->value());
        for (auto* box : m_window->findChildren<QMessageBox*>()) {
            box->accept();
        }
        QTest::mouseRelease(bar, Qt::LeftButton, {}, dragged);

        power::ScrollPositions positions{};
        for (const BarDesign& design : kBarDesigns) {
            const std::size_t i = Index(design.bar);
            positions[i] = static_cast<power::ScrollPosition>(Bar(NameOf(design.bar))->value());
            EXPECT_EQ(Caption(NameOf(design.valueLabel)).toStdString(),
                      power::ValueCaption(power::kBarMeanings[i].kind, positions[i]))
                << NameOf(design.bar);
        }
        QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
        EXPECT_EQ(Caption("Label6").toStdString(),
                  power::ResidualCaption(power::ResidualPower(power::CheckReading(positions), power::MeasuredReading(positions))));
    }
}

// The example pair from the keyboard alone, from print in the designed tab
// order (Shift+Tab: 「計 算」, 「リセット」, 「ＥＮＤ」, HScroll1 to HScroll6),
// typed on the keypad and in full-width digits, each applied by Shift+Tab,
// and 「計 算」 pressed with keypad Enter.
TEST_F(FormEvents, TypedPairCalculatedFromTheKeyboard)
{
    const auto backtab = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier); };
    for (int i = 0; i < 4; ++i) {
        backtab();
    }
    for (const char* typed : {"-3.25", "1.5", "１７５", "-3.12", "1.37", "172"}) {
        for (const QChar key : QString::fromUtf8(typed)) {
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(key.unicode()), QString(key),
                                Qt::KeypadModifier);
        }
        backtab();
    }
    EXPECT_EQ(Caption("Label6"), "");  // moving the bars left the result alone
    backtab();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Caption("Label6"), "Ｓ-0.10Ｄ Ｃ-0.20Ｄ Ａ18°");
    EXPECT_EQ(Caption("Label9"), "175°");
}

TEST_F(FormEvents, OneWheelNotchIsOneStepAndSmallScrollsAddUp)
{
    const struct {
        const char* bar;
        std::vector<int> deltas;  // eighths of a degree, one wheel event each
        int moved;
    } rows[] = {{"HScroll1", {-120}, 1}, {"HScroll1", {120}, -1}, {"HScroll3", {-120, -120}, 2},
                {"HScroll2", {-40, -40, -40}, 1}, {"HScroll4", {-40, -40}, 0}, {"HScroll6", {-60, 60, -60}, 0}};
    for (const auto& row : rows) {
        QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
        QScrollBar* bar = Bar(row.bar);
        const int before = bar->value();
        const QPointF at = PartRect(bar, QStyle::SC_ScrollBarSlider).center();
        for (const int delta : row.deltas) {
            QWheelEvent wheel(at, bar->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(bar, &wheel);
        }
        EXPECT_EQ(bar->value() - before, row.moved) << row.bar << " " << row.deltas.size();
    }
}

TEST_F(FormEvents, KeyboardMovesTheFocusedBar)
{
    // print -> HScroll6 -> HScroll5 -> HScroll4
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QWidget* focused = QApplication::focusWidget();
    ASSERT_EQ(focused, Bar("HScroll4"));
    QTest::keyClick(focused, Qt::Key_Right);
    EXPECT_EQ(Caption("Label10"), "-0.01Ｄ");
    QTest::keyClick(focused, Qt::Key_Left);
    QTest::keyClick(focused, Qt::Key_Left);
    EXPECT_EQ(Caption("Label10"), "＋0.01Ｄ");
    QTest::keyClick(focused, Qt::Key_PageDown);
    EXPECT_EQ(Caption("Label10"), "-0.24Ｄ");
    QTest::keyClick(focused, Qt::Key_PageUp);
    QTest::keyClick(focused, Qt::Key_PageUp);
    EXPECT_EQ(Caption("Label10"), "＋0.26Ｄ");
    QTest::keyClick(focused, Qt::Key_Home);
    EXPECT_EQ(Caption("Label10"), "＋10.00Ｄ");
    QTest::keyClick(focused, Qt::Key_End);
    EXPECT_EQ(Caption("Label10"), "-10.00Ｄ");
}

TEST_F(FormEvents, CalculateAndResetButtons)
{
    Click(Bar("HScroll5"), QStyle::SC_ScrollBarAddPage);
    Click(Bar("HScroll5"), QStyle::SC_ScrollBarAddPage);
    Click(Bar("HScroll5"), QStyle::SC_ScrollBarAddPage);
    EXPECT_EQ(Caption("Label11"), "-0.75Ｄ");
    EXPECT_EQ(Caption("Label6"), "");

    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(Caption("Label6"), "Ｓ＋0.75Ｄ Ｃ-0.75Ｄ Ａ180°");

    Click(Bar("HScroll1"), QStyle::SC_ScrollBarAddLine);  // the result goes stale, as designed
    EXPECT_EQ(Caption("Label6"), "Ｓ＋0.75Ｄ Ｃ-0.75Ｄ Ａ180°");

    QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
    EXPECT_EQ(Caption("Label6"), "");
    EXPECT_EQ(Caption("Label7"), "0.00Ｄ");
    EXPECT_EQ(Caption("Label11"), "0.00Ｄ");
    EXPECT_EQ(Bar("HScroll1")->value(), 1000);
    EXPECT_EQ(Bar("HScroll5")->value(), 0);
}

// Runs the event loop until the program ends, or fails after five seconds.
int RunUntilEnd(const std::function<void()>& action)
{
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    QMetaObject::invokeMethod(qApp, action, Qt::QueuedConnection);
    return QApplication::exec();
}

TEST_F(FormEvents, EndButtonEndsTheEventLoop)
{
    auto* end = Find<QPushButton>("Command3");
    EXPECT_EQ(RunUntilEnd([end] { QTest::mouseClick(end, Qt::LeftButton); }), 0);
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(FormEvents, ClosingTheWindowEndsTheEventLoop)
{
    Form1Window* window = m_window.get();
    EXPECT_EQ(RunUntilEnd([window] { window->close(); }), 0);
}

TEST_F(FormEvents, SpaceAtStartPrintsAndAFailedPrintSaysSo)
{
    // The test runs with no print server reachable (CUPS), which Windows
    // reports as no printer. The message comes once the print system has
    // answered, not inside the key press.
    const auto shown = [this] {
        const auto* box = m_window->findChild<QMessageBox*>("message");  // made hidden once the window is up
        return box != nullptr && box->isVisible();
    };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(shown());

    ASSERT_TRUE(QTest::qWaitFor(shown));
    auto* message = m_window->findChild<QMessageBox*>("message");
#ifdef Q_OS_WIN
    constexpr auto kUnreachable = platform::PrintOutcome::NoPrinter;
#else
    constexpr auto kUnreachable = platform::PrintOutcome::NoServer;
#endif
    EXPECT_EQ(message->text().toStdString(), PrintFailedMessage(kUnreachable));
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(Caption("Label6"), "");
    EXPECT_EQ(Caption("Label7"), "0.00Ｄ");

    message->accept();  // the program carries on
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(Caption("Label6"), "Ｓ 0.00Ｄ");
}

#ifndef Q_OS_WIN
// A print server that takes the request and goes away before answering
// (stopped, then killed) is out of reach; libcups itself then says only
// "no default destination".
TEST(WindowPrinting, AServerGoneMidRequestIsToldAsOutOfReach)
{
    QTemporaryDir folder;
    QLocalServer server;
    ASSERT_TRUE(server.listen(folder.filePath(QStringLiteral("cups.sock"))));
    QObject::connect(&server, &QLocalServer::newConnection, &server, [&server] {
        QLocalSocket* request = server.nextPendingConnection();
        QObject::connect(request, &QLocalSocket::readyRead, request, &QLocalSocket::abort);
    });
    const QByteArray previous = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", server.fullServerName().toLocal8Bit());

    std::optional<platform::PrintOutcome> told;
    platform::WindowPrinter printer;
    printer.Print(QPicture(), QSize(10, 10), "Form1", [&told](platform::PrintOutcome outcome) { told = outcome; });
    EXPECT_TRUE(QTest::qWaitFor([&told] { return told.has_value(); }, 15'000));
    qputenv("CUPS_SERVER", previous);
    EXPECT_EQ(told, platform::PrintOutcome::NoServer);
}
#endif

// A print system that holds the worker past its patience (Qt's printer
// keeps no time limit) is told as unsettled, and its late answer dropped;
// a print that answers in time is told as it answered, once.
TEST(WindowPrinting, EachPrintIsToldOnceEvenWhenThePrintSystemHangs)
{
    using platform::PrintOutcome;
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    std::atomic<QThread*> hung = nullptr;
    const auto send = [released, &hung](const platform::Page& page) {
        if (page.name.startsWith("hangs ")) {
            hung = QThread::currentThread();
            released.wait();
            return PrintOutcome::Accepted;
        }
        return PrintOutcome::NotAccepting;
    };
    std::vector<PrintOutcome> told;
    platform::WindowPrinter printer(nullptr, send, std::chrono::milliseconds(150));
    printer.Print(QPicture(), QSize(10, 10), "hangs", [&told](PrintOutcome outcome) { told.push_back(outcome); });
    printer.Print(QPicture(), QSize(10, 10), "refused", [&told](PrintOutcome outcome) { told.push_back(outcome); });

    ASSERT_TRUE(QTest::qWaitFor([&told] { return told.size() == 2; }, 15'000));
    ASSERT_NE(hung.load(), nullptr);
    release.set_value();
    // The hung print's thread ends with its late answer, which reaches the
    // printer as a posted event: delivered here, it must be dropped.
    hung.load()->wait();
    QCoreApplication::sendPostedEvents(&printer, QEvent::MetaCall);
    EXPECT_EQ(told, (std::vector{PrintOutcome::NotAccepting, PrintOutcome::Unsettled}));
}

// The page is the designed window: whichever control has the focus (print
// at start, or a bar) and whatever the mouse is over (a bar, print), no
// focus frame or hover is on it.
TEST_F(FormEvents, ThePageShowsNoFocusOrHover)
{
    const QSize area(ToPixels(kClientWidthTwips), ToPixels(kClientHeightTwips));
    const auto page = [&] {
        QImage image(area, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.drawPicture(0, 0, PageOf(*m_window, area));
        return image;
    };
    QScrollBar* bar = Bar("HScroll5");
    // Windows' style fades a hover in, from the bar as it was: not here.
    bar->setProperty("_q_no_animation", true);
    QTest::mouseMove(bar, QPoint(bar->width() - 3, bar->height() / 2));  // its arrow
    const QImage barHovered = page();
    QTest::mouseMove(m_window.get(), QPoint(1, 1));
    auto* print = Find<QPushButton>("print");
    print->setAttribute(Qt::WA_UnderMouse);
    const QImage printFocused = page();
    print->setAttribute(Qt::WA_UnderMouse, false);
    Bar("HScroll6")->setFocus();
    const QImage barFocused = page();
    QApplication::focusWidget()->clearFocus();
    const QImage designed = page();
    EXPECT_TRUE(printFocused == designed);
    EXPECT_TRUE(barFocused == designed);
    EXPECT_TRUE(barHovered == designed);
}

// Leaving while a print is under way: one whose print system keeps
// answering is waited for to the end; one that has said nothing is given
// up a second after the press, its worker gone with the printer.
TEST(WindowPrinting, LeavingWaitsForAPrintOnlyWhileItIsHeard)
{
    using namespace std::chrono_literals;
    const struct {
        const char* what;
        std::optional<std::chrono::milliseconds> takenWhole;  // when the print system has the job
        std::chrono::milliseconds least;                      // how long leaving takes
        std::chrono::milliseconds most;
    } rows[] = {
        {"silent", std::nullopt, 800ms, 1'400ms},
        {"answering, the job taken after two seconds", 2'000ms, 2'000ms, 2'600ms},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::atomic<bool> ended = false;
        const auto send = [&row, &ended](const platform::Page& page) {
            const auto whole = platform::PrintClock::now() + row.takenWhole.value_or(1h);
            for (; !page.budget.Spent(); std::this_thread::sleep_for(20ms)) {
                if (platform::PrintClock::now() >= whole) {
                    ended = true;
                    return platform::PrintOutcome::Accepted;
                }
                if (row.takenWhole) {
                    page.budget.Heard();
                }
            }
            ended = !row.takenWhole;  // given up only while silent
            return platform::PrintOutcome::NoAnswer;
        };
        QElapsedTimer clock;
        clock.start();
        {
            platform::WindowPrinter printer(nullptr, send);
            printer.Print(QPicture(), QSize(10, 10), "Form1", [](platform::PrintOutcome) { ADD_FAILURE() << "told"; });
        }
        EXPECT_TRUE(ended);
        EXPECT_GE(clock.elapsed(), row.least.count());
        EXPECT_LT(clock.elapsed(), row.most.count());
    }
}

// While it lives, accessibility is on as when a screen reader runs, and
// what the announcer says is heard; afterwards both are as before, however the
// test ends.
class ReaderListening final {
public:
    ReaderListening() : m_previous(QAccessible::installUpdateHandler(&Hear))
    {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    ~ReaderListening()
    {
        QAccessible::installUpdateHandler(m_previous);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
        s_heard.clear();
    }
    Q_DISABLE_COPY_MOVE(ReaderListening)

    // What the window's announcer said, oldest first.
    static const QStringList& Heard() { return s_heard; }

private:
    static void Hear(QAccessibleEvent* event)
    {
        if (event->object() != nullptr && event->object()->objectName() == "announcer") {
            s_heard.append(event->accessibleInterface()->text(QAccessible::Name));
        }
    }

    static inline QStringList s_heard;  // an update handler is a plain function
    QAccessible::UpdateHandler m_previous = nullptr;
};

// A screen reader or test driver can work the window through its
// accessibility interface alone, in readings, and hears what Form1 says.
TEST_F(FormEvents, UsableThroughAccessibility)
{
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(m_window.get());
    ASSERT_NE(window, nullptr);
    auto findByName = [window](const QString& name) -> QAccessibleInterface* {
        for (int i = 0; i < window->childCount(); ++i) {
            if (window->child(i)->text(QAccessible::Name) == name) {
                return window->child(i);
            }
        }
        return nullptr;
    };
    // Qt's own words for what a control does, which a reader reads, are
    // Japanese or unsaid.
    for (int i = 0; i < window->childCount(); ++i) {
        if (const QAccessibleActionInterface* does = window->child(i)->actionInterface()) {
            for (const QString& name : does->actionNames() + QStringList{QAccessibleActionInterface::increaseAction()}) {
                const QString said = does->localizedActionName(name) + does->localizedActionDescription(name);
                EXPECT_FALSE(said.contains(QRegularExpression("[A-Za-z]"))) << said.toStdString();
            }
        }
    }
    const struct {
        const char* name;
        ScrollBar bar;
        double set;  // a reading set through accessibility
        double value, least, greatest, step;
        const char* text;
    } rows[] = {
        {"遠用度数確認値 Ｓ", ScrollBar::HScroll1, -3.25, -3.25, -10.0, 10.0, 0.01, "-3.25Ｄ"},
        {"遠用度数確認値 Ｃ", ScrollBar::HScroll2, -1.5, -1.5, -5.0, 0.0, 0.01, "-1.50Ｄ"},
        {"遠用度数実測値（レンズメータ） Ａ", ScrollBar::HScroll6, 175, 175, 0.0, 180.0, 1.0, "175°"},
        {"遠用度数実測値（レンズメータ） Ａ", ScrollBar::HScroll6, 0, 180, 0.0, 180.0, 1.0, "180°"},
        {"遠用度数実測値（レンズメータ） Ｓ", ScrollBar::HScroll4, 12.0, 0.0, -10.0, 10.0, 0.01, "0.00Ｄ"},  // off the bar
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QAccessibleInterface* bar = findByName(QString::fromUtf8(row.name));
        ASSERT_NE(bar, nullptr);
        ASSERT_NE(bar->valueInterface(), nullptr);
        bar->valueInterface()->setCurrentValue(row.set);
        EXPECT_EQ(bar->valueInterface()->currentValue().toDouble(), row.value);
        EXPECT_EQ(bar->valueInterface()->minimumValue().toDouble(), row.least);
        EXPECT_EQ(bar->valueInterface()->maximumValue().toDouble(), row.greatest);
        EXPECT_EQ(bar->valueInterface()->minimumStepSize().toDouble(), row.step);
        EXPECT_EQ(bar->text(QAccessible::Value), QString::fromUtf8(row.text));
        EXPECT_EQ(Caption(NameOf(DesignOf(row.bar).valueLabel)), QString::fromUtf8(row.text));
    }

    // What a running reader is told, whatever has the focus: the result,
    // after a press through accessibility (an animated click, landing a
    // moment later), a refused entry's reason, the reading back after
    // Escape, 「リセット」 done, and a message that takes another's place
    // (the first a reader reads as its box opens).
    const ReaderListening reader;
    QAccessibleInterface* calculate = findByName("計 算");
    ASSERT_NE(calculate, nullptr);
    calculate->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([] { return !ReaderListening::Heard().isEmpty(); }));
    const QString result = Caption("Label6");
    Bar("HScroll1")->setFocus();
    QTest::keyClicks(Bar("HScroll1"), "25");
    QTest::keyClick(Bar("HScroll1"), Qt::Key_Enter);
    EXPECT_EQ(Caption("Label7").toStdString(),
              power::RefusalCaption(power::BarKind::Sphere, power::EntryRefusal::OffRange));
    const QString refusal = Caption("Label7");
    QTest::keyClicks(Bar("HScroll1"), "3");
    QTest::keyClick(Bar("HScroll1"), Qt::Key_Escape);
    QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
    m_window->ShowMessage("一回目");
    m_window->ShowMessage("二回目");
    m_window->findChild<QMessageBox*>("message")->accept();
    EXPECT_EQ(ReaderListening::Heard(),
              QStringList({result, refusal, "-3.25Ｄ", "すべてのバーを最初の値に戻し、残余度数を消しました", "二回目"}));
}

// Ctrl+C copies the result as shown, and so does 「コピー」 on a right-click
// over it; with no result nothing is copied.
TEST_F(FormEvents, TheResultIsCopied)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("before");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "before");

    Bar("HScroll5")->setValue(75);
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    Bar("HScroll5")->setFocus();
    QTest::keyClick(Bar("HScroll5"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "Ｓ＋0.75Ｄ Ｃ-0.75Ｄ Ａ180°");
    EXPECT_EQ(Bar("HScroll5")->value(), 75);

    clipboard->setText("before");
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            offered.append(action->text());
        }
        menu->actions().value(0)->trigger();
        menu->close();
    });
    const QPoint result = Find<QLabel>("Label6")->geometry().center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, result, m_window->mapToGlobal(result));
    QApplication::sendEvent(m_window.get(), &rightClick);
    EXPECT_EQ(offered, QStringList({"コピー"}));
    EXPECT_EQ(clipboard->text(), "Ｓ＋0.75Ｄ Ｃ-0.75Ｄ Ａ180°");
}

}  // namespace

}  // namespace window::qt::testing
