#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>

#include <optional>

// A date-time value: days since 1899-12-30, the fraction being the time of day.
using TDateTime = double;

constexpr int kSecondsPerDay = 86400;

TDateTime ToDateTime(const QDate& date);
// The time of day alone, in whole seconds.
TDateTime ToDateTime(const QTime& time);
TDateTime ToDateTime(const QDateTime& at);
inline TDateTime TimeFromSeconds(int seconds)
{
    return static_cast<TDateTime>(seconds) / kSecondsPerDay;
}
// The present instant from the program's clock.
TDateTime NowDateTime();

// The day of `value`; throws EConvertError when `value` is no date.
QDate DateOf(TDateTime value);
// The time of day of `value`, milliseconds dropped.
int SecondsOfDay(TDateTime value);
QTime TimeOf(TDateTime value);

// dd/mm/yyyy and hh:mm:ss whatever the locale; throw EConvertError when `value` is no date.
QString DateText(TDateTime value);
QString TimeText(TDateTime value);

// Strict readings of the two fixed formats: two digits each, a real day, a real time.
std::optional<TDateTime> TextToDate(QStringView text);
std::optional<TDateTime> TextToTime(QStringView text);
// The second of the day a strict time text stands for.
std::optional<int> TextToSeconds(QStringView text);
