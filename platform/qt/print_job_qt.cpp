#include "platform/qt/print_job.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform {

// Qt's own printer, for print systems other than CUPS: the Windows spooler
// takes a job as painting ends, and reports a refusal there. The deadline
// is not Qt's to keep; a local spooler answers at once.
PrintOutcome SendPage(const Page& page)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        return PrintOutcome::NoPrinter;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(page.title);
    printer.setColorMode(QPrinter::Color);
    printer.setFullPage(false);

    QPainter painter;
    if (!painter.begin(&printer)) {
        return PrintOutcome::SendFailed;
    }
    const QRectF printable(QPointF(), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    DrawPage(painter, page, printable, printer.resolution());
    const bool ended = painter.end();
    return ended && printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted
               ? PrintOutcome::Accepted
               : PrintOutcome::SendFailed;
}

}  // namespace platform
