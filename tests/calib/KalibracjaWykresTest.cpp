// The chart tab: the evaluation chain's messages, the meter's equation shown whole, the notice,
// the lines of a set without a positive reference value, and the point labels staying at their
// points.
#include "calib/KalibracjaWykres.h"
#include "TestMain.h"
#include "calib/ChartView.h"
#include "calib/Evaluation.h"
#include "calib/SampleGrid.h"
#include "calib/SampleTable.h"
#include "common/MessageCatcher.h"

#include <QChart>
#include <QLabel>
#include <QTest>
#include <QValueAxis>
#include <QXYSeries>

namespace {
struct Pieces {
    SampleTable table;
    QWidget owner;
    SampleGrid grid {table};
    KalibracjaWykres chart {table, &owner};

    Pieces()
    {
        owner.resize(600, 400);
        chart.resize(600, 400);
        owner.show();
    }
    void registerAll(std::initializer_list<std::pair<double, double>> samples)
    {
        for (const auto &[uwz, ucal] : samples)
            table.Register(uwz, ucal);
    }
    void evaluate() { StartClick(table, grid, chart, &owner); }
};

// Dark pixels of label text just above where the chart puts point `p` of series `s`.
bool labelAbove(ChartView *view, int s, const QPointF &p)
{
    const QPoint at = view->mapFromScene(view->chart()->mapToPosition(p, view->Series(s)));
    const QImage image = view->viewport()->grab().toImage();
    int dark = 0;
    for (int y = at.y() - 18; y < at.y() - 2; ++y) {
        for (int x = at.x() - 20; x <= at.x() + 20; ++x) {
            if (image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 60)
                ++dark;
        }
    }
    return dark > 5;
}
} // namespace

class KalibracjaWykresTest : public QObject {
    Q_OBJECT

private slots:
    void allAlikeShowsTheMessageForEachFit()
    {
        Pieces c;
        c.registerAll({{10, 20}, {20, 40}});
        c.evaluate();
        c.table.Reset();
        c.registerAll({{5, 7}, {5, 9}});
        MessageCatcher messages;
        c.evaluate();
        QCOMPARE(messages.texts(),
            QStringList(
                {"zle albo wszystkie takie same dane", "zle albo wszystkie takie same dane"}));
        QCOMPARE(c.table.WspA(), 2.0);
        QCOMPARE(c.chart.kWykresLabel4->text(), QStringLiteral("y = 2.000 * x + 0"));
    }

    void theMeterEquationIsShownWhole()
    {
        Pieces c;
        c.registerAll({{10, 12.00654}, {20, 24.00654}});
        c.evaluate();
        QLabel *label = c.chart.kWykresLabel4;
        QCOMPARE(label->text(), QStringLiteral("y = 1.200 * x + 0.00654"));
        QTRY_VERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
    }

    void noticeWhileFewerThanTwoSamples()
    {
        Pieces c;
        c.registerAll({{10, 12}});
        ShowChartOrNotice(c.table, c.grid, c.chart, &c.owner);
        QVERIFY(c.chart.BrakSerii->isVisible());
        QCOMPARE(c.chart.BrakSerii->text(), QString::fromUtf8("   Brak serii pomiarów!   "));
        const QRect notice = c.chart.BrakSerii->geometry();
        QVERIFY(qAbs(notice.center().x() - c.chart.kChart1->width() / 2) <= 1);
        for (int s = 0; s < ChartView::kSeries; ++s)
            QCOMPARE(c.chart.kChart1->Series(s)->count(), 0);
        c.registerAll({{20, 22}});
        ShowChartOrNotice(c.table, c.grid, c.chart, &c.owner);
        QVERIFY(!c.chart.BrakSerii->isVisible());
        QCOMPARE(c.chart.kChart1->Series(KalibracjaWykres::WzorPunkty)->count(), 2);
    }

    void allNegativeReferencesDrawTheLinesAtTheOrigin()
    {
        Pieces c;
        c.registerAll({{-10, -12}, {-20, -22}});
        c.evaluate();
        for (int s : {KalibracjaWykres::WzorLiniowa, KalibracjaWykres::KalibrowanyLiniowa}) {
            const QList<QPointF> line = c.chart.kChart1->Series(s)->points();
            QCOMPARE(line.size(), 2);
            QCOMPARE(line[0].x(), 0.0);
            QCOMPARE(line[1].x(), 0.0);
        }
        QCOMPARE(c.chart.kChart1->Series(KalibracjaWykres::WzorLiniowa)->points()[1].y(), 0.0);
    }

    void labelsStayAtTheirPoints()
    {
        Pieces c;
        c.registerAll({{10, 12}, {20, 22}, {30, 32}});
        c.evaluate();
        ChartView *view = c.chart.kChart1;
        const int s = KalibracjaWykres::WzorPunkty;
        QCOMPARE(view->Labels(s), QStringList({"10.000", "20.000", "30.000"}));
        for (const QPointF p : {QPointF(10, 10), QPointF(30, 30)})
            QTRY_VERIFY(labelAbove(view, s, p));

        c.owner.resize(900, 520);
        c.chart.resize(900, 520);
        for (const QPointF p : {QPointF(10, 10), QPointF(30, 30)})
            QTRY_VERIFY(labelAbove(view, s, p));

        // A rubber band around the middle point, then a double click to undo it.
        const double xMax = view->AxisX()->max();
        const QPoint from = view->mapFromScene(view->chart()->mapToPosition(QPointF(15, 15)));
        const QPoint to = view->mapFromScene(view->chart()->mapToPosition(QPointF(25, 25)));
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(from.x(), to.y()));
        QMouseEvent move(QEvent::MouseMove, QPointF(to.x(), from.y()),
            view->viewport()->mapToGlobal(QPointF(to.x(), from.y())), Qt::NoButton, Qt::LeftButton,
            {});
        QApplication::sendEvent(view->viewport(), &move);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(to.x(), from.y()));
        QVERIFY(view->Zoomed());
        QVERIFY(view->AxisX()->max() < 26);
        QTRY_VERIFY(labelAbove(view, s, QPointF(20, 20)));

        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->viewport()->rect().center());
        QVERIFY(!view->Zoomed());
        QCOMPARE(view->AxisX()->max(), xMax);
    }
};

NERIX_TEST(KalibracjaWykresTest)
#include "KalibracjaWykresTest.moc"
