#include "tests/window/qt/window_fixture.h"

#include <QApplication>
#include <QStyleOptionSlider>
#include <QTest>

#include <optional>

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
}

namespace {

template <typename Control>
const char* ControlName(Control control, std::optional<Control> ControlDescription::*which)
{
    for (const ControlDescription& description : kForm1Controls) {
        if (description.*which == control) {
            return description.name.data();  // the table's names are literals
        }
    }
    return "";
}

}  // namespace

const char* WindowTest::NameOf(ScrollBar bar)
{
    return ControlName(bar, &ControlDescription::bar);
}

const char* WindowTest::NameOf(Label label)
{
    return ControlName(label, &ControlDescription::label);
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
