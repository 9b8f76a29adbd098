#pragma once
// The text of a result as it is shown, recorded and written to data files.
#include <QString>

// x right-aligned in a field of width 7 with 2, 1 or 0 decimals for decimal class 0, 1 or 2
// (a class outside 0 ... 2 counts as the nearest of them), "." as decimal point whatever the
// locale; one space is inserted right behind the first "-". Halves round away from zero, as on
// the meter's display, judged on the value's first 15 significant digits (1.005 shows "1.01"
// although the double lies just below it); a value that rounds to zero shows no sign.
QString FormatResult(int decimalClass, double x);

// If the text starts with "-", one space is inserted at the second position.
QString PadLeadingMinus(const QString &text);
