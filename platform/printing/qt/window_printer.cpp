#include "platform/printing/qt/window_printer.h"

#include "platform/qt/colour_scheme.h"
#include "platform/printing/qt/print_job.h"

#include <QDeadlineTimer>
#include <QPainter>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <utility>

namespace platform {

namespace {

// How long past its patience a print may take to report before it is told
// as unanswered: room for a print system that gives up at the deadline
// itself, while the user still hears within 15 s of the press.
constexpr std::chrono::milliseconds kGrace{2'000};

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
        if (!child->isWindow() && !child->isHidden()) {
            child->render(&painter, child->pos(), QRegion(), QWidget::DrawChildren);
        }
    }
    painter.end();
    picture.setBoundingRect(QRect(QPoint(), area));
    return picture;
}

}  // namespace

WindowPrinter::WindowPrinter(QObject* parent, Sender send, std::chrono::milliseconds patience)
    : QObject(parent), m_send(std::move(send)), m_patience(patience)
{
    PrepareSender();
}

WindowPrinter::~WindowPrinter()
{
    const QDeadlineTimer patienceEnds(m_patience + kGrace);
    for (QThread* job : std::as_const(m_jobs)) {
        // A thread still inside the print system cannot be stopped or
        // deleted; it is left to end with the program.
        if (job->wait(patienceEnds)) {
            delete job;
        }
    }
}

void WindowPrinter::Print(QWidget& widget, QSize area, Done done)
{
    Page page{PictureOf(widget, area), area, widget.windowTitle(), std::chrono::steady_clock::now() + m_patience};
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
    connect(watchdog, &QTimer::timeout, this, [tell] { tell(PrintOutcome::NoAnswer); });

    QThread* job = QThread::create([send = m_send, page = std::move(page), report] { report->outcome = send(page); });
    connect(job, &QThread::finished, this, [this, job, watchdog, report, tell] {
        m_jobs.removeOne(job);
        job->wait();  // finished comes just before the thread's last instructions
        delete job;
        delete watchdog;
        tell(report->outcome);
    });
    watchdog->start(m_patience + kGrace);
    m_jobs.append(job);
    job->start();
}

}  // namespace platform
