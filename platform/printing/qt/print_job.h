#pragma once

// One page on its way to the default printer, and the print system that
// takes it: CUPS's own API where the build finds it (the server's record of
// the job tells the truth, and every wait ends with the print's budget),
// Qt's printer elsewhere (the Windows print system). Runs on a worker
// thread; nothing here touches a widget.

#include "platform/printing/page_layout.h"
#include "platform/printing/print_budget.h"
#include "platform/printing/print_outcome.h"

#include <QPicture>
#include <QSize>
#include <QString>

class QPainter;

namespace platform {

struct Page final {
    QPicture picture;  // the window, in its own pixels
    QSize area;        // the part of the picture to print, in those pixels
    QString name;      // the job's name in the print queue, this print's alone
    PrintBudget budget;                  // for handing over the job
    PrintClock::time_point withdrawnBy;  // for finding out what became of it, and withdrawing it
};

// Asks for the default printer, draws the page and hands over the job.
PrintOutcome SendPage(const Page& page);

// Installs what SendPage needs in the process before its first page (on
// Windows: Qt's printer heard when the spooler refuses a document). Called
// by the printer; later calls do nothing.
void PrepareSender();

// The page's area at its designed size, 96 of its pixels to the inch, in
// millimetres.
QSizeF SizeOnPaper(const Page& page);

// Draws the picture where `placed` says, on a device whose origin is the
// page's top-left corner and that has `dotsPerInch`.
void DrawPage(QPainter& painter, const Page& page, const PagePlacement& placed, double dotsPerInch);

}  // namespace platform
