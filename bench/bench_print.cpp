// Laying out a full report of 1000 result rows (24 pages): on the recording canvas (the
// layout alone) and on a QPrinter writing a PDF file (the layout with Qt's text drawing).
#include "core/Jezyki.h"
#include "print/PainterCanvas.h"
#include "print/RecordingCanvas.h"
#include "print/ReportLayout.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
ReportTexts fullReport()
{
    ReportTexts report;
    report.institution = QStringLiteral("Instytut Pomiarów");
    report.city = QStringLiteral("Kraków");
    report.place = QStringLiteral("Hala B");
    for (int i = 1; i <= 1000; ++i)
        report.rows.push_back({QString::number(i), QStringLiteral("Stanowisko %1").arg(i),
            QStringLiteral("  12.%1").arg(i % 100, 2, 10, QLatin1Char('0')),
            QStringLiteral("uwaga")});
    return report;
}

void BM_Report1000RowsRecorded(benchmark::State &state)
{
    const ReportTexts report = fullReport();
    for (auto _ : state) {
        RecordingCanvas canvas(4800, 6600);
        benchmark::DoNotOptimize(PrintReport(canvas, report));
    }
}

void BM_Report1000RowsToPdf(benchmark::State &state)
{
    const ReportTexts report = fullReport();
    QTemporaryDir dir;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("report.pdf")));
        PainterCanvas canvas(printer);
        if (!PrintReport(canvas, report))
            state.SkipWithError("the PDF could not be written");
    }
}
} // namespace

BENCHMARK(BM_Report1000RowsRecorded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Report1000RowsToPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    LanguageName = LanguagePolish;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
