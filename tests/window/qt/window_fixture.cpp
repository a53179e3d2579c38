#include "tests/window/qt/window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QStyleOptionSlider>
#include <QTest>


namespace window::qt::testing {

void WindowTest::SetUp()
{
    m_window = std::make_unique<Form1Window>();
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
}

void WindowTest::TearDown()
{
    m_window.reset();
    EXPECT_FALSE(QAccessible::isActive()) << "the test left accessibility on";
}

QRect WindowTest::PartRect(QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

void WindowTest::Click(QScrollBar* bar, QStyle::SubControl part)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, PartRect(bar, part).center());
}

}  // namespace window::qt::testing
