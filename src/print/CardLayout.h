#pragma once
// The calibration card: one page with the meter's serial number, the customer, the 23
// calibration parameters as the service panel shows them and the resistors, currents and
// offsets measured on the meter's board. Every printed word is Polish, whatever language
// the program shows; every value is printed as it stands, unchecked.
#include "params/ParameterSet.h"

#include <QString>

class PrintCanvas;

struct CardTexts {
    QString date; // the day of printing, as the system writes a short date
    QString client;
    ParameterTexts panel; // the service panel's texts: the serial number and the parameters
    QString r1, r2, r3; // resistors R 13, R 49 and R 9
    QString i1, i2, i3; // currents Jdc(AC), Jdc(DC) and Jac(DC)
    QString o1, o2; // offsets 1 and 2
};

// Prints the card as one document; false when the printer failed.
bool PrintCard(PrintCanvas &canvas, const CardTexts &card);
