#include "platform/qt/colour_scheme.h"

#include <QEvent>
#include <QObject>
#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

// Kept on each control, and on the window the scheme it shows.
constexpr const char* kDesignedText = "designedText";
constexpr const char* kDesignedFace = "designedFace";
constexpr const char* kShownScheme = "colourScheme";

void ShowDesignedColours(QWidget& control)
{
    const QVariant text = control.property(kDesignedText);
    const QVariant face = control.property(kDesignedFace);
    if (!text.isValid() && !face.isValid()) {
        return;
    }
    QPalette palette = control.palette();
    if (text.isValid()) {
        palette.setColor(control.foregroundRole(), text.value<QColor>());
    }
    if (face.isValid()) {
        palette.setColor(control.backgroundRole(), face.value<QColor>());
    }
    control.setPalette(palette);
}

ColourScheme ShownScheme(const QWidget& window)
{
    return window.property(kShownScheme).toInt() == static_cast<int>(ColourScheme::System) ? ColourScheme::System
                                                                                           : ColourScheme::Designed;
}

class SchemeFollower final : public QObject {
public:
    explicit SchemeFollower(QWidget& window) : QObject(&window), m_window(window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        // Windows changes the application's palette when its colours change.
        if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::ThemeChange) {
            ShowScheme(m_window, ScreenScheme());
        }
        return false;
    }

private:
    QWidget& m_window;
};

}  // namespace

QPalette DesignedPalette()
{
    const QColor window(239, 239, 239);
    const QColor dark = window.darker(150);
    const QColor mid = window.darker(130);
    QPalette palette(Qt::black, window, window.lighter(150), dark, mid, Qt::black, Qt::white);
    palette.setBrush(QPalette::Midlight, mid.lighter(110));
    palette.setBrush(QPalette::Shadow, dark.darker(135));
    palette.setBrush(QPalette::HighlightedText, Qt::white);
    palette.setBrush(QPalette::Active, QPalette::Highlight, QColor(48, 140, 198));
    palette.setBrush(QPalette::Inactive, QPalette::Highlight, QColor(48, 140, 198));

    const QColor disabledText(190, 190, 190);
    palette.setBrush(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::Base, window);
    palette.setBrush(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setBrush(QPalette::Disabled, QPalette::Shadow, dark.darker(135).lighter(150));
    palette.setBrush(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    return palette;
}

void SetDesignedColours(QWidget& control, std::optional<QColor> text, std::optional<QColor> face)
{
    control.setProperty(kDesignedText, text ? QVariant(*text) : QVariant());
    control.setProperty(kDesignedFace, face ? QVariant(*face) : QVariant());
    const QWidget* window = control.window();
    if (window == &control || ShownScheme(*window) == ColourScheme::Designed) {
        ShowDesignedColours(control);
    }
}

void ShowScheme(QWidget& window, ColourScheme scheme)
{
    window.setProperty(kShownScheme, static_cast<int>(scheme));
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->property(kDesignedText).isValid() && !control->property(kDesignedFace).isValid()) {
            continue;
        }
        switch (scheme) {
        case ColourScheme::Designed:
            ShowDesignedColours(*control);
            break;
        case ColourScheme::System:
            control->setPalette(QPalette());  // the window's, role for role
            break;
        }
    }
}

void FollowScreenScheme(QWidget& window)
{
    ShowScheme(window, ScreenScheme());
    new SchemeFollower(window);
}

DesignedLook::DesignedLook(QWidget& window) : m_window(window), m_shown(ShownScheme(window))
{
    m_window.setPalette(DesignedPalette());
    ShowScheme(m_window, ColourScheme::Designed);
}

DesignedLook::~DesignedLook()
{
    m_window.setPalette(QPalette());
    ShowScheme(m_window, m_shown);
}

}  // namespace platform
