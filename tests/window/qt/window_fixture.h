#pragma once

// A shown, active Form1Window per test, and the ways a user reaches its
// controls: by object name, by the scroll bar's arrows, trough and thumb.
// Each test must leave accessibility off, as it found it.

#include "window/qt/form1_window.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace window::qt::testing {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The window's control of that name; where there is none the test stops
    // there, failed, rather than crash on a null pointer.
    template <typename Widget>
    Widget* Find(const char* name) const
    {
        auto* widget = m_window->findChild<Widget*>(QString::fromUtf8(name));
        if (widget == nullptr) {
            throw std::runtime_error(std::string("the window has no such control: ") + name);
        }
        return widget;
    }
    QScrollBar* Bar(const char* name) const { return Find<QScrollBar>(name); }
    // A control Form1 knows by its enum, by the layout table's name for it.
    static const char* NameOf(ScrollBar bar) { return ControlOf(bar).name.data(); }
    static const char* NameOf(Label label) { return ControlOf(label).name.data(); }
    QString Caption(const char* label) const { return Find<QLabel>(label)->text(); }

    // Clicks a part of a scroll bar with the mouse, as a user would.
    static void Click(QScrollBar* bar, QStyle::SubControl part);
    static QRect PartRect(QScrollBar* bar, QStyle::SubControl part);

    std::unique_ptr<Form1Window> m_window;
};

}  // namespace window::qt::testing
