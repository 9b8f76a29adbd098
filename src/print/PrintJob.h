#pragma once
// Printing from a dialog: the user picks a printer (or a PDF file) in the print dialog, the
// layout is drawn on it, and a printer that fails is reported in a message box. The dialog
// that prints stays open after a cancel or a failure, so nothing typed into it is lost.
#include <functional>

class PrintCanvas;
class QPrinter;
class QWidget;

// Asks the user for the printer: true to print on it as it is then set up, false when the
// user cancelled. The dialogs run the standard print dialog; tests put their own answer in.
using PrinterQuestion = std::function<bool(QPrinter &)>;

// The standard print dialog, named objectName over the parent.
PrinterQuestion AskPrinterWithDialog(QWidget *parent, const char *objectName);

enum class PrintOutcome { Cancelled, Printed, Failed };

// Asks for the printer and prints the layout on it; a failure has been shown to the user
// when this returns Failed.
PrintOutcome PrintWithQuestion(
    QWidget *parent, const PrinterQuestion &ask, const std::function<bool(PrintCanvas &)> &layout);
