#include "platform/qt/announcer.h"

#include <QAccessibleWidget>

namespace platform {

namespace {

// A notification whose name is what was said: what Orca reads out when one
// shows, and what a reader's review finds afterwards.
class AnnouncerAccessible final : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification), m_announcer(announcer)
    {
    }

    QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Name ? m_announcer->Said() : QString();
    }

private:
    Announcer* m_announcer;
};

}  // namespace

Announcer::Announcer(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();  // never drawn: only assistive technology hears it
}

void Announcer::Announce(const QString& text)
{
    m_said = text;
    if (QAccessible::isActive()) {
        RaiseAnnouncement(*this);
    }
}

QAccessibleInterface* Announcer::AccessibleInterface(const QString& /*className*/, QObject* object)
{
    auto* announcer = qobject_cast<Announcer*>(object);
    return announcer ? new AnnouncerAccessible(announcer) : nullptr;
}

}  // namespace platform
