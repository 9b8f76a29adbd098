#include "app/ReadingLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

const ReadingLabel::Character &ReadingLabel::character(QChar c)
{
    auto it = characters_.find(c);
    if (it == characters_.end()) {
        Character laidOut {QStaticText {QString(c)}, QFontMetricsF(font()).horizontalAdvance(c)};
        laidOut.text.setTextFormat(Qt::PlainText);
        laidOut.text.prepare(QTransform(), font());
        it = characters_.insert(c, laidOut);
    }
    return *it;
}

void ReadingLabel::paintEvent(QPaintEvent *event)
{
    const QString shown = text();
    if (alignment() != (Qt::AlignRight | Qt::AlignVCenter) || textFormat() == Qt::RichText
        || frameWidth() != 0 || indent() > 0 || margin() != 0 || !isEnabled()
        || shown.contains(u'\n') || shown.contains(u'&')) {
        QLabel::paintEvent(event);
        return;
    }
    qreal width = 0;
    for (const QChar c : shown)
        width += character(c).advance;
    const QRectF area = contentsRect();
    const qreal lineHeight = character(u'0').text.size().height();
    QPointF at(area.right() - width, area.top() + (area.height() - lineHeight) / 2.0);
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    for (const QChar c : shown) {
        const Character &laidOut = character(c);
        painter.drawStaticText(at, laidOut.text);
        at.rx() += laidOut.advance;
    }
}

void ReadingLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        characters_.clear();
    QLabel::changeEvent(event);
}
