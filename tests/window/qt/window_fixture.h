#pragma once

// A shown, active Form1Window per test, and the ways a user reaches its
// controls: by object name, by the scroll bar's arrows, trough and thumb.

#include "window/qt/form1_window.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include <gtest/gtest.h>

#include <memory>

namespace window::qt::testing {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <typename Widget>
    Widget* Find(const char* name) const
    {
        auto* widget = m_window->findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QScrollBar* Bar(const char* name) const { return Find<QScrollBar>(name); }
    // The layout table's name of a control Form1 knows by its enum.
    static const char* NameOf(ScrollBar bar);
    static const char* NameOf(Label label);
    QString Caption(const char* label) const { return Find<QLabel>(label)->text(); }

    // Clicks a part of a scroll bar with the mouse, as a user would.
    static void Click(QScrollBar* bar, QStyle::SubControl part);
    static QRect PartRect(QScrollBar* bar, QStyle::SubControl part);

    std::unique_ptr<Form1Window> m_window;
};

}  // namespace window::qt::testing
