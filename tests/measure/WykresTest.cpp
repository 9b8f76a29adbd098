// The strip chart: pixels of the picture after each operation, checked against the drawing
// rules and against a slow reference drawing made from the values alone.
#include "TestMain.h"

#include "measure/StoredSeries.h"
#include "measure/Wykres.h"
#include "measure/WykresCore.h"

#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QWindow>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {
constexpr int kW = 529;
constexpr int kH = 217;
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kGrid = qRgb(147, 147, 147);
const QRgb kBlack = qRgb(0, 0, 0);

QRgb px(const QImage &img, int x, int y)
{
    return img.pixel(x, y) | 0xff000000u;
}

// Rows of the yellow pixels in column x (rows 1 ... height - 2 only, away from the markers'
// columns this is the plotted point).
std::vector<int> yellowRows(const QImage &img, int x)
{
    std::vector<int> rows;
    for (int y = 1; y < img.height() - 1; ++y) {
        if (px(img, x, y) == kYellow)
            rows.push_back(y);
    }
    return rows;
}

int countColour(const QImage &img, QRgb c, QRect area = QRect())
{
    if (area.isNull())
        area = img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            n += px(img, x, y) == c ? 1 : 0;
    }
    return n;
}

// The chart as the drawing rules describe it, from the shown values (oldest first), drawn
// pixel by pixel. Markers use the same triangle as the control.
QImage referencePicture(int w, int h, const std::vector<double> &shown, double top, double bottom)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            img.setPixel(x, y, edge ? kBlack : kGrey);
        }
    }
    for (int x = 20; x <= w - 4; x += 20) {
        for (int y = 1; y <= h - 2; ++y)
            img.setPixel(x, y, kGrid);
    }
    for (int y = 20; y <= h - 4; y += 20) {
        for (int x = 1; x <= w - 2; ++x)
            img.setPixel(x, y, kGrid);
    }
    bool outside = false;
    for (std::size_t c = 0; c < shown.size(); ++c) {
        const double y = std::nearbyint((shown[c] - bottom) * (h - 3) / (top - bottom));
        if (y < 0 || y >= h - 2)
            outside = true;
        else
            img.setPixel(int(c) + 1, h - 2 - int(y), kYellow);
    }
    if (outside && !shown.empty()) {
        QPainter p(&img);
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(QColor(kYellow));
        if (shown.back() > top) {
            const QPoint t[3] = {{w - 18, 12}, {w - 6, 12}, {w - 12, 6}};
            p.drawPolygon(t, 3);
        } else if (shown.back() < bottom) {
            const QPoint t[3] = {{w - 18, h - 12}, {w - 6, h - 12}, {w - 12, h - 6}};
            p.drawPolygon(t, 3);
        }
    }
    return img;
}

// The values a chart shows after `added` were added since it was cleared, and the value in
// its first ring slot (the one the range starts from).
struct Shown {
    std::vector<double> values;
    double slot1 = 0.0;
};
Shown shownOf(const std::vector<double> &added, int ring)
{
    Shown s;
    const std::size_t n = added.size();
    const std::size_t keep = std::min(n, std::size_t(ring));
    s.values.assign(added.end() - std::ptrdiff_t(keep), added.end());
    s.slot1 = added[((n - 1) / std::size_t(ring)) * std::size_t(ring)];
    return s;
}

QImage autoscaledReference(int w, int h, const std::vector<double> &added, double skala)
{
    const Shown s = shownOf(added, w - 2);
    double mx = s.slot1 + 0.0001;
    double mn = s.slot1 - 0.0001;
    for (double v : s.values) {
        mx = std::max(mx, v);
        mn = std::min(mn, v);
    }
    const double head = (mx - mn) * skala / 100.0;
    return referencePicture(w, h, s.values, mx + head, mn - head);
}

WykresCore mainWindowChart()
{
    WykresCore c(kW, kH);
    c.setMax(0.1);
    c.setSkala(20.0);
    return c;
}
} // namespace

class WykresTest : public QObject {
    Q_OBJECT

private slots:
    void emptyChartHasBorderAndGrid()
    {
        WykresCore c = mainWindowChart();
        const QImage &img = c.image();
        QCOMPARE(img.size(), QSize(kW, kH));
        QCOMPARE(c.RingLength(), 527);
        // Black outline on the outermost pixels, right and bottom edges included.
        QCOMPARE(px(img, 0, 0), kBlack);
        QCOMPARE(px(img, kW - 1, kH - 1), kBlack);
        QCOMPARE(px(img, 20, 0), kBlack);
        QCOMPARE(px(img, 20, kH - 1), kBlack);
        QCOMPARE(px(img, 0, 20), kBlack);
        QCOMPARE(px(img, kW - 1, 20), kBlack);
        // Grid lines run from the first to the last inner pixel.
        QCOMPARE(px(img, 20, 1), kGrid);
        QCOMPARE(px(img, 20, kH - 2), kGrid);
        QCOMPARE(px(img, 1, 20), kGrid);
        QCOMPARE(px(img, kW - 2, 20), kGrid);
        QCOMPARE(px(img, 19, 50), kGrey);
        // 26 vertical lines (20 ... 520) and 10 horizontal ones (20 ... 200).
        std::vector<int> columns;
        for (int x = 0; x < kW; ++x) {
            if (px(img, x, 50) == kGrid)
                columns.push_back(x);
        }
        QCOMPARE(int(columns.size()), 26);
        QCOMPARE(columns.front(), 20);
        QCOMPARE(columns.back(), 520);
        std::vector<int> rows;
        for (int y = 0; y < kH; ++y) {
            if (px(img, 10, y) == kGrid)
                rows.push_back(y);
        }
        QCOMPARE(int(rows.size()), 10);
        QCOMPARE(rows.back(), 200);
        QCOMPARE(countColour(img, kYellow), 0);
    }

    void firstPointLiesMidHeight()
    {
        WykresCore c = mainWindowChart();
        c.AddPoint(5.0);
        QCOMPARE(c.Ilosc(), 1);
        QCOMPARE(c.WritePos(), 1);
        QVERIFY(std::abs(c.Max() - 5.0001) < 1e-12);
        QVERIFY(std::abs(c.Min() - 4.9999) < 1e-12);
        // Drawn over 5 +/- 0.00014: row 217 - 2 - 107.
        QCOMPARE(yellowRows(c.image(), 1), std::vector<int> {108});
        QCOMPARE(countColour(c.image(), kYellow), 1);
    }

    void constantSignalIsFlat()
    {
        WykresCore c = mainWindowChart();
        for (int i = 0; i < 60; ++i)
            c.AddPoint(-3.25);
        for (int x = 1; x <= 60; ++x)
            QCOMPARE(yellowRows(c.image(), x), std::vector<int> {108});
        QCOMPARE(countColour(c.image(), kYellow), 60);
    }

    void halfwayRowsGoToEven()
    {
        // 20 usable steps over 0 ... 10: 0.25, 0.75 and 1.25 fall on 0.5, 1.5 and 2.5.
        WykresCore c(40, 23);
        c.setAutoSkala(false);
        c.setMax(10.0);
        c.setMin(0.0);
        c.AddPoint(0.25);
        c.AddPoint(0.75);
        c.AddPoint(1.25);
        QCOMPARE(yellowRows(c.image(), 1), std::vector<int> {21});
        QCOMPARE(yellowRows(c.image(), 2), std::vector<int> {19});
        QCOMPARE(yellowRows(c.image(), 3), std::vector<int> {19});
    }

    void hugeValuesOfBothSignsAreAllDrawn()
    {
        // The stored series' filter and the chart's range stay finite over +/-1e308.
        double state = 0.0;
        const std::vector<double> series = RefilterStored(
            {QStringLiteral("1e308"), QStringLiteral("-1e308"), QStringLiteral("1e308")}, 0.05,
            state);
        QVERIFY(
            std::all_of(series.begin(), series.end(), [](double v) { return std::isfinite(v); }));
        WykresCore c = mainWindowChart();
        for (const double v : series)
            c.AddPoint(v);
        WykresCore raw = mainWindowChart();
        const double inf = std::numeric_limits<double>::infinity();
        for (const double v : {1e308, -1e308, inf, -inf})
            raw.AddPoint(v);
        QCOMPARE(countColour(c.image(), kYellow), 3);
        QCOMPARE(countColour(raw.image(), kYellow), 4);
    }

    void markersShowWhereTheNewestPointIs()
    {
        WykresCore c = mainWindowChart();
        c.setAutoSkala(false);
        c.setMax(1.0);
        c.setMin(0.0);
        const QRect upArea(kW - 19, 5, 15, 9);
        const QRect downArea(kW - 19, kH - 14, 15, 9);

        c.AddPoint(0.5);
        QCOMPARE(yellowRows(c.image(), 1), std::vector<int> {108});
        QCOMPARE(countColour(c.image(), kYellow, upArea), 0);

        c.AddPoint(2.0);
        QVERIFY(yellowRows(c.image(), 2).empty());
        // Up triangle: black outline through its corners, yellow inside, apex at the top.
        QCOMPARE(px(c.image(), kW - 12, 6), kBlack);
        QCOMPARE(px(c.image(), kW - 18, 12), kBlack);
        QCOMPARE(px(c.image(), kW - 6, 12), kBlack);
        QCOMPARE(px(c.image(), kW - 12, 10), kYellow);
        QCOMPARE(px(c.image(), kW - 12, 5), kGrey);
        QCOMPARE(px(c.image(), kW - 12, 13), kGrey);
        QCOMPARE(countColour(c.image(), kYellow, downArea), 0);

        c.AddPoint(-1.0);
        QVERIFY(yellowRows(c.image(), 3).empty());
        QCOMPARE(countColour(c.image(), kYellow, upArea), 0);
        QCOMPARE(countColour(c.image(), kBlack, upArea), 0);
        QCOMPARE(px(c.image(), kW - 12, kH - 6), kBlack);
        QCOMPARE(px(c.image(), kW - 18, kH - 12), kBlack);
        QCOMPARE(px(c.image(), kW - 6, kH - 12), kBlack);
        QCOMPARE(px(c.image(), kW - 12, kH - 10), kYellow);

        // Older points out of range alone draw no marker.
        c.AddPoint(0.5);
        QCOMPARE(countColour(c.image(), kBlack, upArea), 0);
        QCOMPARE(countColour(c.image(), kBlack, downArea), 0);
        QCOMPARE(countColour(c.image(), kYellow), 2);
    }

    void fullRingScrollsLeft()
    {
        WykresCore c = mainWindowChart();
        c.setAutoSkala(false);
        c.setMax(600.0);
        c.setMin(0.0);
        for (int i = 1; i <= 527; ++i)
            c.AddPoint(i);
        const QImage before = c.image();
        QCOMPARE(c.Ilosc(), 527);
        QCOMPARE(c.WritePos(), 527);

        c.AddPoint(528);
        QCOMPARE(c.Ilosc(), 527);
        QCOMPARE(c.WritePos(), 1);
        QCOMPARE(c.Point(1), 528.0);
        for (int x = 1; x <= 526; ++x)
            QCOMPARE(yellowRows(c.image(), x), yellowRows(before, x + 1));
        const int y = int(std::nearbyint(528.0 * 214 / 600));
        QCOMPARE(yellowRows(c.image(), 527), std::vector<int> {kH - 2 - y});
        QVERIFY(yellowRows(c.image(), 528).empty());
    }

    void setRangeOnlyWithoutAutoscale()
    {
        WykresCore c = mainWindowChart();
        c.AddPoint(3.0);
        c.AddPoint(4.0);
        const QImage before = c.image();
        const double max = c.Max();
        const double min = c.Min();
        c.SetRange(100.0, -100.0);
        QCOMPARE(c.Max(), max);
        QCOMPARE(c.Min(), min);
        QCOMPARE(c.image(), before);

        c.setAutoSkala(false);
        c.SetRange(100.0, -100.0);
        QCOMPARE(c.Max(), 100.0);
        QCOMPARE(c.Min(), -100.0);
        QCOMPARE(yellowRows(c.image(), 1), std::vector<int> {kH - 2 - 110});
        QCOMPARE(yellowRows(c.image(), 2), std::vector<int> {kH - 2 - 111});
    }

    void everyPictureEqualsAFullDrawing()
    {
        WykresCore c = mainWindowChart();
        // A screen that is given only the area each step changed shows the whole picture.
        QImage screen(kW, kH, QImage::Format_RGB32);
        screen.fill(Qt::red);
        auto screenFollows = [&] {
            const QRect changed = c.TakeChangedArea();
            QPainter(&screen).drawImage(changed, c.image(), changed);
            return screen == c.image();
        };
        std::mt19937 rng(7);
        std::normal_distribution<double> step(0.0, 1.0);
        std::vector<double> added;
        double level = 0.0;
        // Autoscaled, through two wraps of the ring, with occasional spikes.
        for (int i = 0; i < 1200; ++i) {
            level += step(rng);
            const double v = i % 97 == 0 ? level + 40.0 : level;
            added.push_back(v);
            c.AddPoint(v);
            if (c.image() != autoscaledReference(kW, kH, added, 20.0))
                QFAIL(qPrintable(QStringLiteral("autoscaled picture differs at point %1").arg(i)));
            if (!screenFollows())
                QFAIL(qPrintable(QStringLiteral("changed area misses pixels at point %1").arg(i)));
        }
        // Manual range, values leaving it on both sides.
        c.setAutoSkala(false);
        c.SetRange(level + 5.0, level - 5.0);
        for (int i = 0; i < 700; ++i) {
            const double v = level + 8.0 * std::sin(i * 0.05);
            added.push_back(v);
            c.AddPoint(v);
            const Shown s = shownOf(added, 527);
            if (c.image() != referencePicture(kW, kH, s.values, level + 5.0, level - 5.0))
                QFAIL(qPrintable(QStringLiteral("manual picture differs at point %1").arg(i)));
            if (!screenFollows())
                QFAIL(qPrintable(QStringLiteral("changed area misses pixels at point %1").arg(i)));
        }
        c.Clear();
        QCOMPARE(c.image(), referencePicture(kW, kH, {}, 1.0, 0.0));
        QVERIFY(screenFollows());
        QVERIFY(c.TakeChangedArea().isEmpty());
        // Markers come and go beside a narrow band of points.
        for (const double v : {0.0, 8.0, 0.0, -8.0, 0.0}) {
            c.AddPoint(level + v);
            QVERIFY(screenFollows());
        }
    }

    void bulkReloadDrawsTheSameAsPointByPoint()
    {
        std::vector<double> series;
        for (int i = 0; i < 1500; ++i)
            series.push_back(std::sin(i * 0.01) * 3.0 + (i % 50 == 0 ? 2.0 : 0.0));
        for (const int start : {1, 200, 974}) {
            WykresCore bulk = mainWindowChart();
            bulk.AddPoint(99.0);
            RedrawStored(bulk, series, start);

            // The same reload point by point, every point drawn.
            WykresCore slow = mainWindowChart();
            slow.AddPoint(99.0);
            slow.Clear();
            slow.setAutoSkala(false);
            slow.setMax(slow.Min() + 0.0001);
            const StoredRedrawRange r = RedrawStoredRange(int(series.size()), start, kW);
            for (int i = r.first; i < r.last; ++i)
                slow.AddPoint(series[std::size_t(i - 1)]);
            slow.setAutoSkala(true);
            slow.AddPoint(series[std::size_t(r.last - 1)]);

            QVERIFY(bulk.AutoSkala());
            QCOMPARE(bulk.Ilosc(), slow.Ilosc());
            QCOMPARE(bulk.WritePos(), slow.WritePos());
            QCOMPARE(bulk.Max(), slow.Max());
            QCOMPARE(bulk.Min(), slow.Min());
            QCOMPARE(bulk.image(), slow.image());
        }
    }

    void oddSizesStayInsideTheStore()
    {
        // Wider than the store: 2000 points, the rest of the width stays background.
        WykresCore wide(2500, 60);
        QCOMPARE(wide.RingLength(), WykresCore::kCapacity);
        for (int i = 0; i < 2100; ++i)
            wide.AddPoint(i % 7);
        QCOMPARE(wide.Ilosc(), WykresCore::kCapacity);
        QCOMPARE(wide.image().width(), 2500);
        QVERIFY(yellowRows(wide.image(), 2001).empty());
        QVERIFY(!yellowRows(wide.image(), 2000).empty());

        for (const QSize size :
            {QSize(1, 1), QSize(2, 2), QSize(3, 3), QSize(4, 4), QSize(30, 5)}) {
            WykresCore tiny(size.width(), size.height());
            for (int i = 0; i < 10; ++i)
                tiny.AddPoint(i);
            QCOMPARE(tiny.image().size(), size);
            QVERIFY(tiny.Ilosc() <= tiny.RingLength());
        }
    }

    void resizeKeepsTheNewestPoints()
    {
        WykresCore c(100, 50);
        c.setSkala(10.0);
        std::vector<double> added;
        for (int i = 1; i <= 150; ++i) {
            added.push_back(i);
            c.AddPoint(i);
        }
        c.Resize(52, 50);
        QCOMPARE(c.RingLength(), 50);
        QCOMPARE(c.Ilosc(), 50);
        QCOMPARE(c.Point(1), 101.0);
        QCOMPARE(c.Point(50), 150.0);
        const std::vector<double> last50(added.end() - 50, added.end());
        QCOMPARE(c.image(), autoscaledReference(52, 50, last50, 10.0));
        c.AddPoint(151);
        QCOMPARE(c.WritePos(), 1);
        QCOMPARE(c.Point(1), 151.0);
    }

    void controlShowsTheCorePicture()
    {
        TWykres w;
        w.resize(kW, kH);
        QVERIFY(w.AutoSkala());
        QVERIFY(w.setProperty("Skala", 20.0));
        QVERIFY(w.setProperty("Max", 0.1));
        QCOMPARE(w.ColorIn(), QColor(128, 128, 128));
        QCOMPARE(w.SiatkaColor(), QColor(147, 147, 147));
        QCOMPARE(w.SiatkaColor().rgb() & 0xffffffu, 0x939393u);
        QCOMPARE(w.Color(), QColor(255, 255, 0));
        w.AddPoint(1.0);
        w.AddPoint(2.0);
        QCOMPARE(w.property("Ilosc").toInt(), 2);
        QCOMPARE(w.image().size(), QSize(kW, kH));
        const QImage shown = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, w.image());

        // A point added for the next paint is drawn by that paint.
        w.AddPointForNextPaint(3.0);
        const QImage painted = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(w.Ilosc(), 3);
        QCOMPARE(painted, w.image());
    }

    // Live points reach the window's backing store as only the pixels they change; what the
    // screen shows must stay the picture, also under a child button, after markers came and
    // went, after a sibling covered the chart and after a paint by grab().
    void theScreenShowsThePictureAfterLivePoints()
    {
        QWidget window;
        window.resize(kW + 20, kH + 20);
        auto *chart = new TWykres(&window);
        chart->setGeometry(10, 10, kW, kH);
        chart->setAutoSkala(false);
        chart->SetRange(2.0, -2.0);
        auto *child = new QToolButton(chart);
        child->setGeometry(4, 188, 25, 25);
        child->setAutoRaise(true);
        auto *cover = new QWidget(&window);
        cover->setAutoFillBackground(true);
        cover->setGeometry(chart->geometry());
        cover->hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Both pictures with the child's place blanked: it shows the button there.
        auto blanked = [&](QImage picture) {
            QPainter(&picture).fillRect(child->geometry(), Qt::white);
            return picture;
        };
        auto screen = [&] {
            return blanked(window.screen()
                    ->grabWindow(window.winId(), 10, 10, kW, kH)
                    .toImage()
                    .convertToFormat(QImage::Format_RGB32));
        };
        std::mt19937 random(7);
        std::uniform_real_distribution<double> noise(-1.0, 1.0);
        for (int step = 0; step < 200; ++step) {
            for (int i = 0; i < 3; ++i)
                chart->AddPointForNextPaint(step > 100 && step < 120 ? 50.0 : noise(random));
            chart->ShowPointsForNextPaint();
            if (step == 60)
                QTest::mouseMove(child);
            if (step == 80)
                cover->show();
            if (step == 90)
                cover->hide();
            if (step == 150)
                (void)chart->grab();
            QCoreApplication::processEvents();
            if (step % 10 == 9 && !cover->isVisible())
                QCOMPARE(screen(), blanked(chart->image()));
        }
    }
};

NERIX_TEST(WykresTest)
#include "WykresTest.moc"
