#include "platform/qt/announcer.h"

#include <QAccessible>

namespace platform {

// Orca speaks a notification when it shows; Qt 6.4 passes neither a
// label's new name nor an alert on to AT-SPI in a way Orca reads out.
void RaiseAnnouncement(Announcer& announcer)
{
    QAccessibleEvent shown(&announcer, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

}  // namespace platform
