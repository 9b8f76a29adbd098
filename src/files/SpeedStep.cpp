#include "files/SpeedStep.h"
#include "core/Named.h"

#include "core/Jezyki.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

TSpeedStepWin::TSpeedStepWin(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("SpeedStepWin"));
    setWindowTitle(Tekst(95));
    setFixedSize(236, 86);

    Label1 = named(new QLabel(Tekst(96), this), "Label1");
    Label1->setGeometry(10, 14, 84, 22);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SpinEdit1 = named(new QSpinBox(this), "SpinEdit1");
    SpinEdit1->setGeometry(98, 12, 60, 24);
    SpinEdit1->setRange(1, 500);
    SpinEdit1->setValue(1);
    Label2 = named(new QLabel(Tekst(97), this), "Label2");
    Label2->setGeometry(162, 14, 70, 22);
    OK = named(new QPushButton(QStringLiteral("OK"), this), "OK");
    OK->setGeometry(78, 50, 80, 26);
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &TSpeedStepWin::OKClick);
}

void TSpeedStepWin::OKClick()
{
    krok_ = SpinEdit1->value();
    accept();
}

int AskRecordingStep(QWidget *parent)
{
    TSpeedStepWin dialog(parent);
    dialog.exec();
    return dialog.Krok();
}
