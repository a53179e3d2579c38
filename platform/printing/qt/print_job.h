#pragma once

// One page on its way to the default printer, and the print system that
// takes it: CUPS's own API where the build finds it (the job id or the
// print system's error tell the truth, and every wait ends at the deadline),
// Qt's printer elsewhere (the Windows print system). Runs on a worker
// thread; nothing here touches a widget.

#include "platform/printing/page_layout.h"
#include "platform/printing/print_outcome.h"

#include <QPicture>
#include <QSize>
#include <QString>

#include <chrono>
#include <stop_token>

class QPainter;

namespace platform {

struct Page final {
    QPicture picture;  // the window, in its own pixels
    QSize area;        // the part of the picture to print, in those pixels
    QString title;     // the job's name in the print queue
    std::chrono::steady_clock::time_point deadline;
    std::stop_token stop;  // the program is leaving: wait no more on a silent server; the outcome goes unheard
};

// Asks for the default printer, draws the page and hands over the job.
PrintOutcome SendPage(const Page& page);

// Installs what SendPage needs in the process before its first page (on
// Windows: Qt's printer heard when the spooler refuses a document). Called
// by the printer; later calls do nothing.
void PrepareSender();

// Where the window goes on `paper`: its designed size is 96 of its pixels
// to the inch.
PagePlacement PlacePage(const Page& page, const Paper& paper);

// Draws the picture where `placed` says, on a device whose origin is the
// page's top-left corner and that has `dotsPerInch`.
void DrawPage(QPainter& painter, const Page& page, const PagePlacement& placed, double dotsPerInch);

}  // namespace platform
