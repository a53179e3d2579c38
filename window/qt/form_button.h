#pragma once

// A push button as classic forms have one: a focused button is pressed by
// Enter or keypad Enter as well as by Space, on every platform, though no
// button is the window's default; a printed page shows no focus frame on
// it. Looks and everything else are QPushButton's.

#include <QPushButton>

namespace window::qt {

class FormButton final : public QPushButton {
    Q_OBJECT

public:
    FormButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // As QPushButton's, but with no focus frame on a printed page.
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace window::qt
