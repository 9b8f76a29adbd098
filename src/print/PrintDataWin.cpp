#include "print/PrintDataWin.h"
#include "core/Named.h"

#include "core/CentreOnScreen.h"
#include "core/DialogOwner.h"
#include "print/FreeText.h"

#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>

namespace {
QGroupBox *group(QWidget *parent, const char *name, const char *title, const QRect &geometry)
{
    auto *box = named(new QGroupBox(QString::fromUtf8(title), parent), name);
    box->setGeometry(geometry);
    return box;
}

// A label and its edit on one line of a group box.
QLineEdit *field(QGroupBox *box, QLabel *&label, const char *labelName, const char *text,
    const char *editName, const QRect &labelGeometry, const QRect &editGeometry)
{
    label = named(new QLabel(QString::fromUtf8(text), box), labelName);
    label->setGeometry(labelGeometry);
    auto *edit = named(new QLineEdit(box), editName);
    TakeAnyLength(edit);
    edit->setGeometry(editGeometry);
    return edit;
}
} // namespace

TPrintDataWin::TPrintDataWin(QWidget *owner, std::function<ParameterTexts()> panelTexts)
    : QDialog(owner,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint)
    , Drukarka(AskPrinterWithDialog(this, "Drukarka"))
    , PanelTexts(std::move(panelTexts))
{
    setObjectName(QStringLiteral("PrintDataWin"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The owner comes back however the dialog ends, even destroyed while shown.
    disableOwnerWhileShown(owner, this);
    setWindowTitle(QString::fromUtf8("Drukuj kartę kalibracyjną"));
    setFixedSize(393, 271);

    GroupBox1 = group(this, "GroupBox1", " Klient ", QRect(8, 6, 377, 54));
    Klient = field(GroupBox1, Label1, "Label1", "Klient:", "Klient", QRect(12, 24, 56, 20),
        QRect(70, 22, 297, 22));

    GroupBox2 = group(this, "GroupBox2", " R ", QRect(8, 66, 184, 104));
    GroupBox3 = group(this, "GroupBox3", " I ", QRect(200, 66, 185, 104));
    // The three lines of the " R " and " I " boxes.
    const auto labelAt = [](int line) { return QRect(12, 22 + line * 27, 70, 20); };
    const auto editAt = [](int line) { return QRect(84, 20 + line * 27, 90, 22); };
    R1 = field(GroupBox2, Label2, "Label2", "R 13:", "R1", labelAt(0), editAt(0));
    R2 = field(GroupBox2, Label3, "Label3", "R 49:", "R2", labelAt(1), editAt(1));
    R3 = field(GroupBox2, Label4, "Label4", "R 9:", "R3", labelAt(2), editAt(2));
    I1 = field(GroupBox3, Label5, "Label5", "I dc (AC):", "I1", labelAt(0), editAt(0));
    I2 = field(GroupBox3, Label6, "Label6", "I dc (DC):", "I2", labelAt(1), editAt(1));
    I3 = field(GroupBox3, Label7, "Label7", "I ac (DC):", "I3", labelAt(2), editAt(2));

    GroupBox4 = group(this, "GroupBox4", " Offsety ", QRect(8, 176, 377, 54));
    O1 = field(GroupBox4, Label8, "Label8", "Offset 1:", "O1", QRect(12, 24, 60, 20),
        QRect(74, 22, 100, 22));
    O2 = field(GroupBox4, Label9, "Label9", "Offset 2:", "O2", QRect(200, 24, 60, 20),
        QRect(262, 22, 100, 22));

    Drukuj = named(new QPushButton(QStringLiteral("Drukuj"), this), "Drukuj");
    Drukuj->setGeometry(110, 238, 80, 26);
    Anuluj = named(new QPushButton(QStringLiteral("Anuluj"), this), "Anuluj");
    Anuluj->setGeometry(203, 238, 80, 26);
    // Enter in an edit does not print: only the button does.
    for (QPushButton *button : {Drukuj, Anuluj})
        button->setAutoDefault(false);
    connect(Drukuj, &QPushButton::clicked, this, &TPrintDataWin::DrukujClick);
    connect(Anuluj, &QPushButton::clicked, this, &TPrintDataWin::AnulujClick);
    centreOnScreen(this);
}

CardTexts TPrintDataWin::Texts() const
{
    CardTexts card;
    card.date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    card.client = Klient->text();
    if (PanelTexts)
        card.panel = PanelTexts();
    card.r1 = R1->text();
    card.r2 = R2->text();
    card.r3 = R3->text();
    card.i1 = I1->text();
    card.i2 = I2->text();
    card.i3 = I3->text();
    card.o1 = O1->text();
    card.o2 = O2->text();
    return card;
}

void TPrintDataWin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Klient->setFocus();
}

void TPrintDataWin::DrukujClick()
{
    const CardTexts card = Texts();
    const QString serial = card.panel[ParameterField::NumerSeryjnyMiernika].trimmed();
    const PrintDocument document {
        QStringLiteral("Karta kalibracyjna %1").arg(serial).trimmed(),
        1,
        [&card](PrintCanvas &canvas) { return PrintCard(canvas, card); },
    };
    const PrintOutcome outcome = PrintWithQuestion(this, Drukarka, document);
    if (outcome == PrintOutcome::Printed)
        close();
}

void TPrintDataWin::AnulujClick()
{
    close();
}
