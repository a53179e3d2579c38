#include "platform/printing/qt/print_job.h"

#include "platform/printing/qt/spooler.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <mutex>

namespace platform {

namespace {

// The default printer's paper as its driver gives it, turned already if it
// prints landscape. A driver's margins are at least its unprintable ones.
Paper PaperOf(QPageLayout layout)
{
    layout.setUnits(QPageLayout::Millimeter);
    const QRectF sheet = layout.fullRect();
    const QMarginsF set = layout.margins();
    const QMarginsF least = layout.minimumMargins();
    return Paper{sheet.width(),
                 sheet.height(),
                 {std::max(set.left(), least.left()), std::max(set.top(), least.top()),
                  std::max(set.right(), least.right()), std::max(set.bottom(), least.bottom())},
                 false};
}

}  // namespace

void PrepareSender()
{
    HearPrintEngineWarnings();
}

// Qt's own printer, for print systems other than CUPS: the Windows spooler
// takes a job as painting ends, and is asked itself what became of it. Qt's
// printer keeps no time limit: where it hands the job over only after the
// print's patience (told as unanswered by then, or as unsettled) or after
// leaving gave up on it, the job is withdrawn rather than let out.
PrintOutcome SendPage(const Page& page)
{
    // One document at a time: a spooler that hangs holds one print, and the
    // presses behind it are told as not made, their pages never sent.
    static std::timed_mutex sending;
    std::unique_lock lock(sending, std::defer_lock);
    while (!lock.try_lock_until(std::min(page.budget.Ends(), PrintClock::now() + kRetryEvery))) {
        if (page.budget.Spent()) {
            return PrintOutcome::NoAnswer;
        }
    }
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        return PrintOutcome::NoPrinter;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(page.name);
    printer.setColorMode(QPrinter::Color);
    // The origin at the sheet's corner; the printer's own margins, which
    // its driver reports, go into the placement instead.
    printer.setFullPage(true);

    const QSizeF size = SizeOnPaper(page);
    const PagePlacement placed = PlaceWindow(PaperOf(printer.pageLayout()), size.width(), size.height());
    if (!(placed.scale > 0)) {
        return PrintOutcome::NoPrintableArea;  // refused before the spooler has a job
    }
    SpoolerWatch spooler(defaultPrinter.printerName(), page.name);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return PrintOutcome::SendFailed;
    }
    page.budget.Heard();
    DrawPage(painter, page, placed, printer.resolution());
    const bool ended = EndDocument([&painter] { return painter.end(); });
    lock.unlock();  // the job is the spooler's: the next press may go on
    if (page.budget.Spent()) {
        return spooler.Withdraw(PrintOutcome::NoAnswer);  // taken past the print's patience, or left behind
    }
    page.budget.Heard();
    if (!ended || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
        return spooler.Withdraw(PrintOutcome::SendFailed);
    }
    return spooler.Fate(page.budget);
}

}  // namespace platform
