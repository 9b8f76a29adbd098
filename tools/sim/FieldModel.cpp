#include "FieldModel.h"

#include <cmath>
#include <numbers>

FieldModel::FieldModel(double field, double driftAmplitude, double driftPeriodSeconds)
    : field_(field)
    , driftAmplitude_(driftAmplitude)
    , driftPeriod_(driftPeriodSeconds)
{
}

double FieldModel::TrueField(double seconds) const
{
    if (driftAmplitude_ == 0 || driftPeriod_ <= 0)
        return field_;
    return field_ + driftAmplitude_ * std::sin(2 * std::numbers::pi * seconds / driftPeriod_);
}
