// What the window shows, what a screen reader gets and what a copy carries
// of a result the bars no longer read as.

#include "power/lens_reading.h"
#include "tests/window/qt/window_fixture.h"
#include "window/qt/form1_page.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QTest>

#include <functional>

namespace window::qt::testing {

namespace {

using FormShown = WindowTest;

bool InDesignedBlue(const QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) == qRgb(0, 0, 255)) {
                return true;
            }
        }
    }
    return false;
}

// The result stays as calculated; while the bars read otherwise than it
// was calculated from, it is drawn muted with its mark, on screen and on
// the page, and a reader and every copy key of the platform get it with
// the mark.
TEST_F(FormShown, AResultTheBarsNoLongerReadAsIsMarked)
{
    const QString first = "Ｓ＋0.75Ｄ Ｃ-0.75Ｄ Ａ180°";   // check 0, 0, 180; measured 0, -0.75, 90
    const QString second = "Ｓ＋0.75Ｄ Ｃ-1.75Ｄ Ａ180°";  // check 0, -1, 180: axes 90° apart
    const QString mark = "（計算後に値が変わりました）";
    const auto press = [this](const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); };
    const auto type = [this](const char* bar, const char* keys) {
        Bar(bar)->setFocus();
        QTest::keyClicks(Bar(bar), keys);
    };
    const struct {
        const char* step;
        std::function<void()> act;
        QString line;
        bool marked;
    } rows[] = {
        {"calculate", [&] { Bar("HScroll3")->setValue(0); Bar("HScroll5")->setValue(75); press("Command1"); }, first, false},
        {"move", [&] { Click(Bar("HScroll1"), QStyle::SC_ScrollBarAddLine); }, first, true},
        {"move back", [&] { Click(Bar("HScroll1"), QStyle::SC_ScrollBarSubLine); }, first, false},
        {"axis to its other end, the same reading", [&] { type("HScroll3", "0\r"); EXPECT_EQ(Bar("HScroll3")->value(), 180); }, first, false},
        {"type, not applied", [&] { type("HScroll2", "1"); }, first, false},
        {"type and apply", [&] { QTest::keyClick(Bar("HScroll2"), Qt::Key_Enter); }, first, true},
        {"calculate", [&] { press("Command1"); }, second, false},
        {"move: a press in the trough, with the middle button where that puts the thumb there, shown at once", [&] {
             QScrollBar* bar = Bar("HScroll6");
             const QPoint trough = PartRect(bar, QStyle::SC_ScrollBarAddPage).center();
             const Qt::MouseButton button =
                 bar->style()->styleHint(QStyle::SH_ScrollBar_MiddleClickAbsolutePosition) != 0 ? Qt::MiddleButton : Qt::LeftButton;
             QTest::mousePress(bar, button, {}, trough);
             EXPECT_EQ(Caption("Label12").toStdString(),
                       power::ValueCaption(power::BarKind::Axis, static_cast<power::ScrollPosition>(bar->sliderPosition())));
             QTest::mouseRelease(bar, button, {}, trough);
         }, second, true},
        {"reset", [&] { press("Command2"); }, "", false},
    };
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto* result = Find<QLabel>("Label6");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.step);
        row.act();
        EXPECT_EQ(result->text(), row.line);
        const QRect box = result->geometry();
        QImage page(m_window->size(), QImage::Format_RGB32);
        QPainter(&page).drawPicture(0, 0, PageOf(*m_window, page.size()));
        EXPECT_EQ(InDesignedBlue(result->grab().toImage()), !row.line.isEmpty() && !row.marked);
        EXPECT_EQ(InDesignedBlue(page.copy(box)), !row.line.isEmpty() && !row.marked);
        const QString record = row.marked ? row.line + mark : row.line;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(result)->text(QAccessible::Name), record);
        for (const QKeySequence& copy : QKeySequence::keyBindings(QKeySequence::Copy)) {
            clipboard->setText("before");
            QTest::keySequence(QApplication::focusWidget(), copy);
            EXPECT_EQ(clipboard->text(), row.line.isEmpty() ? "before" : record) << copy.toString().toStdString();
        }
    }
}

}  // namespace

}  // namespace window::qt::testing
