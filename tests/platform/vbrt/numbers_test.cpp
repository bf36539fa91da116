#include "platform/vbrt/vbrt.h"

#include "qstring_printer.h"
#include <QLocale>

#include <gtest/gtest.h>

using namespace vbrt;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST(Trim, RemovesAsciiSpacesOnly) {
    EXPECT_EQ(Trim(s("  C01 A  ")), s("C01 A"));
    EXPECT_EQ(LTrim(s("  x  ")), s("x  "));
    EXPECT_EQ(RTrim(s("  x  ")), s("  x"));
    EXPECT_EQ(Trim(s("\tx\t")), s("\tx\t"));
    EXPECT_EQ(Trim(s("　全角　")), s("　全角　"));
    EXPECT_EQ(Trim(s("   ")), QString());
}

TEST(ToDouble, AcceptsDecimalHexAndOctal) {
    EXPECT_EQ(toDouble(s("&H1F")), 31.0);
    EXPECT_EQ(toDouble(s("&h1f")), 31.0);
    EXPECT_EQ(toDouble(s("&O17")), 15.0);
    EXPECT_EQ(toDouble(s(" 12 ")), 12.0);
    EXPECT_EQ(toDouble(s("1e3")), 1000.0);
    EXPECT_EQ(toDouble(s("1.5E-1")), 0.15);
    EXPECT_EQ(toDouble(s("-1.5")), -1.5);
    EXPECT_EQ(toDouble(s("+2")), 2.0);
    EXPECT_EQ(toDouble(s(".5")), 0.5);
    EXPECT_EQ(toDouble(s("5.")), 5.0);
    EXPECT_EQ(toDouble(s("\t7\t")), 7.0);
    EXPECT_EQ(toDouble(s("1e-400")), 0.0);
}

TEST(ToDouble, ColourValues) {
    EXPECT_EQ(toDouble(s("12632256")), 12632256.0);
    // Up to eight hex digits the literal is a 32-bit Long, so the system colours are negative.
    EXPECT_EQ(toDouble(s("&H80000005")), -2147483643.0);
    EXPECT_EQ(toDouble(s("&HFFFF")), 65535.0);
    EXPECT_EQ(toDouble(s("&H100000000")), 4294967296.0);
}

TEST(ToDouble, RejectsEmptyAndNonNumericText) {
    for (const char* bad : {"",
                            "   ",
                            "abc",
                            "1e",
                            "1e+",
                            ".",
                            "-",
                            "1.2.3",
                            "--1",
                            "1 2",
                            "12a",
                            "inf",
                            "nan",
                            "0x10",
                            "&H",
                            "&HG",
                            "&O8",
                            "&X1",
                            "&",
                            "1,000",
                            "１２",
                            "1e400",
                            "1e99999999999999999999",
                            "&H10000000000000000"}) {
        EXPECT_FALSE(toDouble(s(bad)).has_value()) << bad;
    }
}

TEST(ToDouble, IgnoresTheMachineLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(toDouble(s("1.5")), 1.5);
    EXPECT_FALSE(toDouble(s("1,5")).has_value());
    QLocale::setDefault(QLocale::c());
}

TEST(ToInteger, RoundsHalfToEvenWithinSixteenBits) {
    EXPECT_EQ(toInteger(s("2.5")), int16_t{2});
    EXPECT_EQ(toInteger(s("3.5")), int16_t{4});
    EXPECT_EQ(toInteger(s("-2.5")), int16_t{-2});
    EXPECT_EQ(toInteger(s("2.51")), int16_t{3});
    EXPECT_EQ(toInteger(s("1")), int16_t{1});
    EXPECT_EQ(toInteger(s(" 0 ")), int16_t{0});
    EXPECT_EQ(toInteger(s("32767")), int16_t{32767});
    EXPECT_EQ(toInteger(s("-32768")), int16_t{-32768});
    EXPECT_EQ(toInteger(s("-32768.5")), int16_t{-32768});
    EXPECT_FALSE(toInteger(s("32768")).has_value());
    EXPECT_FALSE(toInteger(s("32767.5")).has_value());
    EXPECT_FALSE(toInteger(s("-32769")).has_value());
    EXPECT_FALSE(toInteger(s("abc")).has_value());
    EXPECT_FALSE(toInteger(s("")).has_value());
    // A four-digit hex literal is the Integer's bit pattern.
    EXPECT_EQ(toInteger(s("&HFFFF")), int16_t{-1});
    EXPECT_EQ(toInteger(s("&H7FFF")), int16_t{32767});
    EXPECT_FALSE(toInteger(s("&H10000")).has_value());
}

TEST(ToLong, ThirtyTwoBits) {
    EXPECT_EQ(toLong(s("12632256")), 12632256);
    EXPECT_EQ(toLong(s("&H80000005")), -2147483643);
    EXPECT_EQ(toLong(s("&HFFFF")), 65535);
    EXPECT_EQ(toLong(s("&HFFFFFFFF")), -1);
    EXPECT_EQ(toLong(s("2147483647")), 2147483647);
    EXPECT_EQ(toLong(s("-2147483648")), INT32_MIN);
    EXPECT_EQ(toLong(s("0.5")), 0);
    EXPECT_EQ(toLong(s("1.5")), 2);
    EXPECT_FALSE(toLong(s("2147483648")).has_value());
    EXPECT_FALSE(toLong(s("&H100000000")).has_value());
    EXPECT_FALSE(toLong(s("")).has_value());
}

TEST(ToBoolean, WordsOrNumbers) {
    EXPECT_EQ(toBoolean(s("True")), true);
    EXPECT_EQ(toBoolean(s("FALSE")), false);
    EXPECT_EQ(toBoolean(s(" true ")), true);
    EXPECT_EQ(toBoolean(s("0")), false);
    EXPECT_EQ(toBoolean(s("-1")), true);
    EXPECT_EQ(toBoolean(s("0.1")), true);
    EXPECT_EQ(toBoolean(s("&H0")), false);
    EXPECT_FALSE(toBoolean(s("")).has_value());
    EXPECT_FALSE(toBoolean(s("yes")).has_value());
    EXPECT_FALSE(toBoolean(s("Truth")).has_value());
}
