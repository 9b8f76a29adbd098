#include "calib/WizardSteps.h"

void WizardSteps::GoTo(int krok)
{
    krok_ = krok;
    resultReady_ = false;
}

void WizardSteps::BeginSearch()
{
    searching_ = true;
    resultReady_ = false;
}

void WizardSteps::EndSearch(bool completed)
{
    searching_ = false;
    resultReady_ = completed && krok_ == 2;
}

void WizardSteps::Reset()
{
    *this = WizardSteps {};
}

WizardSteps::Buttons WizardSteps::State() const
{
    Buttons b;
    b.page = krok_;
    switch (krok_) {
    case 0:
        b.dalejEnabled = !connecting_;
        break;
    case 1:
        b.wsteczEnabled = true;
        break;
    default:
        b.wsteczEnabled = true;
        b.dalejZakoncz = true;
        b.dalejEnabled = resultReady_ && !searching_;
        b.startVisible = true;
        b.startEnabled = !searching_;
        break;
    }
    return b;
}
