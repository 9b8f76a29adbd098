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

bool kDanePrzeliczPoprawionaSerie(SampleTable &table, SampleGrid &grid, QWidget *owner)
{
    table.PrzeliczPoprawionaSerie();
    grid.WyswietlTablice();
    return ObliczRegresje(table, owner);
}

bool StartClick(SampleTable &table, SampleGrid &grid, KalibracjaWykres &chart, QWidget *owner)
{
    table.SkalujWzorzec();
    const bool first = ObliczRegresje(table, owner);
    const bool second = kDanePrzeliczPoprawionaSerie(table, grid, owner);
    chart.kAfterRegresja();
    grid.WyswietlTablice();
    chart.KreslWykresClick();
    return first && second;
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
