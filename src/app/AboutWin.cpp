#include "app/AboutWin.h"
#include "core/Named.h"

#include "app/MainWin.h"
#include "app/Resources.h"
#include "app/UzytkownikWin.h"
#include "core/CentreOnScreen.h"
#include "core/Colours.h"
#include "core/Jezyki.h"
#include "core/WidgetColours.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace {
constexpr int AboutWidth = 376;
constexpr int AboutHeight = 260;

QLabel *picture(QWidget *parent, const char *name, const QString &resource)
{
    auto *label = named(new QLabel(parent), name);
    label->setGeometry(0, 0, AboutWidth, AboutHeight);
    label->setPixmap(QPixmap(resource));
    return label;
}

QLabel *caption(QWidget *parent, const char *name, const QColor &color, Qt::Alignment align)
{
    auto *label = named(new QLabel(parent), name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    setTextColour(label, color);
    label->setAlignment(align);
    return label;
}
} // namespace

TAboutWin::TAboutWin(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    loadResources();
    setObjectName(QStringLiteral("AboutWin"));
    setFixedSize(AboutWidth, AboutHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    ImagePol = picture(this, "ImagePol", QStringLiteral(":/images/about_pl.png"));
    ImageAng = picture(this, "ImageAng", QStringLiteral(":/images/about_en.png"));
    ImageAng->hide();

    LabelSerwis = caption(this, "LabelSerwis", Colours::kRed, Qt::AlignLeft);
    LabelSerwis->setText(QStringLiteral("TRYB SERWISOWY"));
    QFont serviceFont = LabelSerwis->font();
    serviceFont.setPixelSize(13);
    LabelSerwis->setFont(serviceFont);
    LabelSerwis->setGeometry(32, 90, 200, 18);
    LabelSerwis->hide();

    LabelNazwa = caption(this, "LabelNazwa", Qt::white, Qt::AlignRight | Qt::AlignVCenter);
    LabelNazwa->setGeometry(16, 210, 344, 16);
    LabelFirma = caption(this, "LabelFirma", Qt::white, Qt::AlignRight | Qt::AlignVCenter);
    LabelFirma->setGeometry(16, 228, 344, 16);

    // Every picture and label passes its clicks on to the window, which dismisses itself.
    for (QWidget *child : findChildren<QWidget *>())
        child->setAttribute(Qt::WA_TransparentForMouseEvents);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(5000);
    connect(Timer1, &QTimer::timeout, this, &TAboutWin::Timer1Timer);

    // Every run starts in English.
    LanguageName = LanguageEnglish;
}

void TAboutWin::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TAboutWin::FormShow()
{
    centreOnScreen(this);
    Timer1->start();
    const bool polish = LanguageName == LanguagePolish;
    ImagePol->setVisible(polish);
    ImageAng->setVisible(!polish);
    // The label follows the stored flag, not the current mode; a missing flag reads as
    // "not a service technician". Service mode itself starts from the flag only once, at
    // the first showing.
    const UserSettings settings = ReadUserSettings();
    LabelNazwa->setText(settings.name);
    LabelFirma->setText(settings.company);
    LabelSerwis->setVisible(settings.service);
    if (FirstShowing && settings.service && MainWin != nullptr)
        MainWin->WlaczSerwis();
    FirstShowing = false;
    LabelSerwis->setText(Tekst(48));
}

void TAboutWin::showAgain()
{
    show();
    raise();
    Timer1->start();
}

void TAboutWin::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Timer1Timer();
}

void TAboutWin::Timer1Timer()
{
    hide();
    Timer1->stop();
    if (MainWin != nullptr) {
        MainWin->show();
        MainWin->setEnabled(true);
    }
}
