#include "calib/KalibracjaWykres.h"
#include "calib/ChartView.h"
#include "calib/SampleText.h"
#include "core/Colours.h"
#include "core/Named.h"

#include <QChart>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineSeries>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {
using namespace Colours;
constexpr int kPanelWidth = 150;

QCheckBox *seriesBox(
    QWidget *parent, const char *name, const char *caption, const QColor &colour, bool ticked)
{
    auto *box = named(new QCheckBox(QString::fromUtf8(caption), parent), name);
    QPalette palette = box->palette();
    palette.setColor(QPalette::WindowText, colour);
    box->setPalette(palette);
    box->setChecked(ticked);
    return box;
}

// Margins of the chart in hundredths of its size: left, top, right, bottom.
struct Margins {
    int left, top, right, bottom;
};
constexpr Margins kAxesShown {0, 5, 3, 0};
constexpr Margins kAxesHidden {-8, 0, 0, -6};
} // namespace

SpinButton::SpinButton(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Up = new QToolButton(this);
    Up->setArrowType(Qt::UpArrow);
    Down = new QToolButton(this);
    Down->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {Up, Down}) {
        b->setFixedSize(18, 11);
        layout->addWidget(b);
    }
}

KalibracjaWykres::KalibracjaWykres(SampleTable &table, QWidget *parent)
    : QWidget(parent)
    , table_(table)
{
    setObjectName(QStringLiteral("KalibracjaWykres"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    kChart1 = new ChartView(this);
    layout->addWidget(kChart1, 1);
    connect(kChart1, &ChartView::DoubleClicked, this, &KalibracjaWykres::kChart1DblClick);
    kChart1->installEventFilter(this);

    BrakSerii
        = named(new QLabel(QString::fromUtf8("   Brak serii pomiarów!   "), kChart1), "BrakSerii");
    QFont bold = BrakSerii->font();
    bold.setBold(true);
    BrakSerii->setFont(bold);
    BrakSerii->setAutoFillBackground(true);
    QPalette notice = BrakSerii->palette();
    notice.setColor(QPalette::Window, kGrey);
    notice.setColor(QPalette::WindowText, kRed);
    BrakSerii->setPalette(notice);
    BrakSerii->adjustSize();
    BrakSerii->hide();

    kWykresPanel = named(new QWidget(this), "kWykresPanel");
    // At least kPanelWidth, and wide enough for the whole equation of the meter's line.
    kWykresPanel->setMinimumWidth(kPanelWidth);
    kWykresPanel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    kWykresPanel->setAutoFillBackground(true);
    QPalette grey = kWykresPanel->palette();
    grey.setColor(QPalette::Window, kGrey);
    kWykresPanel->setPalette(grey);
    layout->addWidget(kWykresPanel);

    auto *side = new QVBoxLayout(kWykresPanel);
    side->setContentsMargins(6, 6, 4, 6);
    side->setSpacing(3);
    kWykresCheckBox1 = seriesBox(kWykresPanel, "kWykresCheckBox1", "Wzorzec", kYellow, true);
    kWykresCheckBox2
        = seriesBox(kWykresPanel, "kWykresCheckBox2", "Wzorzec liniowy", kYellow, true);
    kWykresCheckBox3 = seriesBox(kWykresPanel, "kWykresCheckBox3", "Kalibrowany", kLime, true);
    kWykresCheckBox4
        = seriesBox(kWykresPanel, "kWykresCheckBox4", "Kalibrowany liniowy", kLime, true);
    kWykresCheckBox5 = seriesBox(kWykresPanel, "kWykresCheckBox5", "Po zmianie", kAqua, false);
    kWykresCheckBox6
        = seriesBox(kWykresPanel, "kWykresCheckBox6", "Po zmianie liniowy", kAqua, false);
    kWykresCheckBox7
        = named(new QCheckBox(QString::fromUtf8("Pokaż osie"), kWykresPanel), "kWykresCheckBox7");
    kWykresCheckBox7->setChecked(true);
    for (QCheckBox *box : {kWykresCheckBox1, kWykresCheckBox2, kWykresCheckBox3, kWykresCheckBox4,
             kWykresCheckBox5, kWykresCheckBox6, kWykresCheckBox7})
        side->addWidget(box);
    connect(kWykresCheckBox1, &QCheckBox::clicked, this, &KalibracjaWykres::kWykresCheckBox1Click);
    connect(kWykresCheckBox2, &QCheckBox::clicked, this, &KalibracjaWykres::kWykresCheckBox2Click);
    connect(kWykresCheckBox3, &QCheckBox::clicked, this, &KalibracjaWykres::kWykresCheckBox3Click);
    connect(kWykresCheckBox4, &QCheckBox::clicked, this, &KalibracjaWykres::kWykresCheckBox4Click);
    connect(kWykresCheckBox5, &QCheckBox::clicked, this, &KalibracjaWykres::kWykresCheckBox5Click);
    connect(kWykresCheckBox6, &QCheckBox::clicked, this, &KalibracjaWykres::kWykresCheckBox6Click);
    connect(kWykresCheckBox7, &QCheckBox::clicked, this, &KalibracjaWykres::kWykresCheckBox7Click);

    side->addSpacing(12);
    const auto label = [this, side](const char *name, const char *text) {
        auto *l = named(new QLabel(QString::fromUtf8(text), kWykresPanel), name);
        side->addWidget(l);
        return l;
    };
    kWykresLabel1 = label("kWykresLabel1", "Rownanie wzorcowe");
    kWykresLabel2 = label("kWykresLabel2", "");
    kWykresLabel3 = label("kWykresLabel3", "Rownanie badanego");
    kWykresLabel4 = label("kWykresLabel4", "Brak pomiarów");
    kWykresLabel1->hide();
    kWykresLabel2->hide();

    side->addSpacing(12);
    auto *spins = new QHBoxLayout;
    side->addLayout(spins);
    kWykresLabel5 = named(new QLabel(QStringLiteral("Wzm"), kWykresPanel), "kWykresLabel5");
    CSpinButton1 = named(new SpinButton(kWykresPanel), "CSpinButton1");
    kWykresLabel6 = named(new QLabel(QStringLiteral("Offset"), kWykresPanel), "kWykresLabel6");
    CSpinButton2 = named(new SpinButton(kWykresPanel), "CSpinButton2");
    for (QWidget *w : std::initializer_list<QWidget *> {
             kWykresLabel5, CSpinButton1, kWykresLabel6, CSpinButton2}) {
        spins->addWidget(w);
        w->hide();
    }
    spins->addStretch(1);
    side->addStretch(1);
    connect(CSpinButton1->Up, &QToolButton::clicked, this, &KalibracjaWykres::CSpinButton1UpClick);
    connect(
        CSpinButton1->Down, &QToolButton::clicked, this, &KalibracjaWykres::CSpinButton1DownClick);
    connect(CSpinButton2->Up, &QToolButton::clicked, this, &KalibracjaWykres::CSpinButton2UpClick);
    connect(
        CSpinButton2->Down, &QToolButton::clicked, this, &KalibracjaWykres::CSpinButton2DownClick);

    applyLook();
}

void KalibracjaWykres::fillSamples(
    int series, int first, double Probka::*y, Etykieta label, const QColor &colour)
{
    const int n = table_.IloscProbek();
    QList<QPointF> points;
    QStringList labels;
    points.reserve(n - first + 1);
    if (label != Etykieta::None)
        labels.reserve(n - first + 1);
    for (int i = first; i <= n; ++i) {
        const Probka &p = table_.Probki(i);
        points.append(QPointF(p.X, p.*y));
        switch (label) {
        case Etykieta::None:
            break;
        case Etykieta::X:
            labels.append(ReferencePointLabel(p.X));
            break;
        case Etykieta::Space:
            labels.append(QStringLiteral(" "));
            break;
        case Etykieta::One:
            labels.append(QStringLiteral("1"));
            break;
        }
    }
    kChart1->FillSeries(series, points, labels, colour);
}

void KalibracjaWykres::fillLine(int series)
{
    const Probka &top = table_.Probki(table_.IndeksMax());
    const double x = top.X;
    switch (series) {
    case WzorLiniowa:
        kChart1->FillSeries(series, {QPointF(0, 0), QPointF(x, top.Uwz)}, {}, kYellow);
        break;
    case KalibrowanyLiniowa:
        kChart1->FillSeries(series,
            {QPointF(0, table_.WspB()), QPointF(x, table_.WspA() * x + table_.WspB())}, {}, kLime);
        break;
    case LiniowaPoprawiona:
        kChart1->FillSeries(series,
            {QPointF(0, table_.WspBPo()), QPointF(x, table_.WspAPo() * x + table_.WspBPo())}, {},
            kAqua);
        break;
    default:
        break;
    }
}

void KalibracjaWykres::ClearSeries()
{
    for (int s = 0; s < ChartView::kSeries; ++s)
        kChart1->ClearSeries(s);
    kChart1->FitAxes();
}

void KalibracjaWykres::KreslWykresClick()
{
    // Every series is emptied and filled again as its box says; a series to be filled gets
    // its new points in place of the old ones at once, which keeps the chart's markers.
    const auto redraw = [this](QCheckBox *box, int series, const std::function<void()> &fill) {
        if (box->isChecked())
            fill();
        else
            kChart1->ClearSeries(series);
    };
    redraw(kWykresCheckBox2, WzorLiniowa, [this] { fillLine(WzorLiniowa); });
    redraw(kWykresCheckBox4, KalibrowanyLiniowa, [this] { fillLine(KalibrowanyLiniowa); });
    redraw(kWykresCheckBox6, LiniowaPoprawiona, [this] { fillLine(LiniowaPoprawiona); });
    redraw(kWykresCheckBox1, WzorPunkty,
        [this] { fillSamples(WzorPunkty, 1, &Probka::Uwz, Etykieta::X, kLime); });
    redraw(kWykresCheckBox3, KalibrowanyPunkty,
        [this] { fillSamples(KalibrowanyPunkty, 1, &Probka::Ucal, Etykieta::Space, kRed); });
    redraw(kWykresCheckBox5, PunktyPoprawione,
        [this] { fillSamples(PunktyPoprawione, 1, &Probka::Uend, Etykieta::Space, kWhite); });
    kChart1->FitAxes();
}

void KalibracjaWykres::kAfterRegresja()
{
    kWykresLabel2->setText(ReferenceEquation(table_));
    kWykresLabel4->setText(MeterEquation(table_));
}

void KalibracjaWykres::toggle(QCheckBox *box, int series, const std::function<void()> &fill)
{
    kChart1->ClearSeries(series);
    if (box->isChecked())
        fill();
    kChart1->FitAxes();
}

void KalibracjaWykres::kWykresCheckBox1Click()
{
    // From record 0, which adds a point at the origin.
    toggle(kWykresCheckBox1, WzorPunkty,
        [this] { fillSamples(WzorPunkty, 0, &Probka::Uwz, Etykieta::None, kLime); });
}

void KalibracjaWykres::kWykresCheckBox2Click()
{
    toggle(kWykresCheckBox2, WzorLiniowa, [this] { fillLine(WzorLiniowa); });
}

void KalibracjaWykres::kWykresCheckBox3Click()
{
    toggle(kWykresCheckBox3, KalibrowanyPunkty,
        [this] { fillSamples(KalibrowanyPunkty, 1, &Probka::Ucal, Etykieta::One, kRed); });
}

void KalibracjaWykres::kWykresCheckBox4Click()
{
    toggle(kWykresCheckBox4, KalibrowanyLiniowa, [this] { fillLine(KalibrowanyLiniowa); });
}

void KalibracjaWykres::kWykresCheckBox5Click()
{
    toggle(kWykresCheckBox5, PunktyPoprawione,
        [this] { fillSamples(PunktyPoprawione, 1, &Probka::Uend, Etykieta::One, kRed); });
}

void KalibracjaWykres::kWykresCheckBox6Click()
{
    toggle(kWykresCheckBox6, LiniowaPoprawiona, [this] { fillLine(LiniowaPoprawiona); });
}

void KalibracjaWykres::kWykresCheckBox7Click()
{
    applyLook();
}

void KalibracjaWykres::applyLook()
{
    const bool axes = kWykresCheckBox7->isChecked();
    QChart *chart = kChart1->chart();
    chart->setBackgroundBrush(axes ? kSilver : kGrey);
    kChart1->setBackgroundBrush(axes ? kSilver : kGrey);
    kChart1->AxisY()->setLabelsVisible(axes);
    const Margins m = axes ? kAxesShown : kAxesHidden;
    const int w = kChart1->width();
    const int h = kChart1->height();
    chart->setMargins(
        QMargins(m.left * w / 100, m.top * h / 100, m.right * w / 100, m.bottom * h / 100));
}

void KalibracjaWykres::kChart1DblClick()
{
    kChart1->ResetZoom();
}

void KalibracjaWykres::CSpinButton1UpClick()
{
    table_.AdjustCorrectedLine(0.1, 0);
    KreslWykresClick();
}

void KalibracjaWykres::CSpinButton1DownClick()
{
    table_.AdjustCorrectedLine(-0.1, 0);
    KreslWykresClick();
}

void KalibracjaWykres::CSpinButton2UpClick()
{
    table_.AdjustCorrectedLine(0, 1.0);
    KreslWykresClick();
}

void KalibracjaWykres::CSpinButton2DownClick()
{
    table_.AdjustCorrectedLine(0, -1.0);
    KreslWykresClick();
}

void KalibracjaWykres::ShowNotice(bool show)
{
    BrakSerii->setVisible(show);
    if (show) {
        centreNotice();
        BrakSerii->raise();
    }
}

void KalibracjaWykres::centreNotice()
{
    BrakSerii->move(
        (kChart1->width() - BrakSerii->width()) / 2, (kChart1->height() - BrakSerii->height()) / 2);
}

bool KalibracjaWykres::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == kChart1 && event->type() == QEvent::Resize) {
        centreNotice();
        applyLook();
    }
    return QWidget::eventFilter(watched, event);
}
