#include "TestEnv.h"
#include "tracer/U_DateTime.h"
#include "tracer/U_TraceTable.h"

#include <gtest/gtest.h>

namespace {
TDateTime T(const char* text)
{
    return TextToTime(QString::fromLatin1(text)).value();
}

TDateTime At(int d, const char* time)
{
    return ToDateTime(QDate(2026, 3, d)) + T(time);
}
} // namespace

TEST(TraceTime, ConversionsKeepWholeSecondsAndTheEpoch)
{
    EXPECT_EQ(ToDateTime(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(ToDateTime(QDate(2026, 12, 6)), 46362.0);
    EXPECT_EQ(ToDateTime(QTime(12, 0, 0, 999)), 0.5);
    const TDateTime at = ToDateTime(QDateTime(QDate(2026, 12, 6), QTime(18, 30, 5, 700)));
    EXPECT_EQ(DateOf(at), QDate(2026, 12, 6));
    EXPECT_EQ(DateText(at) + TimeText(at), "06/12/202618:30:05");
    // Days before the epoch count back while the fraction stays the time of day.
    EXPECT_EQ(DateOf(-1.25), QDate(1899, 12, 29));
    EXPECT_EQ(TimeText(-1.25), "06:00:00");
    EXPECT_EQ(ToDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    // Milliseconds are dropped, not rounded.
    EXPECT_EQ(SecondsOfDay(TimeFromSeconds(10) + 0.999 / kSecondsPerDay), 10);
    EXPECT_EQ(SecondsOfDay(TimeFromSeconds(10) - 0.0004 / kSecondsPerDay), 10);
    for (int s = 0; s < kSecondsPerDay; ++s) {
        const TDateTime value = 46362.0 + TimeFromSeconds(s);
        ASSERT_EQ(SecondsOfDay(value), s) << s;
        ASSERT_EQ(TextToTime(TimeText(value)), TimeFromSeconds(s)) << s;
    }
    // Values without a text are conversion errors.
    EXPECT_THROW(DateText(std::nan("")), EConvertError);
    EXPECT_THROW(TimeText(std::numeric_limits<double>::infinity()), EConvertError);
    EXPECT_THROW(DateText(1e9), EConvertError);
    EXPECT_EQ(DateText(2958465.5), "31/12/9999");
    EXPECT_EQ(DateText(-693593.0), "01/01/0001");
}

TEST(TraceTime, DateAndTimeTextsAreReadStrictly)
{
    EXPECT_EQ(TextToDate(u"29/02/2028"), ToDateTime(QDate(2028, 2, 29)));
    EXPECT_EQ(TextToTime(u"23:59:59"), TimeFromSeconds(kSecondsPerDay - 1));
    for (const char16_t* bad :
         {u"31/02/2026", u"29/02/2026", u"00/01/2026", u"01/13/2026", u"01/00/2026", u"6/12/2026",
          u"06/12/26", u"06-12-2026", u"06/12/2026 ", u" 06/12/2026", u"06/12/00000", u"06/12/0000",
          u"0a/12/2026", u"06/12/-026", u"", u"０6/12/2026"})
        EXPECT_FALSE(TextToDate(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    for (const char16_t* bad :
         {u"24:00:00", u"12:75:00", u"12:00:60", u"9:05:00", u"09:05", u"09:05:00.5", u"09.05.00",
          u"-1:00:00", u"+1:00:00", u"", u"0 :00:00"})
        EXPECT_FALSE(TextToTime(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    QString date = QStringLiteral("06/12/2026"), time = QStringLiteral("09:05:00");
    date[1] = time[7] = QChar(0);
    EXPECT_FALSE(TextToDate(date).has_value());
    EXPECT_FALSE(TextToTime(time).has_value());
}

TEST(TraceTime, TimeAddCarriesOnceAndFailsAtADay)
{
    const char* sums[][3] = {{"00:59:30", "00:00:45", "01:00:15"},
                             {"10:20:30", "02:45:40", "13:06:10"},
                             {"00:59:59", "00:59:59", "01:59:58"},
                             {"23:59:58", "00:00:01", "23:59:59"}};
    for (const auto& s : sums)
        EXPECT_EQ(TimeText(TimeAdd(T(s[0]), T(s[1]))), s[2]) << s[0] << "+" << s[1];
    EXPECT_THROW(TimeAdd(T("23:59:59"), T("00:00:01")), EConvertError);
    EXPECT_THROW(TimeAdd(T("23:00:00"), T("23:00:00")), EConvertError);
    // Only the times of day are added: the dates play no part.
    EXPECT_EQ(TimeText(TimeAdd(At(1, "01:00:00"), At(2, "02:00:00"))), "03:00:00");
    EXPECT_LT(TimeAdd(At(1, "01:00:00"), 0), 1.0);
}

TEST(TraceTime, TimeDiffIgnoresDatesAndNeverGoesBackwards)
{
    EXPECT_EQ(TimeText(TimeDiff(At(1, "09:15:00"), At(2, "10:00:30"))), "00:45:30");
    EXPECT_EQ(TimeText(TimeDiff(T("14:00:00"), T("14:00:00"))), "00:00:00");
    EXPECT_EQ(TimeText(TimeDiff(T("00:00:00"), T("23:59:59"))), "23:59:59");
    EXPECT_EQ(TimeDiff(T("23:59:50"), T("00:00:10")), 0.0);
    EXPECT_EQ(TimeDiff(At(1, "10:00:00"), At(2, "09:00:00")), 0.0);
    // Milliseconds fall away on both sides before the difference.
    EXPECT_EQ(TimeText(TimeDiff(T("10:00:00") + 0.9 / kSecondsPerDay, T("10:00:05"))), "00:00:05");
}
