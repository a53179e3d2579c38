#include "platform/qt/window_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// Form coordinates are twips, 15 to the pixel and 1440 to the inch.
constexpr double kDesignedPixelsPerInch = 96.0;

}  // namespace

bool PrintWidget(QWidget& widget)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        return false;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(widget.windowTitle());
    printer.setFullPage(false);

    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize size = widget.size();
    double scale = printer.resolution() / kDesignedPixelsPerInch;
    scale = std::min({scale, page.width() / size.width(), page.height() / size.height()});
    painter.scale(scale, scale);
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    const bool ended = painter.end();
    return ended && printer.printerState() != QPrinter::Error
           && printer.printerState() != QPrinter::Aborted;
}

}  // namespace platform
