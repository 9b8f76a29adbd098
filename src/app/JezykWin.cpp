#include "app/JezykWin.h"
#include "core/Named.h"

#include "app/QtTranslation.h"
#include "core/DialogOwner.h"
#include "core/Jezyki.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

namespace {
template <typename T> void setIfChanged(T *widget, const QString &text)
{
    if (widget->text() != text)
        widget->setText(text);
}
} // namespace

TJezyk::TJezyk(QWidget *owner)
    : QDialog(owner,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint
            | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , Owner(owner)
{
    setObjectName(QStringLiteral("Jezyk"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(208, 154);

    GroupBox1 = named(new QGroupBox(QString::fromUtf8(" Wybierz język "), this), "GroupBox1");
    GroupBox1->setGeometry(8, 6, 192, 106);
    WybranyJezyk = named(new QListWidget(GroupBox1), "WybranyJezyk");
    WybranyJezyk->setGeometry(10, 22, 172, 74);
    WybranyJezyk->addItems({QStringLiteral("Polski"), QStringLiteral("English")});

    OK = named(new QPushButton(QStringLiteral("OK"), this), "OK");
    OK->setGeometry(16, 120, 80, 26);
    OK->setDefault(true);
    Anuluj = named(new QPushButton(QStringLiteral("Anuluj"), this), "Anuluj");
    Anuluj->setGeometry(112, 120, 80, 26);
    connect(OK, &QPushButton::clicked, this, &TJezyk::OKClick);
    connect(Anuluj, &QPushButton::clicked, this, &TJezyk::AnulujClick);

    // FormCreate: the owner waits until the dialog ends, however it ends; the list starts at
    // "Polski" whatever the current language.
    disableOwnerWhileShown(Owner, this);
    WybranyJezyk->setCurrentRow(0);
    FormPaint();
}

void TJezyk::paintEvent(QPaintEvent *event)
{
    FormPaint();
    QDialog::paintEvent(event);
}

void TJezyk::FormPaint()
{
    const QString caption = Tekst(44);
    if (windowTitle() != caption)
        setWindowTitle(caption);
    const QString group = Tekst(45);
    if (GroupBox1->title() != group)
        GroupBox1->setTitle(group);
    setIfChanged(Anuluj, Tekst(43));
}

void TJezyk::OKClick()
{
    const int row = WybranyJezyk->currentRow();
    if (row == 0)
        LanguageName = LanguagePolish;
    else if (row == 1)
        LanguageName = LanguageEnglish;
    FollowLanguageInQtTexts();
    emit languageChosen();
    close();
}

void TJezyk::AnulujClick()
{
    close();
}
