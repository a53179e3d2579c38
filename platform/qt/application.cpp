#include "platform/qt/application.h"

#include "platform/qt/fonts.h"
#include "platform/qt/spooler.h"

#include <QPalette>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace platform {

namespace {

// What Qt said while the application was starting: kept back, and passed
// on only if the start succeeds.
struct Message final {
    QtMsgType type;
    const char* category;  // Qt's category names are static strings
    QString text;
};
std::vector<Message> g_startUpMessages;
QtMessageHandler g_previousHandler = nullptr;

bool StartUpMessagesMention(QLatin1StringView what, QLatin1StringView plugin)
{
    const QString phrase = what + QLatin1String(" the Qt platform plugin \"") + plugin + QLatin1Char('"');
    return std::any_of(g_startUpMessages.begin(), g_startUpMessages.end(),
                       [&phrase](const Message& message) { return message.text.contains(phrase); });
}

// One line for a user who started the program where no window can open.
QString WhyNoWindow()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (StartUpMessagesMention(QLatin1String("Could not find"), QLatin1String("wayland")) && !wayland.isEmpty()) {
        return QStringLiteral("Qt's Wayland plugin is missing; install the package qt6-wayland");
    }
    if (display.isEmpty() && wayland.isEmpty()) {
        return QStringLiteral("no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset); "
                              "start it from a desktop session");
    }
    if (StartUpMessagesMention(QLatin1String("Could not load"), QLatin1String("wayland"))) {
        return QStringLiteral("cannot connect to the Wayland display \"%1\"; start it from a desktop session")
            .arg(wayland);
    }
    if (StartUpMessagesMention(QLatin1String("Could not load"), QLatin1String("xcb"))) {
        return QStringLiteral("cannot connect to the X display \"%1\"; start it from a desktop session "
                              "or set DISPLAY to a running one")
            .arg(display);
    }
    QStringList said;
    for (const Message& message : g_startUpMessages) {
        said.append(message.text.simplified());
    }
    return QStringLiteral("no window system could be reached (%1)").arg(said.join(QLatin1String("; ")));
}

void StartUpMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        // Qt gives up for want of a platform; it would abort next.
        static_cast<void>(std::fprintf(stderr, "pelmaro: %s\n", qPrintable(WhyNoWindow())));
        static_cast<void>(std::fflush(stderr));
        std::_Exit(EXIT_FAILURE);
    }
    g_startUpMessages.push_back({type, context.category, message});
}

#ifndef Q_OS_WIN
// The light grey form the window was designed on, with Qt Fusion's light
// shading. Fusion itself turns dark when the desktop's theme is dark, so
// the colours are spelled out here rather than asked of the style.
QPalette LightPalette()
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

#endif

// Fusion draws from the palette alone, so with a fixed palette the window
// looks the same under every desktop theme. Windows keeps its native style
// and system colours, which Qt 6.4 does not darken.
void UseDesignedLook()
{
#ifndef Q_OS_WIN
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(LightPalette());
#endif
}

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv,
                                               std::initializer_list<QAccessible::InterfaceFactory> accessibility)
{
    QApplication::setApplicationName(QStringLiteral("pelmaro"));
    QGuiApplication::setDesktopFileName(QStringLiteral("pelmaro"));

    g_previousHandler = qInstallMessageHandler(StartUpMessages);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    for (const Message& message : std::exchange(g_startUpMessages, {})) {
        g_previousHandler(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category), message.text);
    }

    UseDesignedLook();
    InsertFontSubstitutes();
    for (const QAccessible::InterfaceFactory factory : accessibility) {
        QAccessible::installFactory(factory);
    }
    HearPrintEngineWarnings();
    return application;
}

}  // namespace platform
