#pragma once

// A label as classic forms draw one: text from the top of its box, wrapped
// to the box's width, no margin, transparent unless given a background. A
// face with more ascent than the window was designed for is raised so its
// glyphs stay inside a tight box. Otherwise a plain QLabel, so screen
// readers hear its caption.

#include <QLabel>

namespace window::qt {

class FormLabel final : public QLabel {
    Q_OBJECT

public:
    FormLabel(const QString& caption, bool centred, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace window::qt
