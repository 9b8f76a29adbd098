#include "print/PrintJob.h"

#include "core/Messages.h"
#include "print/PainterCanvas.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {
QString failureText(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return QString::fromUtf8("Błąd. Nie można zapisać wydruku do pliku %1")
            .arg(printer.outputFileName());
    if (!printer.printerName().isEmpty())
        return QString::fromUtf8("Błąd. Nie można drukować na drukarce %1")
            .arg(printer.printerName());
    return QString::fromUtf8("Błąd. Nie wybrano drukarki.");
}
} // namespace

PrinterQuestion AskPrinterWithDialog(QWidget *parent, const char *objectName)
{
    return [parent, objectName](QPrinter &printer) {
        QPrintDialog dialog(&printer, parent);
        dialog.setObjectName(QString::fromLatin1(objectName));
        return dialog.exec() == QDialog::Accepted;
    };
}

PrintOutcome PrintWithQuestion(
    QWidget *parent, const PrinterQuestion &ask, const std::function<bool(PrintCanvas &)> &layout)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!ask || !ask(printer))
        return PrintOutcome::Cancelled;
    PainterCanvas canvas(printer);
    if (layout(canvas))
        return PrintOutcome::Printed;
    ShowMessage(parent, failureText(printer));
    return PrintOutcome::Failed;
}
