// The gain search of page 2 and the waits that let the meter's frames in meanwhile.
#include "calib/KalibracjaMain.h"

#include "calib/GainSearch.h"
#include "calib/SampleMessages.h"
#include "core/Messages.h"
#include "core/NumberText.h"
#include "serial/CPort.h"

#include <QEventLoop>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <utility>

namespace {
// How long the meter gets, after a gain value, to send readings made with it.
constexpr int GainWaitMs = 850;
} // namespace

void TkKalibracja::kStartClick()
{
    if (Kroki.Busy() || Kroki.Krok() != 2)
        return;
    if (!FitUsable()) {
        ShowMessage(this, AllAlikeMessage());
        return;
    }
    if (!LinksUsable())
        return;
    Kroki.BeginSearch();
    ApplySteps();
    try {
        kComKalib->PurgeBuffers(true, true);
    } catch (const std::exception &error) {
        ShowMessage(this, QString::fromUtf8(error.what()));
        Kroki.EndSearch(false);
        ApplySteps();
        return;
    }
    const unsigned closes = closeCount_;
    stopSearch_ = false;
    GainSearch search(Zakres);
    while (const std::optional<int> gain = search.Next()) {
        const QString text = QString::number(*gain);
        Label32->setText(text);
        SpinEdit1->setValue(*gain);
        ProbaWMierniku = true;
        wyslij_wzmocnienie(Zakres, text);
        if (!waitRunningEvents(GainWaitMs, closes))
            break;
        // A link lost meanwhile has been reported, a range change too: the reading would not
        // be one of the range being calibrated with this gain.
        if (!kComKalib->Connected() || !kComWzor->Connected() || ZlyZakres == 1)
            break;
        const double reading = WartoscKalibrowana;
        const GainSearch::Outcome outcome = search.Take(reading, MaByc);
        if (outcome == GainSearch::Outcome::Hit) {
            for (QLabel *label : {Label32, Label25}) {
                QFont bold = label->font();
                bold.setBold(true);
                label->setFont(bold);
            }
        } else if (outcome != GainSearch::Outcome::Settled) {
            Label33->setText(FormatGeneral(reading, 15));
            Label34->setText(QString::number(search.Steps()));
        }
    }
    stopSearch_ = false;
    // A window closed meanwhile has been reset by its close and gets nothing more.
    if (closes != closeCount_)
        return;
    // A search cut short (a lost link, a range change, Wstecz) offers nothing, and the meter
    // gets its gain back unless Wstecz has given it already.
    const bool completed = search.Ended();
    Kroki.EndSearch(completed);
    if (completed)
        WynikWzmocnienia = search.LastValue();
    else
        restoreSamplesGain();
    ApplySteps();
}

bool TkKalibracja::waitRunningEvents(int ms, unsigned closes)
{
    if (closes != closeCount_)
        return false;
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    QEventLoop *outer = std::exchange(runningWait_, &loop);
    loop.exec();
    runningWait_ = outer;
    return closes == closeCount_ && !stopSearch_;
}

void TkKalibracja::stopWaiting()
{
    if (runningWait_ != nullptr)
        runningWait_->quit();
}
