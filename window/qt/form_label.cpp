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
    if (!m_mark.isEmpty()) {
        setAccessibleName(Record());
    }
    FitCaption();
}

void FormLabel::SetMark(const QString& mark)
{
    m_mark = mark;
    // Unnamed, a label is heard by its caption.
    setAccessibleName(m_mark.isEmpty() ? QString() : Record());
    FitCaption();
    update();
}

QString FormLabel::Record() const
{
    return text() + m_mark;
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
    m_drawnFont = font();
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
    int bottom = laidOut.bottom() + 1;
    if (!m_mark.isEmpty()) {
        m_markTop = bottom;
        const QRect below(0, m_markTop, m_box.width(), m_box.height());
        bottom += QFontMetrics(MarkFont(), this).boundingRect(below, static_cast<int>(alignment()) | Qt::TextWordWrap, m_mark).height();
    }
    m_drawnFont = DrawnFont();
    setGeometry(m_box.adjusted(-reach, -reach, reach, std::max(0, bottom - m_box.height()) + reach));
}

QFont FormLabel::MarkFont() const
{
    QFont mark = font();
    mark.setPointSizeF(font().pointSizeF() * 2 / 3);
    mark.setBold(false);
    return mark;
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
    painter.setFont(m_drawnFont);
    if (m_filled) {
        painter.fillRect(BoxInside(), palette().brush(backgroundRole()));
    }
    const int flags = static_cast<int>(alignment()) | Qt::TextWordWrap;
    if (m_mark.isEmpty()) {
        style()->drawItemText(&painter, TextRect(), flags, palette(), isEnabled(), text(), foregroundRole());
        return;
    }
    // Muted: half way from the caption's colour to what lies behind it,
    // so it still reads (blue on the designed grey: 3.1 : 1), in any scheme.
    // The mark is in the palette's plain text colour (black on the designed
    // grey), the clearest a small face can have.
    QPalette muted = palette();
    const QColor shown = muted.color(foregroundRole());
    const QColor behind = muted.color(backgroundRole());
    muted.setColor(foregroundRole(), QColor((shown.red() + behind.red()) / 2, (shown.green() + behind.green()) / 2,
                                            (shown.blue() + behind.blue()) / 2));
    style()->drawItemText(&painter, TextRect(), flags, muted, isEnabled(), text(), foregroundRole());
    painter.setFont(MarkFont());
    QRect mark = BoxInside();
    mark.setTop(mark.top() + m_markTop);
    mark.setBottom(height() - 1);
    style()->drawItemText(&painter, mark, flags, palette(), isEnabled(), m_mark, QPalette::Text);
}

}  // namespace window::qt
