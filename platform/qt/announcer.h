#pragma once

// Says a short text to a running screen reader without moving the focus:
// a result that has just appeared, why an entry was refused. It is an
// unseen child of the window, a notification to assistive technology, and
// speaks the way each platform's readers listen for (announcer_atspi.cpp,
// announcer_windows.cpp). With no reader running it costs nothing. What to
// say, and when, is the caller's business; nothing on screen changes.

#include <QWidget>

class QAccessibleInterface;

namespace platform {

class Announcer final : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* window);

    void Announce(const QString& text);
    // The last text said, empty before the first.
    QString Said() const { return m_said; }

    // Qt's accessibility factory for announcers (StartApplication installs it).
    static QAccessibleInterface* AccessibleInterface(const QString& className, QObject* object);

private:
    QString m_said;
};

// Raises the platform's event for an announcement of the announcer's text.
void RaiseAnnouncement(Announcer& announcer);

}  // namespace platform
