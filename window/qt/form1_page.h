#pragma once

// The window as a printed page: its controls drawn as vectors into a
// picture, each at its designed place (so controls outside a window made
// smaller on screen are on the page too), in the designed light look
// whatever the screen shows, with no keyboard focus or mouse hover on it
// however the print was asked for. Sending it to a printer is printing's
// business.

#include <QPicture>
#include <QSize>

class QPainter;
class QWidget;

namespace window::qt {

// The window's top-left `area`, its children in their stacking order.
QPicture PageOf(QWidget& window, QSize area);

// True while a control paints into PageOf's picture: it then draws itself
// without focus or hover.
bool PaintingThePage(QPainter& painter);

}  // namespace window::qt
