#include "window/qt/form_button.h"

#include "window/qt/form1_page.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace window::qt {

namespace {

bool Presses(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A press this soon after the same key's release is that key's repeat: a
// repeat's release and press come at the same moment, a second press by
// hand a tenth of a second or more apart.
constexpr quint64 kRepeatGap = 10;  // milliseconds

}  // namespace

FormButton::FormButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    // Qt presses a button on Enter only when it is a (possible) default
    // button, and draws such a button with a frame the window has none of.
    setAutoDefault(false);
    setDefault(false);
}

void FormButton::keyPressEvent(QKeyEvent* event)
{
    if (!Presses(event->key())) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    const bool repeat =
        event->isAutoRepeat() || (event->key() == m_releasedKey && event->timestamp() - m_releasedAt <= kRepeatGap);
    if (!repeat) {
        click();  // on the press, so that a repeat's release can click nothing
    }
}

void FormButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!Presses(event->key())) {
        QPushButton::keyReleaseEvent(event);
        return;
    }
    event->accept();
    m_releasedKey = event->key();
    m_releasedAt = event->timestamp();
}

void FormButton::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (PaintingThePage(painter)) {
        // Nor through a style's animation of the change (Windows fades a
        // hover out), whose first picture is the hovered button.
        option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        option.styleObject = nullptr;
    }
    painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace window::qt
