// The style settings on a form's controls, centring, and clearing the current form.
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "shell/appearance.h"
#include "shell/workarea.h"
#include "support/app/app_fixture.h"
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace workarea;

namespace {

class Appearance : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        text = form.add<forms::TextBox>("Center_CD", 0, 0, 1500, 360);
        label = form.add<forms::Label>("lbl_Center_CD", 0, 400, 1500, 360);
        opr = form.add<forms::Label>("OPR_NAME", 0, 800, 1500, 360);
        title = form.add<forms::Label>("tit_KOUMOKU", 0, 1200, 1500, 360, 5);
        other = form.add<forms::Label>("Lbl_Other", 0, 1600, 1500, 360);
        combo = form.add<forms::ComboBox>("YOUBI", 0, 2000, 1500, 360);
        combo->addItem("月曜日");
        combo->setListIndex(0);
        combo->setFontName("ＭＳ ゴシック");
        combo->setFontSize(12);
        text->setText("C01");
        label->setCaption("name");
        other->setCaption("kept");
        g_Form = &form;
        g_FormBackColor = "12632256";
        g_TextBackColor = 16777215;
        g_TextForeColor = 255;
        g_TextFontBold = "True";
        g_TextFontItalic = g_TextFontStrikethru = g_TextFontUnderline = "False";
        g_TextFontName = "ＭＳ ゴシック";
        g_TextFontSize = "11.25";
        g_LabelBackColor = 65280;
        g_LabelForeColor = 0;
        g_LabelFontBold = g_LabelFontStrikethru = g_LabelFontUnderline = "0";
        g_LabelFontItalic = "-1";
        g_LabelFontName = "ＭＳ Ｐゴシック";
        g_LabelFontSize = "9";
        g_TitleBackColor = 8421504;
        g_TitleForeColor = 16777152;
        g_TitleFontBold = "true";
        g_TitleFontItalic = g_TitleFontStrikethru = g_TitleFontUnderline = "False";
        g_TitleFontName = "ＭＳ ゴシック";
        g_TitleFontSize = "14";
    }
    void TearDown() override {
        g_Form = nullptr;
        AppFixture::TearDown();
    }
    forms::Form form{"F"};
    forms::TextBox* text;
    forms::Label* label;
    forms::Label* opr;
    forms::Label* title;
    forms::Label* other;
    forms::ComboBox* combo;
};

TEST_F(Appearance, EachGroupGoesToItsControlsByKindAndPrefix) {
    const uint32_t otherBack = other->backColor();
    const double otherSize = other->fontSize();
    ASSERT_TRUE(appearance::Set_Style());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(form.backColor(), 12632256u);
    EXPECT_EQ(text->backColor(), 16777215u);
    EXPECT_EQ(text->foreColor(), 255u);
    EXPECT_TRUE(text->fontBold());
    EXPECT_DOUBLE_EQ(text->fontSize(), 11.25);
    for (forms::Label* l : {label, opr}) {
        EXPECT_EQ(l->backColor(), 65280u);
        EXPECT_TRUE(l->fontItalic()); // -1 is True
        EXPECT_FALSE(l->fontBold());
    }
    EXPECT_EQ(title->backColor(), 8421504u);
    EXPECT_TRUE(title->fontBold());
    EXPECT_DOUBLE_EQ(title->fontSize(), 14);
    // A capital L is another prefix; combo boxes keep their design look.
    EXPECT_EQ(other->backColor(), otherBack);
    EXPECT_DOUBLE_EQ(other->fontSize(), otherSize);
    EXPECT_EQ(combo->fontName(), "ＭＳ ゴシック");
    EXPECT_DOUBLE_EQ(combo->fontSize(), 12);
}

// The text colour of the style is the enabled look: a disabled box keeps the back colour but
// draws its text in the system's grey text, as the combo box does.
TEST_F(Appearance, ADisabledStyledBoxDrawsItsTextDimmed) {
    ASSERT_TRUE(appearance::Set_Style());
    text->setText(QStringLiteral("ＷＷＷ"));
    const auto paintedText = [&] {
        const QImage image = text->widget()->grab().toImage();
        int red = 0;
        int back = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 100 && c.blue() < 100) ++red;
                if (c == Qt::white) ++back;
            }
        }
        return std::pair{red, back};
    };
    const auto [enabledRed, enabledBack] = paintedText();
    ASSERT_GT(enabledRed, 0) << "the enabled box draws in TextForeColor";
    text->setEnabled(false);
    const auto [disabledRed, disabledBack] = paintedText();
    EXPECT_EQ(disabledRed, 0);
    EXPECT_GT(disabledBack, enabledBack / 2) << "the back colour stays";
}

// Left, Top, Width and Height are the outer frame's, and the frame is centred, also when the
// frame is known only once the window is shown.
TEST_F(Appearance, CentringPutsTheOuterFrameInTheMiddle) {
    form.setClientSize(9000, 6000);
    appearance::Center_Form(form);
    form.showForm();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto centred = [&] {
        const QRect frame = form.frameGeometry();
        return frame.size() != form.geometry().size() &&
               std::abs(frame.center().x() - screen.center().x()) <= 1 &&
               std::abs(frame.center().y() - screen.center().y()) <= 1;
    };
    EXPECT_TRUE(QTest::qWaitFor(centred))
        << "frame at " << form.frameGeometry().x() << "," << form.frameGeometry().y() << " size "
        << form.frameGeometry().width() << "x" << form.frameGeometry().height();
    EXPECT_EQ(form.left(), forms::pixelsToTwips(form.frameGeometry().x()));
    EXPECT_EQ(form.top(), forms::pixelsToTwips(form.frameGeometry().y()));
    EXPECT_EQ(form.formWidth(), forms::pixelsToTwips(form.frameGeometry().width()));
    EXPECT_EQ(form.formHeight(), forms::pixelsToTwips(form.frameGeometry().height()));
}

TEST_F(Appearance, RefusedValuesStopWithTheStyleError) {
    struct Case {
        QString* setting;
        QString value;
    } cases[] = {{&g_TextFontBold, "yes"}, {&g_FormBackColor, ""}, {&g_LabelFontSize, "big"},
                 {&g_TitleFontName, ""},   {&g_TextFontSize, "0"}, {&g_LabelFontUnderline, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        const QString saved = *c.setting;
        *c.setting = c.value;
        messages.clear();
        endStatus = -1;
        EXPECT_FALSE(appearance::Set_Style());
        EXPECT_EQ(messages, QStringList{"項目設定エラー"});
        EXPECT_EQ(endStatus, 1);
        *c.setting = saved;
    }
}

TEST_F(Appearance, CentringTruncatesHalfTwips) {
    const auto p = appearance::centredPosition(15360, 11520, 9000, 6000);
    EXPECT_EQ(p.left, 3180);
    EXPECT_EQ(p.top, 2760);
    const auto big = appearance::centredPosition(9000, 6000, 9001, 6003);
    EXPECT_EQ(big.left, 0); // -1 / 2 truncates towards zero
    EXPECT_EQ(big.top, -1);
}

TEST_F(Appearance, ClearFormEmptiesFieldsAndLblLabelsAndCountsFields) {
    g_FieldCount = 99;
    appearance::Clear_Form();
    EXPECT_EQ(g_FieldCount, 2); // one text box, one combo box
    EXPECT_EQ(text->text(), "");
    EXPECT_EQ(label->caption(), "");
    EXPECT_EQ(other->caption(), "kept");
    EXPECT_EQ(combo->listCount(), 1);
    EXPECT_EQ(combo->listIndex(), 0);
}

TEST(OleColor, NumbersBecomeColourValues) {
    EXPECT_EQ(appearance::oleColor(12632256), 12632256u);
    EXPECT_EQ(appearance::oleColor(-2147483643.0), 0x80000005u); // a system colour
    EXPECT_EQ(appearance::oleColor(2.5), 2u);                    // half to even
    EXPECT_EQ(appearance::oleColor(1e12), std::nullopt);
}

} // namespace
