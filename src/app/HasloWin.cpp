#include "app/HasloWin.h"
#include "core/Named.h"

#include "app/MainWin.h"
#include "core/DialogOwner.h"
#include "core/Jezyki.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QValidator>

namespace {
const QString ServicePassword = QStringLiteral("TRAVLIK");

// Turns letters into capitals as they are typed (and as text is set).
class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

// Hidden characters are shown as "*".
class StarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
        QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

THasloWin::THasloWin(TMainWin *main)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
    , MainWin(main)
{
    setObjectName(QStringLiteral("HasloWin"));
    setFixedSize(223, 156);

    auto *panel = named(new QFrame(this), "Panel1");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(8, 8, 207, 100);

    Label1 = named(new QLabel(panel), "Label1");
    Label1->setWordWrap(true);
    Label1->setGeometry(12, 8, 183, 44);

    TekstHaslo = named(new QLineEdit(panel), "TekstHaslo");
    TekstHaslo->setGeometry(39, 60, 129, 24);
    TekstHaslo->setMaxLength(12);
    TekstHaslo->setEchoMode(QLineEdit::Password);
    TekstHaslo->setValidator(new UpperCase(TekstHaslo));
    auto *style = new StarPasswordStyle;
    style->setParent(TekstHaslo);
    TekstHaslo->setStyle(style);

    OK = named(new QPushButton(QStringLiteral("OK"), this), "OK");
    OK->setGeometry(30, 118, 75, 27);
    Anuluj = named(new QPushButton(QStringLiteral("Anuluj"), this), "Anuluj");
    Anuluj->setGeometry(118, 118, 75, 27);
    // Enter is handled by the edit alone, so that it clicks "OK" once.
    for (QPushButton *button : {OK, Anuluj}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    connect(OK, &QPushButton::clicked, this, &THasloWin::OKClick);
    connect(Anuluj, &QPushButton::clicked, this, &THasloWin::AnulujClick);
    connect(TekstHaslo, &QLineEdit::returnPressed, this, &THasloWin::TekstHasloKeyDown);
    FormPaint();
}

void THasloWin::FormPaint()
{
    setWindowTitle(Tekst(46));
    Label1->setText(Tekst(47));
    Anuluj->setText(Tekst(43));
}

void THasloWin::paintEvent(QPaintEvent *event)
{
    FormPaint();
    QDialog::paintEvent(event);
}

void THasloWin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormPaint();
    disableOwnerWhileShown(MainWin, this);
    TekstHaslo->setFocus();
}

void THasloWin::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    TekstHaslo->clear();
}

void THasloWin::TekstHasloKeyDown()
{
    OK->click();
}

void THasloWin::OKClick()
{
    if (TekstHaslo->text() == ServicePassword && MainWin != nullptr)
        MainWin->WlaczSerwis();
    hide();
}

void THasloWin::AnulujClick()
{
    hide();
}
