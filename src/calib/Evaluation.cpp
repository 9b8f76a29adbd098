#include "calib/Evaluation.h"
#include "calib/KalibracjaWykres.h"
#include "calib/SampleGrid.h"
#include "calib/SampleMessages.h"
#include "calib/SampleTable.h"
#include "core/Messages.h"

bool ObliczRegresje(SampleTable &table, QWidget *owner)
{
    if (table.ObliczRegresje())
        return true;
    ShowMessage(owner, AllAlikeMessage());
    return false;
}

void kDanePrzeliczPoprawionaSerie(SampleTable &table, SampleGrid &grid, QWidget *owner)
{
    table.PrzeliczPoprawionaSerie();
    grid.WyswietlTablice();
    ObliczRegresje(table, owner);
}

void StartClick(SampleTable &table, SampleGrid &grid, KalibracjaWykres &chart, QWidget *owner)
{
    table.SkalujWzorzec();
    ObliczRegresje(table, owner);
    kDanePrzeliczPoprawionaSerie(table, grid, owner);
    chart.kAfterRegresja();
    grid.WyswietlTablice();
    chart.KreslWykresClick();
}

void ShowChartOrNotice(
    SampleTable &table, SampleGrid &grid, KalibracjaWykres &chart, QWidget *owner)
{
    if (table.IloscProbek() < 2) {
        chart.ClearSeries();
        chart.ShowNotice(true);
        return;
    }
    StartClick(table, grid, chart, owner);
    chart.ShowNotice(false);
}
