#include "app/ReadingLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

const QStaticText &ReadingLabel::character(QChar c)
{
    auto it = characters_.find(c);
    if (it == characters_.end()) {
        QStaticText text {QString(c)};
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), font());
        it = characters_.insert(c, text);
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
    const QFontMetricsF metrics(font());
    qreal width = 0;
    for (const QChar c : shown)
        width += metrics.horizontalAdvance(c);
    const QRectF area = contentsRect();
    const qreal lineHeight = character(u'0').size().height();
    QPointF at(area.right() - width, area.top() + (area.height() - lineHeight) / 2.0);
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    for (const QChar c : shown) {
        painter.drawStaticText(at, character(c));
        at.rx() += metrics.horizontalAdvance(c);
    }
}

void ReadingLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        characters_.clear();
    QLabel::changeEvent(event);
}
