#include "platform/printing/qt/print_job.h"

#include "platform/printing/qt/spooler.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <mutex>
#include <optional>

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
// takes a job as painting ends, and is asked itself what became of it. The
// deadline is not Qt's to keep; a local spooler answers at once.
PrintOutcome SendPage(const Page& page)
{
    // One document at a time, so that the spooler's new job is this one.
    static std::timed_mutex sending;
    const std::unique_lock lock(sending, page.budget.Ends());
    if (!lock.owns_lock()) {
        return PrintOutcome::NoAnswer;  // the print before it still hangs
    }
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        return PrintOutcome::NoPrinter;
    }
    const SpoolerWatch spooler(defaultPrinter.printerName());
    if (const std::optional<PrintOutcome> refusal = spooler.Refusal()) {
        return *refusal;
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
    QPainter painter;
    if (!painter.begin(&printer)) {
        return PrintOutcome::SendFailed;
    }
    DrawPage(painter, page, placed, printer.resolution());
    const bool ended = EndDocument([&painter] { return painter.end(); });
    if (!ended || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
        return spooler.Refusal().value_or(PrintOutcome::SendFailed);
    }
    return spooler.Fate(page.name, page.budget.Ends());
}

}  // namespace platform
