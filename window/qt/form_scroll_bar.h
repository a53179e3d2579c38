#pragma once

// A horizontal scroll bar as classic forms have one: it takes the focus
// from Tab or a click, reports only completed changes (a drag reports on
// release), and answers the keys the same way on every platform: Left and
// Right step, Page Up and Page Down page, Home and End go to the ends; one
// wheel notch is one step. Keys that may type a value are passed on as
// signals, for the form to decide what they mean; the bar itself takes no
// input method, so one switched on does not come between. When it has the
// focus its thumb carries a focus frame. Assistive technology hears the
// bar's value as the label above it shows it ("＋0.18Ｄ"), not the raw
// position, once StartApplication has installed AccessibleInterface.

#include <QScrollBar>

class QAccessibleInterface;
class QLabel;

namespace window::qt {

class FormScrollBar final : public QScrollBar {
    Q_OBJECT

public:
    // The label that shows this bar's value to the eye.
    FormScrollBar(const QLabel& valueLabel, QWidget* parent);

    // Qt's accessibility factory for these bars (QAccessible::installFactory).
    static QAccessibleInterface* AccessibleInterface(const QString& className, QObject* object);

    QString ValueCaption() const;
    // To be called once the value label shows a new caption: tells assistive
    // technology, which asked too early when the position changed.
    void AnnounceValueCaption();

signals:
    void Typed(const QString& text);  // a key with text that is none of the bar's own
    void EraseTyped();                // Backspace
    void DropTyped();                 // Escape
    // Enter or keypad Enter, or the focus leaving for another control of
    // the window (not for another window).
    void ApplyTyped();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const QLabel& m_valueLabel;
    int m_wheelDelta = 0;  // eighths of a degree not yet turned into a step
};

}  // namespace window::qt
