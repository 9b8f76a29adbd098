#pragma once
// The true magnetic field at the probe, in the display unit: a set value with a slow
// sinusoidal drift. Every simulated instrument reads this same field.
class FieldModel {
public:
    FieldModel(double field, double driftAmplitude, double driftPeriodSeconds);
    double TrueField(double seconds) const;
    // A new set value; the drift goes on around it.
    void SetField(double field) { field_ = field; }

private:
    double field_;
    double driftAmplitude_;
    double driftPeriod_;
};
