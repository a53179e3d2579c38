#pragma once

// A label as classic forms draw one: text from the top of its box, wrapped
// to the box's width, no margin, transparent unless filled (with its palette's
// background role, where its designed face is kept). A
// face with more ascent than the window was designed for is raised so its
// glyphs stay inside a tight box. No glyph is ever cut by the box: the
// widget reaches a little past it on every side, and further down where
// the caption needs more lines or line height than the box has (measured
// from the first paint on, so that no face is opened before the window
// maps), but it paints its background in the box alone; a caption too
// wide for the box, with nowhere to break, is drawn smaller. Otherwise a
// plain QLabel, so screen readers hear its caption.

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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect BoxInside() const;  // the box in the label's own coordinates
    QRect TextRect() const;   // where the caption is laid out, likewise
    void FitCaption();
    QFont DrawnFont() const;  // the font, or smaller for a caption too wide for the box

    bool m_filled;
    QRect m_box;
    bool m_laidOut = false;  // the caption measured, from the first paint on
};

}  // namespace window::qt
