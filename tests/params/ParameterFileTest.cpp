// The parameter file's bytes: 26 texts in order, CR LF, and what a damaged file gives.
#include "params/ParameterFile.h"
#include "TestMain.h"

#include "core/Windows1250.h"

#include <QTest>

namespace {
ParameterTexts numbered()
{
    ParameterTexts texts;
    for (std::size_t i = 0; i < ParameterCount; ++i)
        texts.line(i) = QString::number(i + 1);
    return texts;
}

QByteArray numberedBytes(int lines)
{
    QByteArray bytes;
    for (int i = 1; i <= lines; ++i)
        bytes += QByteArray::number(i) + "\r\n";
    return bytes;
}
} // namespace

class ParameterFileTest : public QObject {
    Q_OBJECT

private slots:
    void emptyPanelIs26EmptyLines()
    {
        QCOMPARE(ParameterFileBytes(ParameterTexts {}), QByteArray("\r\n").repeated(26));
    }

    void linesInTheirOrder()
    {
        QCOMPARE(ParameterFileBytes(numbered()), numberedBytes(26));
        const ParameterTexts texts = numbered();
        QCOMPARE(texts[ParameterField::SondyAxialAc2], QStringLiteral("4"));
        QCOMPARE(texts[ParameterField::Stala], QStringLiteral("9"));
        QCOMPARE(texts[ParameterField::FazaRange2], QStringLiteral("23"));
        QCOMPARE(texts[ParameterField::WzmocnienieFiltruTemp], QStringLiteral("26"));
    }

    void roundTripKeepsTextsAsTyped()
    {
        ParameterTexts texts = numbered();
        texts[ParameterField::SondyAxialDc1] = QStringLiteral("0,30518");
        texts[ParameterField::SondyAxialAc2] = QStringLiteral("-0,5");
        texts[ParameterField::NumerSeryjnyMiernika] = QString::fromUtf8("Ł-007");
        texts[ParameterField::WKor] = QStringLiteral(" 0.1 ");
        texts[ParameterField::OKor] = QString();
        const QByteArray bytes = ParameterFileBytes(texts);
        QVERIFY(bytes.contains("0,30518\r\n"));
        QCOMPARE(ParseParameterFile(bytes), std::optional<ParameterTexts>(texts));
    }

    void lineBreakInsideATextDoesNotShiftTheFile()
    {
        ParameterTexts texts;
        texts.line(0) = QStringLiteral("1\r\n2");
        const QByteArray bytes = ParameterFileBytes(texts);
        QCOMPARE(bytes.count("\r\n"), 26);
        QCOMPARE(ParseParameterFile(bytes)->line(0), QStringLiteral("12"));
    }

    void shortFileEmptiesTheFieldsWithoutALine()
    {
        const std::optional<ParameterTexts> texts = ParseParameterFile(numberedBytes(3));
        QVERIFY(texts);
        QCOMPARE(texts->line(2), QStringLiteral("3"));
        for (std::size_t i = 3; i < ParameterCount; ++i)
            QVERIFY(texts->line(i).isEmpty());
        QCOMPARE(
            ParseParameterFile(QByteArray()), std::optional<ParameterTexts>(ParameterTexts {}));
    }

    void linesAfterThe26thAreIgnored()
    {
        QCOMPARE(ParseParameterFile(numberedBytes(40)), std::optional<ParameterTexts>(numbered()));
    }

    void otherLineEnds()
    {
        // LF alone, and a last line without a line end.
        QByteArray bytes = numberedBytes(26).replace("\r\n", "\n");
        bytes.chop(1);
        QCOMPARE(ParseParameterFile(bytes), std::optional<ParameterTexts>(numbered()));
        // An empty line empties its field.
        const std::optional<ParameterTexts> texts = ParseParameterFile("1\r\n\r\n3\r\n");
        QCOMPARE(texts->line(1), QString());
        QCOMPARE(texts->line(2), QStringLiteral("3"));
    }

    void polishLettersInWindows1250()
    {
        // An older installation's file: "Łódź" in Windows-1250 is not UTF-8.
        const QByteArray lodz("\xA3\xF3\x64\x9F");
        QCOMPARE(ParseParameterFile("0,5\r\n" + lodz + "\r\n")->line(1), QString::fromUtf8("Łódź"));

        // Written so again; "Ęś" in Windows-1250 (CA 9C) would read as another UTF-8
        // character, and "Ω" has no Windows-1250 byte: both go out as UTF-8.
        const struct {
            const char *serial;
            QByteArray bytes;
        } cases[] = {{"Łódź", lodz}, {"Ęś", "Ęś"}, {"Ω", "Ω"}};
        for (const auto &c : cases) {
            ParameterTexts texts = numbered();
            texts[ParameterField::NumerSeryjnyMiernika] = QString::fromUtf8(c.serial);
            const QByteArray bytes = ParameterFileBytes(texts);
            QVERIFY2(bytes.contains("\r\n" + c.bytes + "\r\n"), c.serial);
            QCOMPARE(ParseParameterFile(bytes), std::optional<ParameterTexts>(texts));
        }

        // Every byte has its character and back.
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        QCOMPARE(ToWindows1250(FromWindows1250(all)), std::optional<QByteArray>(all));
    }

    void binaryJunkIsNoParameterFile()
    {
        QVERIFY(!ParseParameterFile(QByteArray("0,5\r\n\0\x01\x02\r\n", 9)));
        QVERIFY(!ParseParameterFile(QByteArray("\x7F"
                                               "ELF\x02\x01")));
        QVERIFY(!ParseParameterFile(QByteArray(MaxParameterFileBytes + 1, '1')));
        QVERIFY(ParseParameterFile(QByteArray("a\tb\r\n")));
    }
};

NERIX_TEST(ParameterFileTest)
#include "ParameterFileTest.moc"
