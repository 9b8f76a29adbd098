#pragma once
// The texts the wizard shows of its samples and fits.
#include "calib/SampleTable.h"

#include <QString>

// Column 0 ... 4 of a sample's grid row: Id as an integer, X, Uwz, Ucal and Uend in general
// format with at most 5 significant digits.
QString SampleCell(const Probka &p, int column);

// The reference line, "y = 1.000 * x": SkalaWzorca with 3 decimals (precision 5).
QString ReferenceEquation(const SampleTable &table);

// The meter's line, "y = 1.000 * x + 2": WspA with 3 decimals (precision 5), WspB in general
// format with at most 3 significant digits (a negative one reads "+ -2").
QString MeterEquation(const SampleTable &table);

// The chart's label of a reference point: X with 3 decimals (precision 3).
QString ReferencePointLabel(double x);

// The target of the gain search (Label35): number format rounded to 3 significant digits, 1
// decimal in the fine ranges DC1 and AC1 (0, 2) and none in DC2 and AC2; a target of a
// million or more in size, far beyond any reading of the meter, in general format with 3
// significant digits, so that the text stays short.
QString TargetText(double target, int range);
