#include "platform/qt/window_printer.h"

#include "platform/qt/print_job.h"

#include <QPainter>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <memory>

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
    // Written by the worker, read here once it has finished.
    auto outcome = std::make_shared<PrintOutcome>(PrintOutcome::SendFailed);
    QThread* job = QThread::create([page = std::move(page), outcome] { *outcome = SendPage(page); });
    connect(job, &QThread::finished, this, [this, job, outcome, done = std::move(done)] {
        m_jobs.removeOne(job);
        job->wait();  // finished comes just before the thread's last instructions
        delete job;
        done(*outcome);
    });
    m_jobs.append(job);
    job->start();
}

}  // namespace platform
