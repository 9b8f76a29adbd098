#include "print/PrintJob.h"
#include "core/Named.h"

#include "core/Messages.h"
#include "files/WholeFile.h"
#include "print/PageRangeCanvas.h"
#include "print/PainterCanvas.h"
#include "print/PrintMessages.h"

#include <QBuffer>
#include <QDir>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace {
QString failureText(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return PrintToFileFailedMessage(printer.outputFileName());
    if (!printer.printerName().isEmpty())
        return PrinterFailedMessage(printer.printerName());
    return NoPrinterMessage();
}

// The PDF file offered for a document: its name, made a file name, in the user's documents
// folder (the home folder when there is none).
QString offeredPdfFile(const QString &docName)
{
    QString name = docName.trimmed();
    for (QChar &c : name)
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    if (name.isEmpty())
        name = QStringLiteral("print");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

// The pages the user chose in the print dialog; empty for all.
QPageRanges chosenPages(const QPrinter &printer)
{
    return printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
}

bool printOn(PrintCanvas &printer, const QPageRanges &pages, const PrintDocument &document)
{
    PageRangeCanvas canvas(printer, pages);
    return document.layout(canvas);
}
} // namespace

PrinterQuestion AskPrinterWithDialog(QWidget *parent, const char *objectName)
{
    return [parent, objectName](QPrinter &printer, int pageCount) {
        QPrintDialog dialog(&printer, parent);
        named(&dialog, objectName);
        dialog.setMinMax(1, pageCount);
        // Qt's own dialog offers "print.pdf" in the working folder for a file; the native
        // dialogs have no such field and ask for the file themselves.
        if (auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
            file != nullptr && printer.outputFileName().isEmpty())
            file->setText(QDir::toNativeSeparators(offeredPdfFile(printer.docName())));
        return dialog.exec() == QDialog::Accepted;
    };
}

bool PrintToPdfFile(const QPrinter &settings, const QString &path, const QPageRanges &pages,
    const PrintDocument &document)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&bytes);
        writer.setPageLayout(settings.pageLayout());
        writer.setResolution(settings.resolution());
        writer.setPdfVersion(settings.pdfVersion());
        writer.setTitle(document.name);
        writer.setCreator(settings.creator());
        PainterCanvas pdf(writer);
        if (!printOn(pdf, pages, document))
            return false;
    }
    return bytes.data().isEmpty() || WriteWholeFile(path, bytes.data());
}

PrintOutcome PrintWithQuestion(
    QWidget *parent, const PrinterQuestion &ask, const PrintDocument &document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.name);
    if (!ask || !ask(printer, document.pageCount))
        return PrintOutcome::Cancelled;
    const QPageRanges pages = chosenPages(printer);
    bool printed = false;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        printed = PrintToPdfFile(printer, printer.outputFileName(), pages, document);
    } else {
        PainterCanvas canvas(printer);
        printed = printOn(canvas, pages, document);
    }
    if (printed)
        return PrintOutcome::Printed;
    ShowMessage(parent, failureText(printer));
    return PrintOutcome::Failed;
}
