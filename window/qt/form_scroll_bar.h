#pragma once

// A horizontal scroll bar as classic forms have one: it takes the focus
// from Tab or a click, reports only completed changes (a drag reports on
// release), and answers the keys the same way on every platform: Left and
// Right step, Page Up and Page Down page, Home and End go to the ends.

#include <QScrollBar>

namespace window::qt {

class FormScrollBar final : public QScrollBar {
    Q_OBJECT

public:
    explicit FormScrollBar(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace window::qt
