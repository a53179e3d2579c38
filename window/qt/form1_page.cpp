#include "window/qt/form1_page.h"

#include "platform/qt/colour_scheme.h"

#include <QCoreApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

namespace window::qt {

QPicture PageOf(QWidget& window, QSize area)
{
    // A Windows high-contrast theme would print a black block.
    const platform::DesignedLook designed(window);
    QPicture picture;
    QPainter painter(&picture);
    painter.fillRect(QRect(QPoint(), area), window.palette().window());
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
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

bool PaintingThePage(QPainter& painter)
{
    return painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Picture;
}

}  // namespace window::qt
