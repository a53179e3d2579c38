#include "window/qt/form_scroll_bar.h"

#include "window/qt/form1_page.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <cstdlib>

namespace window::qt {

namespace {

// Qt's own scroll bar interface gives the position (1325) as the value and
// as its text; this one gives the reading (-3.25) as the value, in the
// reading's own range and step, and the value label's caption ("-3.25Ｄ")
// as its text and description.
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
            return m_bar->LabelText();
        }
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override
    {
        return power::ValueAt(m_bar->Kind(), static_cast<power::ScrollPosition>(m_bar->value()));
    }
    // A value the bar cannot show leaves it where it is.
    void setCurrentValue(const QVariant& value) override
    {
        bool isNumber = false;
        const double reading = value.toDouble(&isNumber);
        if (const auto position = power::PositionNearest(m_bar->Kind(), reading); isNumber && position) {
            m_bar->setValue(*position);
        }
    }
    QVariant maximumValue() const override { return power::ValueRangeOf(m_bar->Kind()).greatest; }
    QVariant minimumValue() const override { return power::ValueRangeOf(m_bar->Kind()).least; }
    QVariant minimumStepSize() const override { return power::StepSize(m_bar->Kind()); }

private:
    FormScrollBar* m_bar;
};

}  // namespace

QAccessibleInterface* FormScrollBar::AccessibleInterface(const QString& /*className*/, QObject* object)
{
    auto* bar = qobject_cast<FormScrollBar*>(object);
    return bar ? new FormScrollBarAccessible(bar) : nullptr;
}

FormScrollBar::FormScrollBar(power::BarKind kind, const QLabel& valueLabel, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), m_kind(kind), m_valueLabel(&valueLabel)
{
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    // Qt's menu ("Scroll here", "Left edge", ...) is in English and the
    // window was designed with none.
    setContextMenuPolicy(Qt::NoContextMenu);
}

QString FormScrollBar::LabelText() const
{
    return m_valueLabel.isNull() ? QString() : m_valueLabel->text();
}

bool FormScrollBar::event(QEvent* event)
{
    // A drag is the left button held on the thumb and nothing else: what
    // else comes first ends it, before it is handled itself. Qt alone
    // would leave the thumb where it was dragged, the bar not moved, when
    // a menu or dialog takes the release, and ends no drag on Escape.
    if (isSliderDown()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::FocusOut:
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
        case QEvent::WindowBlocked:
            CancelDrag();
            break;
        default:
            break;
        }
    }
    return QScrollBar::event(event);
}

void FormScrollBar::CancelDrag()
{
    // The thumb back at the bar's position first (a last sliderMoved tells
    // whoever showed the drag), then a release where it is, which ends the
    // drag in Qt's own terms and so moves nothing.
    setSliderPosition(value());
    const QPointF where = rect().center();
    QMouseEvent release(QEvent::MouseButtonRelease, where, mapToGlobal(where), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QScrollBar::mouseReleaseEvent(&release);
}

void FormScrollBar::mousePressEvent(QMouseEvent* event)
{
    // A middle-button press in the trough puts the thumb under the pointer
    // before Qt holds it down, so Qt tells no sliderMoved of that move.
    QScrollBar::mousePressEvent(event);
    if (isSliderDown() && sliderPosition() != value()) {
        emit sliderMoved(sliderPosition());
    }
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
    {
        QPainter page(this);
        if (PaintingThePage(page)) {
            // Without the mouse's hover, and not through a style's animation
            // of it (Windows fades a bar's hover in and out).
            QStyleOptionSlider slider;
            initStyleOption(&slider);
            slider.subControls = QStyle::SC_All;
            slider.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
            slider.styleObject = nullptr;
            style()->drawComplexControl(QStyle::CC_ScrollBar, &slider, &page, this);
            return;
        }
    }
    QScrollBar::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
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
