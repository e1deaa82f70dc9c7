#include "tracer/U_DateTime.h"

#include "core/U_Clock.h"
#include "core/U_Glb.h"

#include <cmath>

namespace {
// 1899-12-30, as a constant: a date made at start-up may be used before it exists.
constexpr QDate kEpoch = QDate::fromJulianDay(2415019);
// Year 1 to year 9999, as far as a date text can go.
constexpr double kFirstDay = -693593.0;
constexpr double kLastDay = 2958466.0;

void CheckRange(TDateTime value)
{
    if (!(value > kFirstDay - 1.0 && value < kLastDay))
        throw EConvertError("Invalid floating point date-time value");
}

// The value of a run of `count` digits at `from`, or -1.
int DigitsAt(QStringView text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}
} // namespace

TDateTime ToDateTime(const QDate& date)
{
    return static_cast<TDateTime>(kEpoch.daysTo(date));
}

TDateTime ToDateTime(const QTime& time)
{
    return TimeFromSeconds(time.msecsSinceStartOfDay() / 1000);
}

TDateTime ToDateTime(const QDateTime& at)
{
    // Before the epoch the fraction still counts forward from midnight: -1.25 is 06:00.
    const TDateTime day = ToDateTime(at.date());
    const TDateTime time = ToDateTime(at.time());
    return day < 0 ? day - time : day + time;
}

TDateTime NowDateTime()
{
    return ToDateTime(Now());
}

QDate DateOf(TDateTime value)
{
    CheckRange(value);
    // Before the epoch the whole part still counts the days and the fraction the time.
    return kEpoch.addDays(static_cast<qint64>(std::trunc(value)));
}

int SecondsOfDay(TDateTime value)
{
    if (!std::isfinite(value))
        return 0;
    // Rounded to the millisecond first, so that 10:20:30 held as 10:20:29.99999 stays 10:20:30.
    const double fraction = std::fabs(value - std::trunc(value));
    const auto ms = static_cast<qint64>(std::llround(fraction * kSecondsPerDay * 1000.0));
    return static_cast<int>((ms / 1000) % kSecondsPerDay);
}

QTime TimeOf(TDateTime value)
{
    return QTime::fromMSecsSinceStartOfDay(SecondsOfDay(value) * 1000);
}

QString DateText(TDateTime value)
{
    return DateOf(value).toString(QStringLiteral("dd/MM/yyyy"));
}

QString TimeText(TDateTime value)
{
    CheckRange(value);
    const int s = SecondsOfDay(value);
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

std::optional<TDateTime> TextToDate(QStringView text)
{
    if (text.size() != 10 || text[2] != u'/' || text[5] != u'/')
        return std::nullopt;
    const int y = DigitsAt(text, 6, 4);
    const int m = DigitsAt(text, 3, 2);
    const int d = DigitsAt(text, 0, 2);
    // A negative year would be a real date to QDate: a non-digit must not become one.
    if (y < 1 || m < 0 || d < 0)
        return std::nullopt;
    const QDate date(y, m, d);
    if (!date.isValid())
        return std::nullopt;
    return ToDateTime(date);
}

std::optional<TDateTime> TextToTime(QStringView text)
{
    const std::optional<int> seconds = TextToSeconds(text);
    return seconds ? std::optional(TimeFromSeconds(*seconds)) : std::nullopt;
}

std::optional<int> TextToSeconds(QStringView text)
{
    if (text.size() != 8 || text[2] != u':' || text[5] != u':')
        return std::nullopt;
    const int h = DigitsAt(text, 0, 2);
    const int m = DigitsAt(text, 3, 2);
    const int s = DigitsAt(text, 6, 2);
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        return std::nullopt;
    return h * 3600 + m * 60 + s;
}
