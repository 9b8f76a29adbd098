#include "app/FittedCaption.h"

#include <QAbstractButton>

void fitCaption(QAbstractButton *box)
{
    if (box->sizeHint().width() <= box->width())
        return;
    QFont condensed = box->font();
    condensed.setFamily(QStringLiteral("DejaVu Sans Condensed"));
    box->setFont(condensed);
}
