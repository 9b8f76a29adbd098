#pragma once
// Numbers as the windows' labels, grids and charts show them. "." is the decimal point whatever
// the system's locale; a result that rounds to zero carries no minus sign.
#include <QString>

// General format: the value rounded to `precision` significant digits, trailing zeros dropped.
// Fixed notation while the value has at most `precision` digits before the point and is not
// below 0.00001 in size ("12346", "0.5"); otherwise scientific with the shortest exponent
// ("1.2346E5", "1E-6").
QString FormatGeneral(double value, int precision);

// Fixed format: the value rounded once, to `precision` significant digits or `decimals`
// decimals whichever keeps fewer digits, then shown with exactly `decimals` decimals
// ("1.000", "12.300"). A value with more than `precision` digits before the point falls back
// to the general format.
QString FormatFixed(double value, int precision, int decimals);

// Number format: the value rounded to `precision` significant digits and shown with exactly
// `decimals` decimals like the fixed format, but never in scientific notation, and with the
// digits before the point grouped by threes, a space between the groups ("1 230", 3 digits;
// "-1 234 567.25"). The space reads the same to a reader used to either decimal separator,
// where a "," or "." between groups would not.
QString FormatNumber(double value, int precision, int decimals);
