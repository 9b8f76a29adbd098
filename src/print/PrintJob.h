#pragma once
// Printing from a dialog: the user picks a printer (or a PDF file) and the pages in the print
// dialog, the layout is drawn on them, and a printout that could not be made is reported in
// a message box. The dialog that prints stays open after a cancel or a failure, so nothing
// typed into it is lost.
//
// A PDF file is made in memory and then written as a whole, beside the old file first, which
// it replaces only when complete: a full disk or a folder that cannot be written is reported,
// and leaves an older file of that name as it was.
#include <QPageRanges>
#include <QString>
#include <functional>

class PrintCanvas;
class QPrinter;
class QWidget;

// Asks the user for the printer: true to print on it as it is then set up, false when the
// user cancelled. pageCount is the number of pages the document has. The dialogs run the
// standard print dialog; tests put their own answer in.
using PrinterQuestion = std::function<bool(QPrinter &printer, int pageCount)>;

// The standard print dialog, named objectName over the parent. Pages can be chosen from 1 to
// pageCount; printing to a file offers the document's name in the user's documents folder.
PrinterQuestion AskPrinterWithDialog(QWidget *parent, const char *objectName);

struct PrintDocument {
    QString name; // the print job's name, and the PDF file's name offered
    int pageCount = 1;
    std::function<bool(PrintCanvas &)> layout; // false when the printer failed
};

enum class PrintOutcome { Cancelled, Printed, Failed };

// Asks for the printer and prints the document's chosen pages on it; a failure has been shown
// to the user when this returns Failed.
PrintOutcome PrintWithQuestion(
    QWidget *parent, const PrinterQuestion &ask, const PrintDocument &document);

// Prints the document's pages (all of them when pages is empty) to the PDF file path, with
// the page layout and resolution of settings. False when the file could not be
// written whole.
bool PrintToPdfFile(const QPrinter &settings, const QString &path, const QPageRanges &pages,
    const PrintDocument &document);
