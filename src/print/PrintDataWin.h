#pragma once
// The calibration card dialog: the customer and the resistors, currents and offsets measured
// on the meter's board, typed by the technician; "Drukuj" prints them on the card with the
// service panel's parameters. Its texts are Polish only. A new dialog, with empty fields, is
// created for every card; its owner is disabled from its creation until it closes.
#include "params/ParameterSet.h"
#include "print/CardLayout.h"
#include "print/PrintJob.h"

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TPrintDataWin : public QDialog {
    Q_OBJECT
public:
    // panelTexts reads the service panel's texts as they stand when the card is printed.
    TPrintDataWin(QWidget *owner, std::function<ParameterTexts()> panelTexts);

    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr,
              *GroupBox4 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
           *Label9 = nullptr;
    QLineEdit *Klient = nullptr, *R1 = nullptr, *R2 = nullptr, *R3 = nullptr, *I1 = nullptr,
              *I2 = nullptr, *I3 = nullptr, *O1 = nullptr, *O2 = nullptr;
    QPushButton *Drukuj = nullptr, *Anuluj = nullptr;

    // The print dialog.
    PrinterQuestion Drukarka;

    // What the card prints now.
    CardTexts Texts() const;

public slots:
    void DrukujClick();
    void AnulujClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::function<ParameterTexts()> PanelTexts;
};
