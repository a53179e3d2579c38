#include "platform/qt/application.h"

#include "platform/no_window.h"
#include "platform/qt/announcer.h"
#include "platform/qt/colour_scheme.h"
#include "platform/qt/fonts.h"
#include "platform/qt/utf8.h"

#include <QStringList>
#include <QTranslator>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

namespace {

// What Qt said while the application was starting: kept back, and passed
// on only if the start succeeds. Qt's own threads (the accessibility
// bus's, the input devices') may speak while QApplication is being built.
struct Message final {
    QtMsgType type;
    const char* category;  // Qt's category names are static strings
    QString text;
};
std::mutex g_startUpMutex;
std::vector<Message> g_startUpMessages;  // guarded by g_startUpMutex
QtMessageHandler g_previousHandler = nullptr;

bool StartUpMessagesMention(QLatin1StringView what, QLatin1StringView plugin)
{
    const QString phrase = what + QLatin1String(" the Qt platform plugin \"") + plugin + QLatin1Char('"');
    return std::any_of(g_startUpMessages.begin(), g_startUpMessages.end(),
                       [&phrase](const Message& message) { return message.text.contains(phrase); });
}

// One line for a user who started the program where no window can open.
// Called with g_startUpMutex held.
QString WhyNoWindow()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (StartUpMessagesMention(QLatin1String("Could not find"), QLatin1String("wayland")) && !wayland.isEmpty()) {
        return FromUtf8(NoWindowText(NoWindow::WaylandPluginMissing));
    }
    if (display.isEmpty() && wayland.isEmpty()) {
        return FromUtf8(NoWindowText(NoWindow::NoDisplay));
    }
    if (StartUpMessagesMention(QLatin1String("Could not load"), QLatin1String("wayland"))) {
        return FromUtf8(NoWindowText(NoWindow::WaylandUnreachable)).arg(wayland);
    }
    if (StartUpMessagesMention(QLatin1String("Could not load"), QLatin1String("xcb"))) {
        return FromUtf8(NoWindowText(NoWindow::XUnreachable)).arg(display);
    }
    QStringList said;
    for (const Message& message : g_startUpMessages) {
        said.append(message.text.simplified());
    }
    return FromUtf8(NoWindowText(NoWindow::Other)).arg(said.join(QLatin1String("; ")));
}

void StartUpMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const std::scoped_lock lock(g_startUpMutex);
    if (type == QtFatalMsg) {
        // Qt gives up for want of a platform; it would abort next.
        static_cast<void>(std::fprintf(stderr, "%s\n", qPrintable(FromUtf8(kNoWindowPrefix) + WhyNoWindow())));
        static_cast<void>(std::fflush(stderr));
        std::_Exit(EXIT_FAILURE);
    }
    g_startUpMessages.push_back({type, context.category, message});
}

// The toolkit's own words for what a control does, which a screen reader
// reads with it ("Triggers the action"): in Japanese, and any other of
// Qt's words there left unsaid rather than said in English.
class ActionWords final : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (std::string_view(context) != "QAccessibleActionInterface") {
            return {};
        }
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kWords{{
            {"Press", "押す"},
            {"Triggers the action", "ボタンを押します"},
            {"SetFocus", "フォーカス"},
            {"Sets the focus", "フォーカスを移します"},
            {"Increase", "増やす"},
            {"Increase the value", "値を一目盛り増やします"},
            {"Decrease", "減らす"},
            {"Decrease the value", "値を一目盛り減らします"},
        }};
        for (const auto& [english, japanese] : kWords) {
            if (english == sourceText) {
                return QString::fromUtf8(japanese.data(), static_cast<qsizetype>(japanese.size()));
            }
        }
        return QStringLiteral("");  // empty, not null: null would let the English through
    }
};

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv,
                                               std::initializer_list<QAccessible::InterfaceFactory> accessibility)
{
    QApplication::setApplicationName(QStringLiteral("pelmaro"));
    QGuiApplication::setDesktopFileName(QStringLiteral("pelmaro"));

    g_previousHandler = qInstallMessageHandler(StartUpMessages);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    std::vector<Message> messages;
    {
        const std::scoped_lock lock(g_startUpMutex);
        messages = std::exchange(g_startUpMessages, {});
    }
    for (const Message& message : messages) {
        g_previousHandler(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category), message.text);
    }

    UseDesignedLook();
    InsertFontSubstitutes();
    static ActionWords actionWords;  // outlives the application, which lets it go as it ends
    QCoreApplication::installTranslator(&actionWords);
    QAccessible::installFactory(Announcer::AccessibleInterface);
    for (const QAccessible::InterfaceFactory factory : accessibility) {
        QAccessible::installFactory(factory);
    }
    return application;
}

}  // namespace platform
