// Laying out a full report of 1000 result rows (24 pages): on the recording canvas (the
// layout alone) and as a PDF file, the way the print dialog's file output makes it (the
// layout with Qt's text drawing, and the file written whole).
#include "core/Jezyki.h"
#include "print/PrintJob.h"
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
    const PrintDocument document {QStringLiteral("Raport"), ReportPageCount(report.rows.size()),
        [&report](PrintCanvas &canvas) { return PrintReport(canvas, report); }};
    QTemporaryDir dir;
    QPrinter settings(QPrinter::HighResolution);
    settings.setOutputFormat(QPrinter::PdfFormat);
    for (auto _ : state) {
        if (!PrintToPdfFile(settings, dir.filePath(QStringLiteral("report.pdf")), {}, document))
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
