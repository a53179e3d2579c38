#pragma once

// A horizontal scroll bar as classic forms have one: it takes the focus
// from Tab or a click, and answers the keys the same way on every
// platform: Left and Right step, Page Up and Page Down page, Home and End
// go to the ends; one wheel notch is one step. Its position changes when a
// gesture completes: a dragged thumb only moves (sliderMoved) until it is
// released, also one that a press put under the pointer (the middle
// button in the trough), and a drag that anything else cuts short (another button or a
// key, the focus or the window going, a dialog opening) puts the thumb back
// where the bar is, so the bar and what is shown of the drag never part.
// It has no context menu. Keys that may type a value are passed on as
// signals, for the form to decide what they mean; the bar itself takes no
// input method, so one switched on does not come between. When it has the
// focus its thumb carries a focus frame. Assistive technology reads and
// sets its value as a reading (-3.25 dioptres, 175 degrees), its text as
// the label above it shows it ("-3.25Ｄ", nothing once that label is
// gone), once StartApplication has installed AccessibleInterface.

#include "power/lens_reading.h"

#include <QPointer>
#include <QScrollBar>

class QAccessibleInterface;
class QLabel;

namespace window::qt {

class FormScrollBar final : public QScrollBar {
    Q_OBJECT

public:
    // A bar of this kind, whose value the label shows to the eye.
    FormScrollBar(power::BarKind kind, const QLabel& valueLabel, QWidget* parent);

    power::BarKind Kind() const { return m_kind; }

    // Qt's accessibility factory for these bars (QAccessible::installFactory).
    static QAccessibleInterface* AccessibleInterface(const QString& className, QObject* object);

    // What the value label shows now.
    QString LabelText() const;

signals:
    void Typed(const QString& text);  // a key with text that is none of the bar's own
    void EraseTyped();                // Backspace
    void DropTyped();                 // Escape
    // Enter or keypad Enter, or the focus leaving for another control of
    // the window (not for another window).
    void ApplyTyped();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CancelDrag();

    power::BarKind m_kind;
    QPointer<const QLabel> m_valueLabel;  // a sibling, which may go first
    int m_wheelDelta = 0;  // eighths of a degree not yet turned into a step
};

}  // namespace window::qt
