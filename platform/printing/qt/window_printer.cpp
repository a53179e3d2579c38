#include "platform/printing/qt/window_printer.h"

#include "platform/qt/colour_scheme.h"
#include "platform/printing/qt/print_job.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPaintEngine>
#include <QPainter>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <utility>

namespace platform {

namespace {

// How long leaving waits for prints under way, which have been asked not
// to wait on a silent server any more (one the server answers goes on to
// the end): the process is gone within a second. libcups gives up within a
// tenth of a second of being asked, except against a server that holds its
// connections, where it retries the request on a new one with waits of its
// own that nothing can shorten.
constexpr std::chrono::milliseconds kLeaving{750};

// The widget's area as drawing commands. Each child is drawn at its place
// on its own, so children outside a shrunken window are on the page too;
// the stacking order is the children's order.
QPicture PictureOf(QWidget& widget, QSize area)
{
    // The page is the designed light window whatever the screen shows
    // (a Windows high-contrast theme would print a black block).
    const DesignedLook designed(widget);
    QPicture picture;
    QPainter painter(&picture);
    painter.fillRect(QRect(QPoint(), area), widget.palette().window());
    for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // Events a control has queued for itself (a label measuring its
        // caption) are delivered before its picture, not left to the loop.
        QCoreApplication::sendPostedEvents(child, 0);
        if (!child->isWindow() && !child->isHidden()) {
            child->render(&painter, child->pos(), QRegion(), QWidget::DrawChildren);
        }
    }
    painter.end();
    picture.setBoundingRect(QRect(QPoint(), area));
    return picture;
}

}  // namespace

bool PaintingAPage(QPainter& painter)
{
    return painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Picture;
}

WindowPrinter::WindowPrinter(QObject* parent, Sender send, std::chrono::milliseconds patience,
                             std::chrono::milliseconds grace)
    : QObject(parent), m_send(std::move(send)), m_patience(patience), m_grace(grace)
{
    PrepareSender();
}

WindowPrinter::~WindowPrinter()
{
    m_leaving.request_stop();
    const QDeadlineTimer leavingEnds(kLeaving);
    for (QThread* job : std::as_const(m_jobs)) {
        // A thread still inside a print system that cannot be stopped (Qt's
        // printer, libcups retrying) cannot be deleted either; it is left
        // to end with the program, holding its own copy of the page.
        if (job->wait(leavingEnds)) {
            delete job;
        }
    }
}

void WindowPrinter::Print(QWidget& widget, QSize area, Done done)
{
    Page page{PictureOf(widget, area), area, widget.windowTitle(), std::chrono::steady_clock::now() + m_patience,
              m_leaving.get_token()};
    struct Report final {
        PrintOutcome outcome = PrintOutcome::SendFailed;  // written by the worker, read once it has finished
        bool told = false;
        Done done;
    };
    auto report = std::make_shared<Report>();
    report->done = std::move(done);
    const auto tell = [report](PrintOutcome outcome) {
        if (!std::exchange(report->told, true)) {
            report->done(outcome);
        }
    };

    // Lives as long as the job: a hung job keeps it until this object goes.
    auto* watchdog = new QTimer(this);
    watchdog->setSingleShot(true);
    // Past it, the job is still inside the print system, which may yet print it.
    connect(watchdog, &QTimer::timeout, this, [tell] { tell(PrintOutcome::Unsettled); });

    QThread* job = QThread::create([send = m_send, page = std::move(page), report] { report->outcome = send(page); });
    connect(job, &QThread::finished, this, [this, job, watchdog, report, tell] {
        m_jobs.removeOne(job);
        job->wait();  // finished comes just before the thread's last instructions
        delete job;
        delete watchdog;
        tell(report->outcome);
    });
    watchdog->start(m_patience + m_grace);
    m_jobs.append(job);
    job->start();
}

}  // namespace platform
