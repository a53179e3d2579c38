#include "window/qt/form_scroll_bar.h"

#include "platform/printing/qt/window_printer.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <cstdlib>

namespace window::qt {

namespace {

// Qt's own scroll bar interface gives the position (1018) as the value
// text; this one gives the value caption ("-0.18Ｄ"), as value text and as
// description, and the position as the numeric value.
class FormScrollBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit FormScrollBarAccessible(FormScrollBar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar), m_bar(bar)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value || type == QAccessible::Description) {
            return Bar()->ValueCaption();
        }
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return Bar()->value(); }
    void setCurrentValue(const QVariant& value) override { Bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return Bar()->maximum(); }
    QVariant minimumValue() const override { return Bar()->minimum(); }
    QVariant minimumStepSize() const override { return Bar()->singleStep(); }

private:
    FormScrollBar* Bar() const { return m_bar; }

    FormScrollBar* m_bar;
};

}  // namespace

QAccessibleInterface* FormScrollBar::AccessibleInterface(const QString& /*className*/, QObject* object)
{
    auto* bar = qobject_cast<FormScrollBar*>(object);
    return bar ? new FormScrollBarAccessible(bar) : nullptr;
}

FormScrollBar::FormScrollBar(const QLabel& valueLabel, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), m_valueLabel(valueLabel)
{
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
}

QString FormScrollBar::ValueCaption() const
{
    return m_valueLabel.text();
}

void FormScrollBar::AnnounceValueCaption()
{
    // Windows speaks a value change that carries text; AT-SPI readers
    // re-read the description.
    QAccessibleValueChangeEvent changed(this, ValueCaption());
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
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
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit ApplyTyped();
        return;
    case Qt::Key_Escape:
        emit DropTyped();
        return;
    case Qt::Key_Backspace:
        emit EraseTyped();
        return;
    default:
        if (!event->text().isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            emit Typed(event->text());
            return;
        }
        QScrollBar::keyPressEvent(event);
        return;
    }
    triggerAction(action);
    event->accept();
}

void FormScrollBar::focusOutEvent(QFocusEvent* event)
{
    // Switching to another window and back keeps a value being typed.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        emit ApplyTyped();
    }
    QScrollBar::focusOutEvent(event);
}

void FormScrollBar::wheelEvent(QWheelEvent* event)
{
    // Qt moves a bar by the desktop's lines per notch (3): 0.03 D a notch,
    // so -0.25 D could never be reached. Here a notch (120) is one step, and
    // a touchpad's small deltas add up to whole steps; turning away from the
    // left-over starts afresh. Up or left lowers the position, as in Qt.
    const QPoint angle = event->angleDelta();
    const int delta = std::abs(angle.x()) > std::abs(angle.y()) ? angle.x() : angle.y();
    if ((delta < 0) != (m_wheelDelta < 0)) {
        m_wheelDelta = 0;
    }
    m_wheelDelta += delta;
    const bool page = (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) != 0;
    for (; m_wheelDelta >= QWheelEvent::DefaultDeltasPerStep; m_wheelDelta -= QWheelEvent::DefaultDeltasPerStep) {
        triggerAction(page ? SliderPageStepSub : SliderSingleStepSub);
    }
    for (; m_wheelDelta <= -QWheelEvent::DefaultDeltasPerStep; m_wheelDelta += QWheelEvent::DefaultDeltasPerStep) {
        triggerAction(page ? SliderPageStepAdd : SliderSingleStepAdd);
    }
    event->accept();
}

void FormScrollBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    QPainter painter(this);
    if (!hasFocus() || platform::PaintingAPage(painter)) {
        return;
    }
    // Neither Fusion nor the Windows styles mark a focused scroll bar; a
    // keyboard user must see which reading the arrow keys will change. A
    // frame in the selection colour inside the thumb, as clear in a tiny bar
    // as in a large one.
    QStyleOptionSlider slider;
    initStyleOption(&slider);
    const QRect thumb = style()->subControlRect(QStyle::CC_ScrollBar, &slider, QStyle::SC_ScrollBarSlider, this);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.drawRect(thumb.adjusted(2, 2, -3, -3));
}

}  // namespace window::qt
