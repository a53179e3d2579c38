#include "window/qt/form_label.h"

#include "platform/qt/fonts.h"

#include <QPainter>
#include <QStyle>

namespace window::qt {

FormLabel::FormLabel(const QString& caption, bool centred, QWidget* parent) : QLabel(caption, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setMargin(0);
    setIndent(0);
    setAlignment(Qt::AlignTop | (centred ? Qt::AlignHCenter : Qt::AlignLeft));
}

void FormLabel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, -platform::ExcessAscent(font()), 0, 0);
    style()->drawItemText(&painter, box, static_cast<int>(alignment()) | Qt::TextWordWrap, palette(),
                          isEnabled(), text(), foregroundRole());
}

}  // namespace window::qt
