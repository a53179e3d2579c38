#pragma once

// A horizontal scroll bar as classic forms have one: it takes the focus
// from Tab or a click, reports only completed changes (a drag reports on
// release), and answers the keys the same way on every platform: Left and
// Right step, Page Up and Page Down page, Home and End go to the ends.
// When it has the focus its thumb carries a focus frame. Assistive
// technology hears the bar's value as the label above it shows it
// ("＋0.18Ｄ"), not the raw position, once StartApplication has installed
// AccessibleInterface.

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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const QLabel& m_valueLabel;
};

}  // namespace window::qt
