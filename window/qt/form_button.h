#pragma once

// A push button as classic forms have one: a focused button is pressed by
// Space, Enter or keypad Enter, on every platform, though no button is the
// window's default; one press of the key is one click however long it is
// held, while separate presses click each. A printed page shows it without
// focus or hover. Looks and everything else are QPushButton's.

#include <QPushButton>

namespace window::qt {

class FormButton final : public QPushButton {
    Q_OBJECT

public:
    FormButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The pressing key last released, and when: X11 sends a held key's
    // repeats as a release and a press of one moment, and does not always
    // mark them as repeats.
    int m_releasedKey = 0;
    quint64 m_releasedAt = 0;
};

}  // namespace window::qt
