#pragma once
// The measurement report dialog: the report's header fields, the kind of field, and the
// results table Wyniki, typed by hand or with its induction values taken from a data file;
// "Drukuj" prints the report. Its texts come from the language table. A new dialog, with
// empty fields, is created for every report; its owner is disabled from its creation until
// it closes.
#include "print/PrintJob.h"
#include "print/ReportLayout.h"

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The most lines "Pobierz dane" takes from a data file, and the most rows the table holds.
constexpr int ReportMaxResults = 1000;
// The longest line "Pobierz dane" takes; a longer one ends the reading as a file that cannot
// be read.
constexpr int ReportMaxLineLength = 4096;

class TRaport_Win : public QDialog {
    Q_OBJECT
public:
    // Asks for a data file to load, with the dialog over the given window: a file name,
    // empty when cancelled.
    using DataFileQuestion = std::function<QString(QWidget *parent)>;

    TRaport_Win(QWidget *owner, DataFileQuestion openDataFile);

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
           *LabelHz = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr,
              *Edit5 = nullptr, *Edit6 = nullptr, *Edit7 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QSpinBox *SpinEdit1 = nullptr;
    // One row per result: the row number (not editable), place, induction value, remark.
    QTableWidget *Wyniki = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Zpliku = nullptr;

    // The print dialog.
    PrinterQuestion PrintDialog1;
    // The open-file dialog of "Pobierz dane".
    DataFileQuestion OpenDataFile;

    // Sets the number of result rows, at least 1 and at most ReportMaxResults, and numbers
    // them from 1. A row cut off keeps its texts and shows them again when the count grows:
    // a count typed digit by digit ("2", then "25") loses nothing.
    void SetResultCount(int count);

    // What the report prints now.
    ReportTexts Texts() const;

public slots:
    void ComboBox1Change();
    void SpinEdit1Change();
    void ZplikuClick();
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString &text);

    QLineEdit *SpinText = nullptr; // the spin edit's text
    // The texts of columns 1 to 3 of rows cut off by a smaller count, by row.
    std::vector<std::array<QString, 3>> CutRows;
};
