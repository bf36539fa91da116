// Display formats of the field check, and the small value routines.
#include "input/manage.h"
#include "input_screen.h"
#include "shell/workarea.h"

namespace {

struct FormatCase {
    const char* format;
    int maxLength;
    const char* typed;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << '"' << c.format << "\" MaxLength " << c.maxLength << " \"" << c.typed << '"';
}

} // namespace

class DisplayFormatTest : public InputScreenTest,
                          public ::testing::WithParamInterface<FormatCase> {};

// Field 3 (the time field) with the format and limit under test.
TEST_P(DisplayFormatTest, TypedTextBecomesTheDisplayForm) {
    const FormatCase& c = GetParam();
    workarea::g_FieldFormat[3] = QString::fromLatin1(c.format);
    jikoku->setMaxLength(c.maxLength);
    jikoku->setText(QString::fromUtf8(c.typed));
    manage::Fmt_Field(3);
    EXPECT_EQ(jikoku->text(), QString::fromUtf8(c.expected));
}

using F = FormatCase;
INSTANTIATE_TEST_SUITE_P(
    Formats, DisplayFormatTest,
    ::testing::Values(
        F{"hh:mm", 5, "0930", "09:30"}, F{"hh:mm", 5, "930", "930"}, F{"hh:mm", 5, "9:30", "9:30"},
        F{"hh:mm", 5, "2460", "2460"}, F{"hh:mm", 5, "0960", "0960"}, F{"hh:mm", 5, "", ""},
        F{"hh:mm", 5, " 2359 ", "23:59"}, F{"yyyy/mm", 7, "9105", "1991/05"},
        F{"yyyy/mm", 7, "9005", "2090/05"}, F{"yyyy/mm", 7, "0512", "2005/12"},
        F{"yyyy/mm", 7, "199105", "1991/05"}, F{"yyyy/mm", 7, "1991/5", "1991/05"},
        F{"yyyy/mm", 7, "9113", "9113"}, F{"yyyy/mm", 7, "91055", "91055"},
        F{"mm/dd", 5, "0503", "05/03"}, F{"mm/dd", 5, "5/3", "05/03"}, F{"mm/dd", 5, "/53", "/53"},
        F{"mm/dd", 5, "53/", "53/"}, F{"mm/dd", 5, "1/2/3", "1/2/3"}, F{"mm/dd", 5, "1332", "1332"},
        F{"mm/dd", 5, "503", "503"},
        // a built date longer than the box on its way to the display form
        F{"yy/mm/dd", 8, "20240105", "24/01/05"}, F{"yyyy/mm/dd", 10, "20240105", "2024/01/05"},
        F{"yy/mm/dd", 8, "240105", "24/01/05"}, F{"yyyy/mm/dd", 10, "240105", "2024/01/05"},
        F{"yyyy/mm/dd", 10, "2024/1/5", "2024/01/05"}, F{"yy/mm/dd", 8, "20241305", "20241305"},
        F{"yy/mm/dd", 8, "2401051", "2401051"},
        F{"yyyy/mm/dd", 9, "24/1/5", "24/1/5"}, // the display form would not fit
        F{"hh:mm:ss", 8, "0930", "0930"},       // unknown format
        F{"", 5, "ABC", "ABC"}, F{"", 5, "あいうえ", "あい"}, F{"", 5, "ｾﾝﾀｰ漢", "ｾﾝﾀｰ"},
        F{"", 5, "aあいう", "aあい"}));

TEST_F(InputScreenTest, FormatCutsTheCenterCodeAndLeavesOtherFieldsAlone) {
    center->setText(QStringLiteral("東京第一配送センター")); // 10 characters, 20 bytes
    manage::Fmt_Field(0);
    EXPECT_EQ(center->text(), QStringLiteral("東京第一配送"));
    manage::Fmt_Field(2);
    manage::Fmt_Field(4);
    manage::Fmt_Field(-1);
    EXPECT_EQ(youbi->listIndex(), 0);
}

TEST(ValueRoutines, NzTrimAndByteLength) {
    EXPECT_EQ(manage::Nz_Trim(std::nullopt), "");
    EXPECT_EQ(manage::Nz_Trim(std::nullopt, " "), " ");
    EXPECT_EQ(manage::Nz_Trim(QStringLiteral("  AB  "), " "), "AB");
    EXPECT_EQ(manage::Nz_Trim(QStringLiteral("\tAB\u3000")), QStringLiteral("\tAB\u3000"));
    EXPECT_EQ(manage::Get_ByteLen(std::nullopt), 0);
    EXPECT_EQ(manage::Get_ByteLen(QStringLiteral("aあｱ")), 4);
}
