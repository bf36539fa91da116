#include "platform/vbrt/vbrt.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

using namespace vbrt;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int sec = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, sec), Qt::UTC);
}

int thisYear() {
    return QDate::currentDate().year();
}

} // namespace

TEST(IsDate, Times) {
    for (const char* ok : {"9:30", "09:30", "0:00", "23:59", "09:30:00", "23:59:59", " 9:30 "})
        EXPECT_TRUE(IsDate(s(ok))) << ok;
    for (const char* bad : {"09:60", "24:00", "9:", ":30", "9:30:60", "123:00", "9:30:00:00",
                            "9.30", "930", "0930", "2460"})
        EXPECT_FALSE(IsDate(s(bad))) << bad;
}

TEST(IsDate, Dates) {
    for (const char* ok : {"12/31", "1/1", "2024/01/05", "24/01/05", "2024/1/5", "2024-01-05",
                           "2024/02/29", "2024/01", "2024/01/05 09:30", "12/31 23:59:59"})
        EXPECT_TRUE(IsDate(s(ok))) << ok;
    for (const char* bad :
         {"", " ", "13/01", "12/32", "0/1", "2023/02/29", "2024/13/01", "2024-1", "24-01-05",
          "1/2/3/4", "5/", "/5", "12/31 24:00", "abc", "2024/01/05 930", "１２/３１"})
        EXPECT_FALSE(IsDate(s(bad))) << bad;
    // Month and day alone take this year.
    EXPECT_EQ(IsDate(s("02/29")), QDate::isLeapYear(thisYear()));
}

TEST(CDate, ReadsTheJapaneseForms) {
    EXPECT_EQ(CDate(s("24/01/05")), at(2024, 1, 5));
    EXPECT_EQ(CDate(s("2024/1/5")), at(2024, 1, 5));
    EXPECT_EQ(CDate(s("2024-01-05")), at(2024, 1, 5));
    EXPECT_EQ(CDate(s("29/12/31")), at(2029, 12, 31));
    EXPECT_EQ(CDate(s("30/01/01")), at(1930, 1, 1));
    EXPECT_EQ(CDate(s("99/12/31")), at(1999, 12, 31));
    EXPECT_EQ(CDate(s("0/1/1")), at(2000, 1, 1));
    EXPECT_EQ(CDate(s("12/31")), at(thisYear(), 12, 31));
    EXPECT_EQ(CDate(s("1991/05")), at(1991, 5, 1));
    // A time alone lies on day zero of the date numbers.
    EXPECT_EQ(CDate(s("9:30")), at(1899, 12, 30, 9, 30));
    EXPECT_EQ(CDate(s("09:30:15")), at(1899, 12, 30, 9, 30, 15));
    EXPECT_EQ(CDate(s("2024/01/05  9:05")), at(2024, 1, 5, 9, 5));
    EXPECT_FALSE(CDate(s("930")).has_value());
}

TEST(DateToText, ShortDateAndTime) {
    EXPECT_EQ(dateToText(at(2024, 1, 5)), s("2024/01/05"));
    EXPECT_EQ(dateToText(at(2024, 1, 5, 9, 5, 7)), s("2024/01/05 9:05:07"));
    EXPECT_EQ(dateToText(at(1899, 12, 30, 9, 30)), s("9:30:00"));
    EXPECT_EQ(dateToText(at(1899, 12, 30)), s("0:00:00"));
    EXPECT_EQ(dateToText(QDateTime()), QString());
}
