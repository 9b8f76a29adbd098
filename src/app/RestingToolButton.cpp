#include "app/RestingToolButton.h"

#include <QPainter>
#include <QStyleOptionToolButton>

void RestingToolButton::paintEvent(QPaintEvent *event)
{
    if (!isEnabled() || isDown() || isChecked() || underMouse() || hasFocus()) {
        QToolButton::paintEvent(event);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    if (resting_.deviceIndependentSize() != QSizeF(size()) || resting_.devicePixelRatio() != ratio
        || restingIcon_ != icon().cacheKey()) {
        resting_ = QPixmap(size() * ratio);
        resting_.setDevicePixelRatio(ratio);
        resting_.fill(Qt::transparent);
        QPainter painter(&resting_);
        QStyleOptionToolButton option;
        initStyleOption(&option);
        style()->drawComplexControl(QStyle::CC_ToolButton, &option, &painter, this);
        restingIcon_ = icon().cacheKey();
    }
    QPainter(this).drawPixmap(0, 0, resting_);
}
