// The reading labels draw their texts exactly as QLabel does.
#include "TestMain.h"

#include "app/ReadingLabel.h"

#include <QTest>

class ReadingLabelTest : public QObject {
    Q_OBJECT
private slots:
    void samePictureAsQLabel_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QString>("text");
        for (const int pixels : {32, 18}) {
            for (const char *text : {"- 12.34 mT", "-  123.45 mT", "  30000 Gs", " - 12.34 kA/m",
                     "   5.00 mT", "   23.4  C", "  - 0.13", "brak sondy", "no probe", ""})
                QTest::addRow("%dpx '%s'", pixels, text) << pixels << QString::fromLatin1(text);
        }
    }

    void samePictureAsQLabel()
    {
        QFETCH(int, pixels);
        QFETCH(QString, text);
        QFont font(QStringLiteral("DejaVu Sans Condensed"));
        font.setPixelSize(pixels);
        font.setBold(true);
        QLabel plain;
        ReadingLabel reading;
        for (QLabel *label : {&plain, static_cast<QLabel *>(&reading)}) {
            label->setFont(font);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setAutoFillBackground(true);
            label->resize(201, 42);
            label->setText(text);
        }
        QCOMPARE(reading.grab().toImage(), plain.grab().toImage());
    }
};

NERIX_TEST(ReadingLabelTest)
#include "ReadingLabelTest.moc"
