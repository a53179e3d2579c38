#include "window/qt/form_scroll_bar.h"

#include <QKeyEvent>

namespace window::qt {

FormScrollBar::FormScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent)
{
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
}

void FormScrollBar::keyPressEvent(QKeyEvent* event)
{
    // Qt's own mapping inverts the arrows of a horizontal scroll bar and
    // differs between styles; the window's users expect the classic one.
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        action = SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        action = SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    triggerAction(action);
    event->accept();
}

}  // namespace window::qt
