#include "files/ResultsCsv.h"

#include "files/WholeFile.h"

#include <QDateTime>
#include <cstdio>

namespace {
constexpr std::int64_t MsPerDay = 86'400'000;

// Floor division: times before 1970 fall on the day before, not after.
std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

struct CivilDate {
    std::int64_t year;
    int month, day;
};

// The proleptic Gregorian date of a day counted from 1970-01-01.
CivilDate civilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = floorDiv(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra
        = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153; // months from March
    const int day = int(dayOfYear - (153 * shifted + 2) / 5 + 1);
    const int month = int(shifted < 10 ? shifted + 3 : shifted - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

void appendTime(QByteArray &out, const ResultStamp &stamp)
{
    const std::int64_t local = stamp.msecsSinceEpoch + std::int64_t(stamp.utcOffsetSeconds) * 1000;
    const std::int64_t days = floorDiv(local, MsPerDay);
    const std::int64_t ms = local - days * MsPerDay;
    const CivilDate date = civilFromDays(days);
    const int offsetMinutes
        = (stamp.utcOffsetSeconds < 0 ? -stamp.utcOffsetSeconds : stamp.utcOffsetSeconds) / 60;
    char text[64];
    const int n
        = std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d",
            static_cast<long long>(date.year), date.month, date.day, int(ms / 3'600'000),
            int(ms / 60'000 % 60), int(ms / 1000 % 60), int(ms % 1000),
            stamp.utcOffsetSeconds < 0 ? '-' : '+', offsetMinutes / 60, offsetMinutes % 60);
    out.append(text, n);
}

// Milliseconds as seconds with three decimals: "12.345", "-0.005".
void appendSeconds(QByteArray &out, std::int64_t ms)
{
    const std::int64_t magnitude = ms < 0 ? -ms : ms;
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%s%lld.%03d", ms < 0 ? "-" : "",
        static_cast<long long>(magnitude / 1000), int(magnitude % 1000));
    out.append(text, n);
}

void appendUnit(QByteArray &out, const char *unit)
{
    while (*unit == ' ')
        ++unit;
    out.append(unit);
}
} // namespace

ResultStamp StampNow(const char *unit)
{
    const QDateTime now = QDateTime::currentDateTime();
    return {now.toMSecsSinceEpoch(), now.offsetFromUtc(), unit};
}

QByteArray ResultsCsv(const QStringList &texts, const std::vector<ResultStamp> &stamps)
{
    const bool timed = stamps.size() == std::size_t(texts.size());
    QByteArray out;
    out.reserve(28 + texts.size() * (timed ? 60 : 16));
    out.append("No,Time,Seconds,Value,Unit\r\n");
    for (qsizetype i = 0; i < texts.size(); ++i) {
        out.append(QByteArray::number(i + 1));
        out.append(',');
        if (timed)
            appendTime(out, stamps[std::size_t(i)]);
        out.append(',');
        if (timed)
            appendSeconds(out, stamps[std::size_t(i)].msecsSinceEpoch - stamps[0].msecsSinceEpoch);
        out.append(',');
        for (const QChar c : texts[i])
            if (c != QLatin1Char(' '))
                out.append(char(c.toLatin1()));
        out.append(',');
        if (timed)
            appendUnit(out, stamps[std::size_t(i)].unit);
        out.append("\r\n");
    }
    return out;
}

bool WriteResultsCsv(
    const QString &path, const QStringList &texts, const std::vector<ResultStamp> &stamps)
{
    return WriteWholeFile(path, ResultsCsv(texts, stamps));
}
