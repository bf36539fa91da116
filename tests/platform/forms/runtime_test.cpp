// Message boxes, the end of the program, the mouse pointer, colours and fonts.
#include "formtest.h"
#include "platform/forms/color.h"
#include <QFontInfo>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <gmock/gmock.h>
#include <vector>

using namespace forms;

namespace {

TEST(MsgBoxTest, AReplacedBoxSeesPromptStyleAndTheApplicationTitle) {
    formtest::ScriptedMsgBox msg;
    msg.answers = {7};
    EXPECT_EQ(MsgBox(QStringLiteral("この内容で更新しますか"), 308), 7);
    EXPECT_EQ(MsgBox("x", 0, "own title"), 1);
    ASSERT_EQ(msg.shown.size(), 2u);
    EXPECT_EQ(msg.shown[0].style, 308);
    EXPECT_EQ(msg.shown[0].title, QGuiApplication::applicationDisplayName());
    EXPECT_EQ(msg.shown[1].title, "own title");
}

struct BoxCase {
    int style;
    std::vector<Qt::Key> keys;
    int answer;
    int buttons;
};
// gtest would print the bytes, padding included (valgrind reports them as uninitialised).
void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << "style " << c.style;
}

class RealMsgBox : public ::testing::TestWithParam<BoxCase> {};

// Esc gives Cancel, else the only button, and does nothing in a Yes/No box; 256 makes the
// second button the default.
TEST_P(RealMsgBox, AnswersAsWindowsDoes) {
    const BoxCase c = GetParam();
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    formtest::whenMessageBoxOpens([&, c](QMessageBox* box) {
        buttons = int(box->buttons().size());
        icon = box->icon();
        for (Qt::Key k : c.keys)
            QTest::keyClick(box, k);
    });
    EXPECT_EQ(MsgBox("?", c.style), c.answer);
    EXPECT_EQ(buttons, c.buttons);
    if (c.style & 48) {
        EXPECT_EQ(icon, QMessageBox::Warning);
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, RealMsgBox,
                         ::testing::Values(BoxCase{0, {Qt::Key_Escape}, 1, 1},
                                           BoxCase{48, {Qt::Key_Return}, 1, 1},
                                           BoxCase{49, {Qt::Key_Escape}, 2, 2},
                                           BoxCase{51, {Qt::Key_Escape}, 2, 3},
                                           BoxCase{4, {Qt::Key_Escape, Qt::Key_Return}, 6, 2},
                                           BoxCase{4, {Qt::Key_Return}, 6, 2},
                                           BoxCase{308, {Qt::Key_Escape, Qt::Key_Return}, 7, 2}));

TEST(EndTest, AReplacedEndReturnsWithTheStatus) {
    int status = -1;
    setEndHandler([&](int s) { status = s; });
    End(3);
    setEndHandler({});
    EXPECT_EQ(status, 3);
}

// The real end leaves at once: buffered output is written, exit handlers do not run.
TEST(EndTest, TheRealEndExitsAtOnceAfterFlushing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::atexit([] { std::fputs("exit handler ran", stderr); });
            static char buffer[256];
            std::setvbuf(stderr, buffer, _IOFBF, sizeof buffer);
            std::fputs("buffered text", stderr);
            End(4);
        },
        ::testing::ExitedWithCode(4),
        ::testing::AllOf(::testing::HasSubstr("buffered text"),
                         ::testing::Not(::testing::HasSubstr("exit handler ran"))));
}

TEST(MousePointerTest, IsASettingNotAStack) {
    setMousePointer(11);
    setMousePointer(11);
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    setMousePointer(1);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    EXPECT_EQ(mousePointer(), 1);
    setMousePointer(0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(mousePointer(), 0);
}

TEST(ColorTest, OleValuesAndSystemColours) {
    EXPECT_EQ(colorFromOle(rgb(192, 255, 255)), QColor(192, 255, 255));
    EXPECT_EQ(colorFromOle(0x00FF8040), QColor(0x40, 0x80, 0xFF));
    const QPalette p = QGuiApplication::palette();
    EXPECT_EQ(colorFromOle(kSysWindow), p.color(QPalette::Base));
    EXPECT_EQ(colorFromOle(kSysWindowText), p.color(QPalette::Text));
    EXPECT_EQ(colorFromOle(kSysButtonFace), p.color(QPalette::Button));
    EXPECT_EQ(colorFromOle(kSysButtonText), p.color(QPalette::ButtonText));
}

TEST(FontTest, WindowsGothicFacesResolveToIpaFonts) {
    QFont gothic(QStringLiteral("ＭＳ ゴシック"));
    QFont pgothic(QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(QFontInfo(gothic).family(), "IPAGothic");
    EXPECT_EQ(QFontInfo(pgothic).family(), "IPAPGothic");
}

} // namespace
