#include "platform/text/cp932.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

using text::cp932ByteLength;
using text::cp932Left;
using text::fromCp932;
using text::toCp932;

TEST(Cp932, EncodesSingleAndDoubleByteCharacters) {
    EXPECT_EQ(toCp932(QStringLiteral("A1")), QByteArray("A1"));
    EXPECT_EQ(toCp932(QStringLiteral("日本")), QByteArray("\x93\xFA\x96\x7B"));
    // Half-width katakana are single bytes in CP932.
    EXPECT_EQ(toCp932(QStringLiteral("ｱｰ")), QByteArray("\xB1\xB0"));
    EXPECT_EQ(toCp932(QStringLiteral("～")), QByteArray("\x81\x60"));
}

TEST(Cp932, UnrepresentableCharacterBecomesOneQuestionMark) {
    // The euro sign, Hangul and an emoji outside the BMP have no CP932 form.
    EXPECT_EQ(toCp932(QStringLiteral("a€b")), QByteArray("a?b"));
    EXPECT_EQ(toCp932(QStringLiteral("한")), QByteArray("?"));
    EXPECT_EQ(toCp932(QStringLiteral("x😀y")), QByteArray("x?y"));
    EXPECT_EQ(toCp932(QString(QChar(0xD800))), QByteArray("?"));
}

TEST(Cp932, ByteLengthCountsDoubleByteAsTwo) {
    EXPECT_EQ(cp932ByteLength(QString()), 0);
    EXPECT_EQ(cp932ByteLength(QStringLiteral("ABC")), 3);
    EXPECT_EQ(cp932ByteLength(QStringLiteral("起動時刻")), 8);
    EXPECT_EQ(cp932ByteLength(QStringLiteral("ｾﾝﾀｰ")), 4);
    EXPECT_EQ(cp932ByteLength(QStringLiteral("C01 センター")), 12);
    EXPECT_EQ(cp932ByteLength(QStringLiteral("€😀")), 2);
}

TEST(Cp932, LeftNeverSplitsADoubleByteCharacter) {
    const QString s = QStringLiteral("A日本語");
    EXPECT_EQ(cp932Left(s, 0), QString());
    EXPECT_EQ(cp932Left(s, -5), QString());
    EXPECT_EQ(cp932Left(s, 1), QStringLiteral("A"));
    EXPECT_EQ(cp932Left(s, 2), QStringLiteral("A"));
    EXPECT_EQ(cp932Left(s, 3), QStringLiteral("A日"));
    EXPECT_EQ(cp932Left(s, 6), QStringLiteral("A日本"));
    EXPECT_EQ(cp932Left(s, 7), s);
    EXPECT_EQ(cp932Left(s, 100), s);
    EXPECT_EQ(cp932Left(QStringLiteral("ｱｲｳｴｵ"), 3), QStringLiteral("ｱｲｳ"));
    // A surrogate pair is one character of one byte ("?"), never cut in half.
    EXPECT_EQ(cp932Left(QStringLiteral("A😀B"), 2), QStringLiteral("A😀"));
    EXPECT_EQ(cp932Left(QStringLiteral("€€日"), 3), QStringLiteral("€€"));
    EXPECT_EQ(cp932Left(QStringLiteral("A€B"), 1), QStringLiteral("A"));
}

TEST(Cp932, DecodesAndMarksInvalidBytes) {
    EXPECT_EQ(fromCp932(QByteArray("\x93\xFA\x96\x7B\xB1")), QStringLiteral("日本ｱ"));
    const QString mixed = QStringLiteral("動作環境=ﾃﾞｰﾀ abc");
    EXPECT_EQ(fromCp932(toCp932(mixed)), mixed);
    // A lead byte without its trail byte must not swallow the line end after it.
    EXPECT_EQ(fromCp932(QByteArray("a\x81\nb")), QStringLiteral("a\uFFFD\nb"));
    EXPECT_EQ(fromCp932(QByteArray("a\x81")), QStringLiteral("a\uFFFD"));
}
