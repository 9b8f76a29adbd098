#include "print/RaportWin.h"

#include "core/CentreOnScreen.h"
#include "core/DialogOwner.h"
#include "core/Jezyki.h"
#include "core/Messages.h"
#include "core/Named.h"
#include "files/TextLines.h"
#include "print/FreeText.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>

namespace {
constexpr int StartingResults = 10;
constexpr int Columns = 4;
} // namespace

TRaport_Win::TRaport_Win(QWidget *owner, DataFileQuestion openDataFile)
    : QDialog(owner,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint)
    , PrintDialog1(AskPrinterWithDialog(this, "PrintDialog1"))
    , OpenDataFile(std::move(openDataFile))
{
    setObjectName(QStringLiteral("Raport_Win"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The owner comes back however the dialog ends, even destroyed while shown.
    disableOwnerWhileShown(owner, this);
    setFixedSize(488, 383);

    // The header fields, one under the other, each with its label on the left.
    const auto line = [this](QLabel *&label, const char *labelName, QWidget *input, int row) {
        const int y = 8 + row * 25;
        label = named(new QLabel(this), labelName);
        label->setGeometry(8, y + 2, 124, 20);
        input->setParent(this);
        input->setGeometry(136, y, 344, 22);
    };
    line(Label1, "Label1", Edit1 = named(new QLineEdit, "Edit1"), 0);
    line(Label2, "Label2", Edit2 = named(new QLineEdit, "Edit2"), 1);
    line(Label3, "Label3", ComboBox1 = named(new QComboBox, "ComboBox1"), 2);
    ComboBox1->setFixedWidth(170);
    Edit4 = named(new QLineEdit(this), "Edit4");
    Edit4->setGeometry(314, 58, 60, 22);
    LabelHz = named(new QLabel(QStringLiteral("Hz"), this), "LabelHz");
    LabelHz->setGeometry(380, 60, 24, 20);
    line(Label4, "Label4", Edit3 = named(new QLineEdit, "Edit3"), 3);
    line(Label5, "Label5", Edit5 = named(new QLineEdit, "Edit5"), 4);
    line(Label6, "Label6", Edit6 = named(new QLineEdit, "Edit6"), 5);
    line(Label7, "Label7", Edit7 = named(new QLineEdit, "Edit7"), 6);
    line(Label8, "Label8", SpinEdit1 = named(new QSpinBox, "SpinEdit1"), 7);
    SpinEdit1->setFixedWidth(70);
    SpinEdit1->setRange(1, 500);
    SpinEdit1->setValue(StartingResults);
    // A number out of range typed and left becomes the nearest in range (0 becomes 1).
    SpinEdit1->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    // The count follows every change of the spin edit: its value (the arrows, the keys, the
    // wheel, setValue), which changes its text with the text's signals blocked, and every
    // text typed, also one that is no value of it (a 0).
    SpinText = SpinEdit1->findChild<QLineEdit *>();
    for (QLineEdit *edit : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7})
        TakeAnyLength(edit);
    Zpliku = named(new QPushButton(this), "Zpliku");
    Zpliku->setGeometry(330, 182, 150, 26);

    Wyniki = named(new QTableWidget(0, Columns, this), "Wyniki");
    Wyniki->setGeometry(8, 216, 472, 124);
    Wyniki->verticalHeader()->hide();
    Wyniki->setItemDelegate(new FreeTextDelegate(Wyniki));
    Wyniki->verticalHeader()->setDefaultSectionSize(20);
    const int widths[Columns] = {40, 150, 120, 140};
    for (int column = 0; column < Columns; ++column)
        Wyniki->setColumnWidth(column, widths[column]);
    SetResultCount(StartingResults);

    Button1 = named(new QPushButton(this), "Button1");
    Button1->setGeometry(150, 350, 90, 26);
    Button2 = named(new QPushButton(this), "Button2");
    Button2->setGeometry(248, 350, 90, 26);
    for (QPushButton *button : {Button1, Button2, Zpliku})
        button->setAutoDefault(false);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TRaport_Win::ComboBox1Change);
    connect(SpinText, &QLineEdit::textChanged, this, &TRaport_Win::SpinEdit1Change);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TRaport_Win::SpinEdit1Change);
    connect(Zpliku, &QPushButton::clicked, this, &TRaport_Win::ZplikuClick);
    connect(Button1, &QPushButton::clicked, this, &TRaport_Win::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TRaport_Win::Button2Click);
    FormShow();
    centreOnScreen(this);
}

void TRaport_Win::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TRaport_Win::FormShow()
{
    setWindowTitle(Tekst(50));
    QLabel *labels[] = {Label1, Label2, Label3, Label4, Label5, Label6, Label7};
    for (int i = 0; i < 7; ++i)
        labels[i]->setText(Tekst(51 + i));
    Label8->setText(Tekst(61));
    Button1->setText(Tekst(58));
    Button2->setText(Tekst(59));
    Zpliku->setText(Tekst(60));
    Wyniki->setHorizontalHeaderLabels({Tekst(62), Tekst(63), Tekst(64), Tekst(65)});
    {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->clear();
        ComboBox1->addItems({Tekst(66), QStringLiteral("50 Hz"), Tekst(67)});
        ComboBox1->setCurrentIndex(ReportTexts::Constant);
    }
    ComboBox1Change();
}

void TRaport_Win::ComboBox1Change()
{
    const bool frequency = ComboBox1->currentIndex() == ReportTexts::Alternating;
    Edit4->setVisible(frequency);
    LabelHz->setVisible(frequency);
}

void TRaport_Win::SpinEdit1Change()
{
    bool number = false;
    const int count = SpinEdit1->cleanText().toInt(&number);
    SetResultCount(number ? count : 1);
}

QString TRaport_Win::Cell(int row, int column) const
{
    const QTableWidgetItem *item = Wyniki->item(row, column);
    return item != nullptr ? item->text() : QString();
}

void TRaport_Win::SetCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = Wyniki->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        if (column == 0) {
            item->setFlags(Qt::ItemIsEnabled);
            item->setBackground(Wyniki->palette().brush(QPalette::Button));
        }
        Wyniki->setItem(row, column, item);
    }
    item->setText(text);
}

void TRaport_Win::SetResultCount(int count)
{
    count = std::clamp(count, 1, ReportMaxResults);
    const int old = Wyniki->rowCount();
    if (count == old)
        return;
    if (count < old) {
        CutRows.resize(std::max<std::size_t>(CutRows.size(), old));
        for (int row = count; row < old; ++row)
            for (int column = 1; column < Columns; ++column)
                CutRows[row][column - 1] = Cell(row, column);
    }
    Wyniki->setRowCount(count);
    for (int row = old; row < count; ++row) {
        SetCell(row, 0, QString::number(row + 1));
        if (static_cast<std::size_t>(row) < CutRows.size())
            for (int column = 1; column < Columns; ++column)
                if (!CutRows[row][column - 1].isEmpty())
                    SetCell(row, column, CutRows[row][column - 1]);
    }
}

void TRaport_Win::ZplikuClick()
{
    const QString path = OpenDataFile ? OpenDataFile(this) : QString();
    if (path.isEmpty())
        return;
    const TextLines file = ReadTextLines(path, ReportMaxResults, ReportMaxLineLength);
    const int count = static_cast<int>(file.lines.size());
    using Status = TextLines::Status;
    const bool read = file.status == Status::Ok || file.status == Status::Truncated;
    if (count > 0) {
        SetResultCount(count);
        for (int row = 0; row < count; ++row)
            SetCell(row, 2, file.lines.at(row));
    } else if (read) {
        // An empty file leaves one row, with nothing in it.
        SetResultCount(1);
        for (int column = 1; column < Columns; ++column)
            SetCell(0, column, QString());
    }
    if (count > 0 || read) {
        // The induction values of rows cut off did not come from this file: they do not
        // come back when the count grows again.
        for (std::size_t row = Wyniki->rowCount(); row < CutRows.size(); ++row)
            CutRows[row][1].clear();
    }
    if (!read) {
        // The rows read so far stay; the count shown is left as it was.
        ShowMessage(this, FileReadFailedMessage());
        return;
    }
    // The spin edit shows at most its 500; the rows are set above, so its change must not cut
    // them back.
    const QSignalBlocker quietValue(SpinEdit1);
    const QSignalBlocker quietText(SpinText);
    SpinEdit1->setValue(count);
}

ReportTexts TRaport_Win::Texts() const
{
    ReportTexts report;
    report.institution = Edit1->text();
    report.city = Edit2->text();
    report.fieldKind = ComboBox1->currentIndex();
    report.frequency = Edit4->text();
    report.place = Edit3->text();
    report.date = Edit5->text();
    report.person = Edit6->text();
    report.source = Edit7->text();
    const int rows = Wyniki->rowCount();
    report.rows.resize(rows);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < Columns; ++column)
            report.rows[row][column] = Cell(row, column);
    return report;
}

void TRaport_Win::Button1Click()
{
    const ReportTexts report = Texts();
    const PrintDocument document {
        Tekst(50),
        ReportPageCount(report.rows.size()),
        [&report](PrintCanvas &canvas) { return PrintReport(canvas, report); },
    };
    const PrintOutcome outcome = PrintWithQuestion(this, PrintDialog1, document);
    if (outcome == PrintOutcome::Printed)
        close();
}

void TRaport_Win::Button2Click()
{
    close();
}
