#include "platform/vbrt/vbrt.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

using namespace vbrt;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QString fmt(const char* text, const char* pattern) {
    return Format(s(text), s(pattern));
}

} // namespace

TEST(Format, TimesWithHourMinutePatterns) {
    EXPECT_EQ(fmt("09:30", "hh:mm"), s("09:30"));
    EXPECT_EQ(fmt("9:30", "HH:MM"), s("09:30"));
    EXPECT_EQ(fmt("09:30:00", "HH:MM"), s("09:30"));
    EXPECT_EQ(fmt("23:59:59", "hh:mm"), s("23:59"));
    EXPECT_EQ(fmt("9:05:07", "h:n:s"), s("9:5:7"));
    EXPECT_EQ(fmt("9:05:07", "hh:nn:ss"), s("09:05:07"));
    EXPECT_EQ(fmt("2024/01/05 18:07", "yyyy/mm/dd hh:mm"), s("2024/01/05 18:07"));
    // "mm" in front of seconds is the minute as well.
    EXPECT_EQ(fmt("9:05:07", "mm:ss"), s("05:07"));
}

TEST(Format, NumbersAreDaysForDatePatterns) {
    // A bare number is that many days after 1899-12-30, at midnight.
    EXPECT_EQ(fmt("0930", "hh:mm"), s("00:00"));
    EXPECT_EQ(fmt("2460", "hh:mm"), s("00:00"));
    EXPECT_EQ(fmt("1231", "HH:MM"), s("00:00"));
    EXPECT_EQ(fmt("930", "yyyy/mm/dd"), s("1902/07/18"));
    EXPECT_EQ(fmt("0", "yyyy/mm/dd"), s("1899/12/30"));
    EXPECT_EQ(fmt("0.5", "hh:mm"), s("12:00"));
    EXPECT_EQ(fmt("-1.25", "yyyy/mm/dd hh:mm"), s("1899/12/29 06:00"));
    EXPECT_EQ(fmt("45296", "yy/mm/dd"), s("24/01/05"));
}

TEST(Format, DatePatterns) {
    EXPECT_EQ(fmt("2024/01/05", "yy/mm/dd"), s("24/01/05"));
    EXPECT_EQ(fmt("24/01/05", "yy/mm/dd"), s("24/01/05"));
    EXPECT_EQ(fmt("2024/1/5", "yyyy/mm/dd"), s("2024/01/05"));
    EXPECT_EQ(fmt("2024-01-05", "YYYY/MM/DD"), s("2024/01/05"));
    EXPECT_EQ(fmt("12/31", "mm/dd"), s("12/31"));
    EXPECT_EQ(fmt("5/3", "mm/dd"), s("05/03"));
    EXPECT_EQ(fmt("1991/05", "yyyy/mm"), s("1991/05"));
    EXPECT_EQ(fmt("2090/12", "yyyy/mm"), s("2090/12"));
    EXPECT_EQ(fmt("2024/01/05", "yyyy\"年\"m\"月\"d\"日\""), s("2024年1月5日"));
    EXPECT_EQ(fmt("2024/02/05", "y"), s("36"));
}

TEST(Format, OtherTextComesBackUnchanged) {
    for (const char* t : {"", "abc", "09:60", "24:00", "9:", "2023/02/29", "１２:００"}) {
        EXPECT_EQ(fmt(t, "hh:mm"), s(t)) << t;
        EXPECT_EQ(fmt(t, "00"), s(t)) << t;
    }
    EXPECT_EQ(fmt("930", ""), s("930"));
}

TEST(Format, NumericPatterns) {
    EXPECT_EQ(fmt("5", "00"), s("05"));
    EXPECT_EQ(fmt("05", "00"), s("05"));
    EXPECT_EQ(fmt("123", "00"), s("123"));
    EXPECT_EQ(fmt("0", "00"), s("00"));
    EXPECT_EQ(fmt("-5", "00"), s("-05"));
    EXPECT_EQ(fmt(" 7 ", "00"), s("07"));
    EXPECT_EQ(fmt("&H1F", "00"), s("31"));
    // Format rounds half away from zero, on the decimal digits of the value.
    EXPECT_EQ(fmt("2.5", "00"), s("03"));
    EXPECT_EQ(fmt("-2.5", "0"), s("-3"));
    EXPECT_EQ(fmt("0.125", "0.00"), s("0.13"));
    EXPECT_EQ(fmt("1.005", "0.00"), s("1.01"));
    EXPECT_EQ(fmt("0.996", "0.00"), s("1.00"));
    EXPECT_EQ(fmt("2.25", "0.0"), s("2.3"));
    EXPECT_EQ(fmt("1.5", "0.000"), s("1.500"));
    EXPECT_EQ(fmt("1.5", "0.0#"), s("1.5"));
    EXPECT_EQ(fmt("1234567.891", "#,##0.00"), s("1,234,567.89"));
    EXPECT_EQ(fmt("999.5", "#,##0"), s("1,000"));
    EXPECT_EQ(fmt("0", "#,##0"), s("0"));
    EXPECT_EQ(fmt("12", "\"No.\"000"), s("No.012"));
    EXPECT_EQ(fmt("1e20", "0"), s("100000000000000000000"));
}

TEST(Format, DateValues) {
    const QDateTime dt(QDate(2024, 1, 5), QTime(9, 30, 15));
    EXPECT_EQ(Format(dt, s("HH:MM")), s("09:30"));
    EXPECT_EQ(Format(dt, s("yyyy/mm/dd")), s("2024/01/05"));
    EXPECT_EQ(Format(dt, s("yy/mm/dd hh:nn:ss")), s("24/01/05 09:30:15"));
    EXPECT_EQ(Format(dt, QString()), s("2024/01/05 9:30:15"));
    EXPECT_EQ(Format(QDateTime(QDate(1899, 12, 31), QTime(12, 0)), s("0.0")), s("1.5"));
    EXPECT_EQ(Format(QDateTime(), s("hh:mm")), QString());
    // What CDate reads, Format writes back in the same form.
    for (const char* t : {"09:30", "23:59", "00:00"})
        EXPECT_EQ(Format(*CDate(s(t)), s("hh:mm")), s(t)) << t;
}
