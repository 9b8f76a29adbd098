#pragma once
// Numbers as the windows' labels show them, "." as decimal point whatever the locale:
//  - general: the shortest text of the value rounded to `precision` significant digits;
//  - fixed: the value rounded to `precision` significant digits, shown with exactly
//    `decimals` decimals (zeros added); a value with more integer digits than `precision`
//    is shown in general form instead.
// Neither shows "-0".
#include <QString>

QString FormatGeneral(double value, int precision);
QString FormatFixed(double value, int precision, int decimals);
