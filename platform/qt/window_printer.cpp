#include "platform/qt/window_printer.h"

#include "platform/qt/print_job.h"

#include <QPainter>
#include <QThread>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// Form coordinates are twips, 15 to the pixel and 1440 to the inch.
constexpr double kDesignedPixelsPerInch = 96.0;

// The widget's area as drawing commands. Each child is drawn at its place
// on its own, so children outside a shrunken window are on the page too;
// the stacking order is the children's order.
QPicture PictureOf(QWidget& widget, QSize area)
{
    QPicture picture;
    QPainter painter(&picture);
    painter.fillRect(QRect(QPoint(), area), widget.palette().window());
    for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && !child->isHidden()) {
            child->render(&painter, child->pos(), QRegion(), QWidget::DrawChildren);
        }
    }
    painter.end();
    picture.setBoundingRect(QRect(QPoint(), area));
    return picture;
}

}  // namespace

void DrawPage(QPainter& painter, const Page& page, const QRectF& printable, double dotsPerInch)
{
    const double scale = std::min({dotsPerInch / kDesignedPixelsPerInch, printable.width() / page.area.width(),
                                   printable.height() / page.area.height()});
    painter.setClipRect(QRectF(printable.topLeft(), QSizeF(page.area) * scale));
    painter.translate(printable.topLeft());
    // Playing a picture scales it by the device's resolution over its own.
    const double played = static_cast<double>(painter.device()->logicalDpiX()) / page.picture.logicalDpiX();
    painter.scale(scale / played, scale / played);
    painter.drawPicture(0, 0, page.picture);
}

WindowPrinter::WindowPrinter(QObject* parent) : QObject(parent) {}

WindowPrinter::~WindowPrinter()
{
    for (QThread* job : std::as_const(m_jobs)) {
        job->wait();
        delete job;
    }
}

void WindowPrinter::Print(QWidget& widget, QSize area, Done done)
{
    Page page{PictureOf(widget, area), area, widget.windowTitle(), std::chrono::steady_clock::now() + kPatience};
    QThread* job = QThread::create([this, page = std::move(page), done = std::move(done)]() mutable {
        const PrintOutcome outcome = SendPage(page);
        QMetaObject::invokeMethod(this, [done = std::move(done), outcome] { done(outcome); }, Qt::QueuedConnection);
    });
    connect(job, &QThread::finished, this, [this, job] {
        m_jobs.removeOne(job);
        job->wait();  // finished comes just before the thread's last instructions
        delete job;
    });
    m_jobs.append(job);
    job->start();
}

}  // namespace platform
