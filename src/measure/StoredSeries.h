#pragma once
// The result series kept by the main window (Wyniki, as texts) and what the chart shows of it
// (StoredSeries, filtered numbers). Entry i of either series (i = 1 ... LiczbaWynikow) is
// element i - 1 of the containers here.
#include <QStringList>
#include <vector>

class WykresCore;

// The number in a stored result text: all white space removed, "." as decimal point whatever
// the locale. A text that is not a finite number gives 0.
double ParseStoredNumber(const QString &text);

// StoredSeries from Wyniki: the value filter with retention exp(-filterTau) run over the whole
// series, started at the first entry, with no restart threshold. filterState is left at the
// last entry's filtered level (untouched for an empty series). Every value is finite, however
// far apart the entries lie or whatever the retention.
std::vector<double> RefilterStored(
    const QStringList &wyniki, double filterTau, double &filterState);

// The entries a redraw from index start adds to the chart: first ... last - 1 are stored
// without drawing, then last is added and draws everything. With more than width - 2 entries
// after start, last = start + width - 2; otherwise last = liczbaWynikow - 1, but never before
// start (one entry left from start, for instance a series of one result: that entry alone).
// A start outside 1 ... liczbaWynikow is moved to its nearest end; an empty series gives an
// empty range (last 0).
struct StoredRedrawRange {
    int first = 0;
    int last = 0;
    bool empty() const { return last == 0; }
};
StoredRedrawRange RedrawStoredRange(int liczbaWynikow, int start, int chartWidth);

// Clears the chart and draws storedSeries from index start. With autoscale on, the range is
// computed once, for the last entry.
void RedrawStored(WykresCore &chart, const std::vector<double> &storedSeries, int start);
