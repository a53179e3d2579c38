#include "platform/qt/announcer.h"

#include <QAccessible>

namespace platform {

// A value change carrying text is raised by Qt's UI Automation bridge as a
// notification event (UiaRaiseNotificationEvent), which NVDA and Narrator
// speak whatever has the focus.
void RaiseAnnouncement(Announcer& announcer)
{
    QAccessibleValueChangeEvent changed(&announcer, announcer.Said());
    QAccessible::updateAccessibility(&changed);
}

}  // namespace platform
