#pragma once
// The wizard's evaluation of its samples, run on the sample table, the grid SG1 and the chart
// tab; messages are shown over `owner`. Nothing here needs the wizard window itself.
class KalibracjaWykres;
class QWidget;
class SampleGrid;
class SampleTable;

// The least-squares fits; when the data are all alike, "zle albo wszystkie takie same dane"
// is shown and the coefficients stay. False then.
bool ObliczRegresje(SampleTable &table, QWidget *owner);

// The corrected series, the grid shown again, and the fits once more; false when that fit
// failed.
bool kDanePrzeliczPoprawionaSerie(SampleTable &table, SampleGrid &grid, QWidget *owner);

// The whole evaluation: SkalujWzorzec, ObliczRegresje, kDanePrzeliczPoprawionaSerie,
// kAfterRegresja, WyswietlTablice, KreslWykresClick. Data that are all alike show the
// message once for each of the two fits. True when both fits succeeded: only then do the
// coefficients belong to the samples as they are.
bool StartClick(SampleTable &table, SampleGrid &grid, KalibracjaWykres &chart, QWidget *owner);

// The chart tab on a change of tab: with fewer than 2 samples the series are emptied and the
// notice "Brak serii pomiarów!" shown; otherwise the evaluation runs and the notice goes.
void ShowChartOrNotice(
    SampleTable &table, SampleGrid &grid, KalibracjaWykres &chart, QWidget *owner);
