#include "calib/SampleTable.h"

#include <cmath>

bool SampleTable::Register(double uwz, double ucal)
{
    if (count_ >= kCapacity)
        return false;
    ++count_;
    Probka &p = records_[count_];
    p.Id = count_;
    p.Uwz = uwz;
    p.Ucal = ucal;
    return true;
}

bool SampleTable::Delete(int row)
{
    if (row < 1 || row > count_)
        return false;
    for (int i = row; i < count_; ++i) {
        records_[std::size_t(i)] = records_[std::size_t(i) + 1];
        records_[std::size_t(i)].Id = records_[std::size_t(i) - 1].Id + 1;
    }
    --count_;
    return true;
}

void SampleTable::SkalujWzorzec()
{
    double largest = 0;
    indeksMax_ = 0;
    for (int i = 1; i <= count_; ++i) {
        if (records_[std::size_t(i)].Uwz > largest) {
            largest = records_[std::size_t(i)].Uwz;
            indeksMax_ = i;
        }
    }
    if (indeksMax_ != 0) {
        Probka &top = records_[std::size_t(indeksMax_)];
        top.X = top.Uwz;
        skalaWzorca_ = top.Uwz / top.X;
    } else if (skalaWzorca_ == 0) {
        skalaWzorca_ = 1.0;
    }
    for (int i = 1; i <= count_; ++i)
        records_[std::size_t(i)].X = records_[std::size_t(i)].Uwz / skalaWzorca_;
}

bool SampleTable::ObliczRegresje()
{
    const double n = count_;
    double sx = 0, sxx = 0, sy = 0, sxy = 0, syPo = 0, sxyPo = 0;
    for (int i = 1; i <= count_; ++i) {
        const Probka &p = records_[std::size_t(i)];
        sx += p.X;
        sxx += p.X * p.X;
        sy += p.Ucal;
        sxy += p.X * p.Ucal;
        syPo += p.Uend;
        sxyPo += p.X * p.Uend;
    }
    wyznacznik_ = n * sxx - sx * sx;
    // Equal abscissas leave in the determinant only the rounding of the sums, so it counts as
    // zero up to a small part of n * Sxx; NaN and overflow fail the test as well.
    if (!(std::abs(wyznacznik_) > kAlikeDeterminant * n * sxx) || !std::isfinite(wyznacznik_))
        return false;
    const double a = (n * sxy - sx * sy) / wyznacznik_;
    const double b = (sy - a * sx) / n;
    const double aPo = (n * sxyPo - sx * syPo) / wyznacznik_;
    const double bPo = (syPo - aPo * sx) / n;
    for (const double c : {a, b, aPo, bPo})
        if (!std::isfinite(c))
            return false;
    wspA_ = a;
    wspB_ = b;
    wspAPo_ = aPo;
    wspBPo_ = bPo;
    return true;
}

std::optional<double> SampleTable::Corrected(double ucal) const
{
    if (wspA_ == 0)
        return std::nullopt;
    const double corrected = (ucal - wspB_) * (skalaWzorca_ / wspA_);
    if (!std::isfinite(corrected))
        return std::nullopt;
    return corrected;
}

void SampleTable::PrzeliczPoprawionaSerie()
{
    for (int i = 1; i <= count_; ++i) {
        Probka &p = records_[std::size_t(i)];
        if (const auto corrected = Corrected(p.Ucal))
            p.Uend = *corrected;
    }
}

void SampleTable::AdjustCorrectedLine(double deltaA, double deltaB)
{
    wspAPo_ += deltaA;
    wspBPo_ += deltaB;
}
