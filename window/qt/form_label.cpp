#include "window/qt/form_label.h"

#include "platform/qt/fonts.h"

#include <QEvent>
#include <QCoreApplication>
#include <QFontInfo>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace window::qt {

FormLabel::FormLabel(const QString& caption, bool centred, bool filled, QWidget* parent)
    : QLabel(caption, parent), m_filled(filled)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setMargin(0);
    setIndent(0);
    setAlignment(Qt::AlignTop | (centred ? Qt::AlignHCenter : Qt::AlignLeft));
    // Labels answer no clicks; one that runs on below its box must not take
    // them from what lies there.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FormLabel::SetBox(const QRect& box)
{
    m_box = box;
    FitCaption();
}

void FormLabel::SetCaption(const QString& caption)
{
    setText(caption);
    FitCaption();
}

QRect FormLabel::BoxInside() const
{
    return m_box.translated(-pos());
}

QRect FormLabel::TextRect() const
{
    QRect text = BoxInside().adjusted(0, -platform::ExcessAscent(font()), 0, 0);
    text.setBottom(height() - 1);  // the lines that run on below the box
    return text;
}

int FormLabel::Reach() const
{
    // Synthetic bold, italic slant and tall glyphs reach past a face's line
    // box by a fraction of the em; a quarter of it covers them. The em comes
    // from the point size and the screen, so no face is opened for it.
    return qRound(font().pointSizeF() * logicalDpiY() / 72.0) / 4 + 1;
}

void FormLabel::FitCaption()
{
    if (isVisible()) {
        MeasureCaption();
        return;
    }
    // Measuring opens the caption's face, which before the window is shown
    // would hold up its mapping: the event loop measures it next, and until
    // then the label has a box's height more below. A picture taken sooner
    // has the measuring done first (WindowPrinter sends a control's queued
    // work before drawing it).
    const int reach = Reach();
    setGeometry(m_box.adjusted(-reach, -reach, reach, m_box.height() + reach));
    if (!std::exchange(m_measureQueued, true)) {
        QCoreApplication::postEvent(this, new QEvent(MeasureEvent()));
    }
}

QEvent::Type FormLabel::MeasureEvent()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool FormLabel::event(QEvent* event)
{
    if (event->type() == MeasureEvent()) {
        m_measureQueued = false;
        MeasureCaption();
        return true;
    }
    return QLabel::event(event);
}

void FormLabel::MeasureCaption()
{
    const int reach = Reach();
    // Laid out in the box: 14.25 pt "(0.01D STEP)" takes a 19 px line in a
    // 17 px box, the three lines of Label2 take 42 px of its 41.
    const QRect inBox = QRect(QPoint(), m_box.size()).adjusted(0, -platform::ExcessAscent(font()), 0, 0);
    const QRect laidOut =
        fontMetrics().boundingRect(inBox, static_cast<int>(alignment()) | Qt::TextWordWrap, text());
    const int below = std::max(0, laidOut.bottom() + 1 - m_box.height());
    setGeometry(m_box.adjusted(-reach, -reach, reach, below + reach));
}

QFont FormLabel::DrawnFont() const
{
    // A caption with nowhere to break that is wider than the box (a long
    // entry, "12345678_") would be cut at the widget's edges or reach under
    // the column heading: it is drawn just small enough to fit the box, a
    // quarter em in from each side. Every designed caption fits as it is.
    QFont drawn = font();
    const int width = m_box.width();
    const auto laidOutWidth = [this, width](const QFont& face) {
        return QFontMetrics(face, this)
            .boundingRect(QRect(0, 0, width, m_box.height()), static_cast<int>(alignment()) | Qt::TextWordWrap, text())
            .width();
    };
    int wide = laidOutWidth(drawn);
    if (wide <= width) {
        return drawn;
    }
    const double target = width - drawn.pointSizeF() * logicalDpiX() / 72.0 / 2.0;
    for (int tries = 0; tries < 4 && wide > target; ++tries) {
        drawn.setPointSizeF(drawn.pointSizeF() * target / wide);
        wide = laidOutWidth(drawn);
    }
    return drawn;
}

void FormLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitCaption();
    }
}

void FormLabel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setFont(DrawnFont());
    if (m_filled) {
        painter.fillRect(BoxInside(), palette().brush(backgroundRole()));
    }
    style()->drawItemText(&painter, TextRect(), static_cast<int>(alignment()) | Qt::TextWordWrap, palette(),
                          isEnabled(), text(), foregroundRole());
}

}  // namespace window::qt
