#include "core/WidgetColours.h"

#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

void setTextColour(QWidget *widget, const QColor &colour)
{
    if (widget->palette().color(QPalette::WindowText) == colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setButtonColours(QWidget *button, const QColor &face, const QColor &caption)
{
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        fusion->setParent(button);
        button->setStyle(fusion);
    }
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::ButtonText, caption);
    button->setPalette(palette);
}
