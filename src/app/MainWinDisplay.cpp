// Result processing and display in the main window: the labels, the chart, and the controls
// that steer the processing chain (filters, statistics, pause, scale, the loaded series).
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "core/Jezyki.h"
#include "measure/ResultFrame.h"
#include "measure/StoredSeries.h"
#include "measure/Wykres.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace {
void setTextIfChanged(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}
} // namespace

double TMainWin::ShowResult(const DecodedResult &result)
{
    const ResultSwitches switches {filtr->isChecked(), Send->filtrTemp->isChecked(),
        Dane->isChecked(), Danezurzdzenia1->isChecked()};
    ResultDisplay shown = Processing.ProcessResult(result, switches);
    const double value = shown.value;
    if (shown.chartPoint)
        Wykres1->AddPointForNextPaint(*shown.chartPoint);

    // Statistics labels that this result leaves alone keep what an earlier, not yet shown,
    // result set.
    if (PendingDisplay) {
        if (!shown.Min)
            shown.Min = PendingDisplay->Min;
        if (!shown.Max)
            shown.Max = PendingDisplay->Max;
        if (!shown.Avr)
            shown.Avr = PendingDisplay->Avr;
    }
    PendingDisplay = std::move(shown);
    // A result that comes when an update is due shows at once. Otherwise the timer shows it
    // when no further result has come by half an interval after the due time: results that
    // keep coming carry the updates themselves, without a wake-up of their own.
    const qint64 now = DisplayClock.elapsed();
    if (now >= NextDisplayMs)
        ApplyDisplay();
    else if (!DisplayTimer->isActive())
        DisplayTimer->start(int(NextDisplayMs - now + DisplayIntervalMs / 2));
    return value;
}

void TMainWin::ApplyDisplay()
{
    DisplayTimer->stop();
    // The next update is due one interval after this one was, so that late timers and results
    // do not slow the screen below its rate; after a pause the rate starts afresh.
    const qint64 now = DisplayClock.elapsed();
    NextDisplayMs = now - NextDisplayMs < DisplayIntervalMs ? NextDisplayMs + DisplayIntervalMs
                                                            : now + DisplayIntervalMs;
    if (Wykres1->HasPointsForNextPaint())
        Wykres1->ShowPointsForNextPaint();
    if (!PendingDisplay)
        return;
    const ResultDisplay shown = std::move(*PendingDisplay);
    PendingDisplay.reset();
    setTextIfChanged(Send->SSkok, shown.SSkok);
    if (shown.Min)
        setTextIfChanged(Min, *shown.Min);
    if (shown.Max)
        setTextIfChanged(Max, *shown.Max);
    if (shown.Avr)
        setTextIfChanged(Avr, *shown.Avr);
    if (Falka->isVisibleTo(this) != shown.falkaVisible)
        Falka->setVisible(shown.falkaVisible);
    setTextIfChanged(SWynik, shown.SWynik);
    setTextIfChanged(STemp, shown.STemp);
    if (stopien->isVisibleTo(this) != shown.stopienVisible)
        stopien->setVisible(shown.stopienVisible);
}

void TMainWin::filtrClick()
{
    if (filtr->isChecked()) {
        const std::optional<double> tau = ParseFilterParameter(Tau->text());
        if (!tau) {
            Processing.ForgetPreviousResult();
            filtr->setChecked(false); // runs the unchecked branch
            return;
        }
        Processing.RestartFilter(*tau);
        Tau->setEnabled(false);
        if (!Danezurzdzenia1->isChecked()) {
            RefilterStored();
            RedrawStored(TrackBar1->value());
        }
    } else {
        Tau->setEnabled(true);
        if (!Danezurzdzenia1->isChecked()) {
            Processing.StopFilter();
            RefilterStored();
            RedrawStored(TrackBar1->value());
        }
    }
}

void TMainWin::filtrTempClick()
{
    if (Send->filtrTemp->isChecked()) {
        const std::optional<double> tau = ParseFilterParameter(Send->TauTemp->text());
        if (!tau) {
            Send->filtrTemp->setChecked(false);
            return;
        }
        Processing.RestartTempFilter(*tau);
        Send->TauTemp->setEnabled(false);
    } else {
        Send->TauTemp->setEnabled(true);
    }
}

void TMainWin::Button3Click()
{
    Processing.ResetMaxJump();
}

void TMainWin::Button1Click()
{
    Processing.RestartStatistics();
    if (PendingDisplay)
        PendingDisplay->Min = PendingDisplay->Max = PendingDisplay->Avr = std::nullopt;
    Min->clear();
    Max->clear();
    Avr->clear();
}

void TMainWin::DaneClick()
{
    Minmax1->setChecked(Dane->isChecked());
}

void TMainWin::Minmax1Click()
{
    Minmax1->setChecked(!Minmax1->isChecked());
    Dane->setChecked(Minmax1->isChecked());
}

void TMainWin::LastWYnikClick()
{
    if (Paused) {
        Paused = false;
        LastWYnik->setIcon(QIcon(QStringLiteral(":/images/pause.png")));
        OneWynik->hide();
        LastWYnik->setToolTip(Tekst(90));
    } else {
        Paused = true;
        LastWYnik->setIcon(QIcon(QStringLiteral(":/images/play.png")));
        OneWynik->show();
        LastWYnik->setToolTip(Tekst(91));
    }
}

void TMainWin::OneWynikClick()
{
    StepRequested = true;
}

void TMainWin::KoszClick()
{
    Wykres1->Clear();
}

void TMainWin::Danezurzdzenia1Click()
{
    TrackBar1->hide();
    Wykres1->Clear();
    Kosz->show();
    Danezurzdzenia1->setChecked(true);
    Processing.ForgetPreviousResult();
}

void TMainWin::TrackBar1Change()
{
    Timer1->stop();
    Timer1->start();
}

void TMainWin::Timer1Timer()
{
    RedrawStored(TrackBar1->value());
    Timer1->stop();
}

namespace {
// The manual range from the scale track bars: centre O / 10, half-span W^2 / 100.
std::pair<double, double> ManualRange(int w, int o)
{
    const double centre = o / 10.0;
    const double half = double(w) * double(w) / 100.0;
    return {centre + half, centre - half};
}
} // namespace

void TMainWin::AutoskalowanieClick()
{
    if (Autoskalowanie->isChecked()) {
        Wykres1->setAutoSkala(true);
        W->setEnabled(false);
        O->setEnabled(false);
    } else {
        Wykres1->setAutoSkala(false);
        const auto [top, bottom] = ManualRange(W->value(), O->value());
        Wykres1->SetRange(top, bottom);
        W->setEnabled(true);
        O->setEnabled(true);
    }
    if (!Danezurzdzenia1->isChecked())
        RedrawStored(TrackBar1->value());
}

void TMainWin::WChange()
{
    const auto [top, bottom] = ManualRange(W->value(), O->value());
    Wykres1->SetRange(top, bottom);
}

void TMainWin::RefilterStored()
{
    StoredSeries = Processing.FilterStored(Recorder.Wyniki());
}

void TMainWin::RedrawStored(int start)
{
    ::RedrawStored(*Wykres1, StoredSeries, start);
}
