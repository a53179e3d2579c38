#include "window/qt/form_button.h"

#include "platform/printing/qt/window_printer.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace window::qt {

FormButton::FormButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    // Qt presses a button on Enter only when it is a (possible) default
    // button, and draws such a button with a frame the window has none of.
    setAutoDefault(false);
    setDefault(false);
}

void FormButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // A held key presses once, not once a repeat: print must not print a
    // page for every repeat.
    if (!event->isAutoRepeat()) {
        click();
    }
    event->accept();
}

void FormButton::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (platform::PaintingAPage(painter)) {
        option.state &= ~QStyle::State_HasFocus;
    }
    painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace window::qt
