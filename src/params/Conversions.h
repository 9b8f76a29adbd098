#pragma once
// Conversions of the texts the technician types into 16-bit cell values of the meter.
// Real numbers may be typed with "," as decimal separator (the first "," is read as "."),
// never depend on the system's locale, and are rounded to the nearest integer with halves
// going to the even neighbour.
#include <QString>
#include <cstdint>
#include <optional>

// A signed decimal integer (32-bit, leading and trailing blanks allowed); empty when the
// text is not one.
std::optional<std::int32_t> ParseInteger(const QString &text);

// Integer conversion: the low 16 bits of the number (70000 -> 4464, -1 -> 0xFFFF).
std::optional<std::uint16_t> IntegerCellValue(const QString &text);

// The text with its first "," replaced by ".".
QString WithDecimalPoint(const QString &text);

// A finite real number in the text after the comma replacement (blanks around it allowed,
// exponents accepted, no thousands separators); empty when the text is not one.
std::optional<double> ParseReal(const QString &text);

// Rounds a number to the nearest integer, halves to the even neighbour, and keeps the low 16
// bits of that integer, however large it is. A value that is not finite has no such bits and
// gives 0: callers refuse it first.
std::uint16_t RoundedLow16(double value);

// Gain conversion: round(x * 32767), low 16 bits, no range check. Empty when the text is
// not a number, or x * 32767 is beyond what a double holds (above about 5.5e303).
std::optional<std::uint16_t> GainCellValue(const QString &text);

// The shortest text of a gain register value as a fraction (register / 32767, "." as decimal
// point) that the gain conversion turns back into exactly that value: 16384 gives "0.5",
// 10000 gives "0.3052". The calibration wizard writes its result into the panel this way, so
// that the cell reads like every other gain and the panel's send writes the register found.
QString GainText(std::uint16_t value);

// Correction coefficient: -1 < x < 1, round(x * 32767) as a signed cell value. Empty when
// the text is not such a number.
std::optional<std::int16_t> CorrectionCellValue(const QString &text);

// Filter gain: -1 < x < 1; 0 for x = 0, else the low 16 bits of round(e^-x * 32768), read
// as a signed number (0,5 gives 19875). Empty when the text is not such a number.
std::optional<std::int16_t> FilterGainCellValue(const QString &text);

// Probe-type threshold in mV: 0 <= v <= 1800, low 16 bits of round(v * -0.4092)
// (1800 gives 0xFD1F). Empty when v is out of range.
std::optional<std::uint16_t> ProbeThresholdCellValue(std::int32_t millivolts);

// A phase byte: the text as an integer, its low 8 bits. Empty when not an integer.
std::optional<std::uint8_t> PhaseByte(const QString &text);
