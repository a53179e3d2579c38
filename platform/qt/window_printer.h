#pragma once

// Prints an image of a widget on the default printer, at the printer's own
// resolution: the widget paints itself onto the page, so text stays sharp
// rather than being a scaled-up screen grab. Shows no dialog; whether and
// how to tell the user about a failure is the caller's choice.

class QWidget;

namespace platform {

// The widget's designed size is kept on paper (96 logical pixels to the
// inch), shrunk only if it would not fit the page. False when there is no
// default printer or the job could not be made or sent.
bool PrintWidget(QWidget& widget);

}  // namespace platform
