#pragma once
// The result store as a CSV file for spreadsheets (RFC 4180): a header row
// "No,Time,Seconds,Value,Unit", then one row per result, every line ended by CR LF. A row holds
// the result's number (from 1), the local date and time it was received in ISO 8601 with
// milliseconds and the offset from UTC ("2026-12-09T04:07:07.123+01:00"), the seconds since the
// first result was received with three decimals and "." as the decimal point ("12.345": the
// column spreadsheets plot against, as they read the ISO time as text), its value with "." as
// the decimal point whatever the locale ("  - 1.50" is "-1.50"), and its unit ("mT", "Gs",
// "kA/m"). Results read from a data file hold no time, no seconds and no unit: those fields are
// empty. Every field is made of digits, signs, ".", ":", letters and "/" only, so none is
// quoted; the file is ASCII, and so UTF-8 as it stands.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// When a recorded result was received, and the unit it was shown in.
struct ResultStamp {
    std::int64_t msecsSinceEpoch = 0;
    int utcOffsetSeconds = 0; // local time is UTC plus this
    const char *unit = ""; // a text that lives as long as the program, as UnitText's do
};

// The stamp of a result received now, in the given unit.
ResultStamp StampNow(const char *unit);

// texts: the result texts as stored; stamps: one per text, or none for results from a file.
QByteArray ResultsCsv(const QStringList &texts, const std::vector<ResultStamp> &stamps);

// Writes the CSV file as data files are written: a new file replaces an older one of that name
// only once it is complete. False on failure.
bool WriteResultsCsv(
    const QString &path, const QStringList &texts, const std::vector<ResultStamp> &stamps);
