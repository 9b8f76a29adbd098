// A tool button that keeps its look at rest shows exactly what the style draws.
#include "TestMain.h"

#include "app/RestingToolButton.h"

#include <QPainter>
#include <QTest>

namespace {
QIcon disc(const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setBrush(colour);
    painter.drawEllipse(2, 2, 12, 12);
    return QIcon(pixmap);
}
} // namespace

class RestingToolButtonTest : public QObject {
    Q_OBJECT
private slots:
    void restingLookIsTheStyles()
    {
        QToolButton plain;
        RestingToolButton resting;
        for (QToolButton *button : {&plain, static_cast<QToolButton *>(&resting)}) {
            button->setAutoRaise(true);
            button->setIcon(disc(Qt::red));
            button->resize(25, 25);
        }
        QCOMPARE(resting.grab().toImage(), plain.grab().toImage());
        // A new icon is drawn anew, not taken from the kept picture.
        plain.setIcon(disc(Qt::blue));
        resting.setIcon(disc(Qt::blue));
        QCOMPARE(resting.grab().toImage(), plain.grab().toImage());
        resting.setEnabled(false);
        plain.setEnabled(false);
        QCOMPARE(resting.grab().toImage(), plain.grab().toImage());
    }
};

NERIX_TEST(RestingToolButtonTest)
#include "RestingToolButtonTest.moc"
