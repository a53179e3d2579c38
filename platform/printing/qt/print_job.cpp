#include "platform/printing/qt/print_job.h"

#include <QPainter>

namespace platform {

namespace {

// Form coordinates are twips, 15 to the pixel and 1440 to the inch.
constexpr double kDesignedPixelsPerInch = 96.0;
constexpr double kMillimetresPerInch = 25.4;

}  // namespace

QSizeF SizeOnPaper(const Page& page)
{
    return QSizeF(page.area) * (kMillimetresPerInch / kDesignedPixelsPerInch);
}

void DrawPage(QPainter& painter, const Page& page, const PagePlacement& placed, double dotsPerInch)
{
    const double dotsPerMillimetre = dotsPerInch / kMillimetresPerInch;
    const double dotsPerPixel = placed.scale * dotsPerInch / kDesignedPixelsPerInch;
    painter.translate(placed.left * dotsPerMillimetre, placed.top * dotsPerMillimetre);
    painter.setClipRect(QRectF(QPointF(), QSizeF(page.area) * dotsPerPixel));
    // Playing a picture scales it by the device's resolution over its own.
    const double played = static_cast<double>(painter.device()->logicalDpiX()) / page.picture.logicalDpiX();
    painter.scale(dotsPerPixel / played, dotsPerPixel / played);
    painter.drawPicture(0, 0, page.picture);
}

}  // namespace platform
