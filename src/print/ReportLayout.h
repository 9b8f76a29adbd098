#pragma once
// The measurement report: a header with the institution, the kind of field, the place, date,
// person and field source, then the numbered table of results over as many pages as it
// needs: 31 rows on the first page (at 18r to 48r), 43 on each further one (at 6r to 48r)
// under a short header with the page number. Its words come from the language table, so it
// is printed in the program's language; the texts typed are printed as they stand.
#include <QString>
#include <array>
#include <vector>

class PrintCanvas;

struct ReportTexts {
    enum FieldKind { Constant, Mains, Alternating };

    QString institution;
    QString city;
    int fieldKind = Constant; // the kind-of-field list's item
    QString frequency; // hertz, printed with an alternating field
    QString place;
    QString date;
    QString person;
    QString source;
    // The results table: the row number, the place, the induction value and the remark.
    std::vector<std::array<QString, 4>> rows;
};

// The number of pages the report's rows take (one at least).
int ReportPageCount(std::size_t rows);

// The line under the report's title that names the kind of field.
QString FieldKindLine(const ReportTexts &report);

// Prints the report as one document; false when the printer failed (a page that could not
// be started gives the document up).
bool PrintReport(PrintCanvas &canvas, const ReportTexts &report);
