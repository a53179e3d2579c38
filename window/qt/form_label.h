#pragma once

// A label as classic forms draw one: text from the top of its box, wrapped
// to the box's width, no margin, transparent unless filled (with its palette's
// background role, where its designed face is kept). A
// face with more ascent than the window was designed for is raised so its
// glyphs stay inside a tight box. No glyph is ever cut by the box: the
// widget reaches a little past it on every side, and further down where
// the caption needs more lines or line height than the box has; a caption
// too wide for the box, with nowhere to break, is drawn smaller. All of
// this is measured whenever the box, the caption, the mark or the font
// changes, never in a paint, so that a picture taken before any paint is
// whole; before the window is shown, on the event loop's next turn, so
// that no face is opened before it maps. The label paints its background
// in the box alone. A caption can be marked as no longer holding: drawn
// muted, with the mark under it in plain text two thirds its size. Otherwise a plain
// QLabel, so screen readers hear its caption (and its mark).

#include <QEvent>
#include <QLabel>

namespace window::qt {

class FormLabel final : public QLabel {
    Q_OBJECT

public:
    FormLabel(const QString& caption, bool centred, bool filled, QWidget* parent);

    // The box the form gives the label: its place, its size and the extent
    // of its background, in the parent's coordinates.
    void SetBox(const QRect& box);

    void SetCaption(const QString& caption);
    // An empty mark shows the caption as designed.
    void SetMark(const QString& mark);
    // The caption followed by its mark, if any: what a reader hears and a
    // copy of the label carries.
    QString Record() const;

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect BoxInside() const;  // the box in the label's own coordinates
    QRect TextRect() const;   // where the caption is laid out, likewise
    static QEvent::Type MeasureEvent();
    int Reach() const;
    void FitCaption();  // now where the window is shown, else queued
    void MeasureCaption();
    QFont DrawnFont() const;  // the font, or smaller for a caption too wide for the box
    QFont MarkFont() const;

    bool m_filled;
    QRect m_box;
    bool m_measureQueued = false;
    QFont m_drawnFont;  // as last measured
    QString m_mark;
    int m_markTop = 0;  // below the caption as last measured, from the box's top
};

}  // namespace window::qt
