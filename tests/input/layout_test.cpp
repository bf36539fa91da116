// Both windows read back from their widgets: controls, geometry, tab order, limits, fonts.
#include "platform/forms/color.h"
#include "platform/forms/controls.h"
#include "platform/forms/datagrid.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "screens/schedule_layout.h"
#include "screens/search_layout.h"
#include "support/qtprint.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using forms::ControlKind;
using forms::rgb;
using K = forms::ControlKind;

namespace {

const char* const G = "ＭＳ ゴシック";
const char* const P = "ＭＳ Ｐゴシック";

struct Placed {
    const char* name;
    int index;
    ControlKind kind;
    int left, top, width, height;
    int tabAfterFieldTable; // -1: no tab position
    const char* caption;    // nullptr: not checked
    const char* font;
    double points;
};

// In creation order, which is the design tab order.
const Placed kSchedule[] = {
    {"GRID", -1, K::FlexGrid, 330, 3210, 3495, 4425, 4, nullptr, G, 12},
    {"SEARCH_KBN", -1, K::Label, 10500, 450, 975, 375, 5, "", P, 11.25},
    {"Cmd_tuika", -1, K::CommandButton, 4200, 3210, 1215, 315, 6, "追加（&A）", P, 9},
    {"Cmd_sakujyo", -1, K::CommandButton, 4200, 3540, 1215, 315, 7, "削除（&D）", P, 9},
    {"Cmd_end", -1, K::CommandButton, 4170, 7350, 1215, 285, 8, "終了（&E）", P, 9},
    {"tit_KOUMOKU", 5, K::Label, 360, 2190, 1215, 360, 9, "曜日", G, 11.25},
    {"Jikoku", -1, K::TextBox, 1560, 2550, 2325, 360, 3, nullptr, G, 11.25},
    {"tit_KOUMOKU", 6, K::Label, 1560, 2190, 2310, 360, 10, "起動時刻", G, 11.25},
    {"lbl_PGID", -1, K::Label, 60, 30, 1665, 285, 11, nullptr, G, 12},
    {"lbl_OPCD", -1, K::Label, 3990, 60, 1545, 255, 12, "ｵﾍﾟﾚｰﾀｺｰﾄﾞ", G, 12},
    {"lbl_OP_CD", -1, K::Label, 5640, 60, 1125, 255, 13, nullptr, P, 9},
    {"lbl_OP_NM", -1, K::Label, 6810, 60, 2055, 255, 14, nullptr, P, 9},
    {"lbl_HIDUKE", -1, K::Label, 9300, 60, 1665, 255, 15, nullptr, P, 9},
    {"Soujyu", -1, K::TextBox, 2130, 1440, 315, 360, 1, nullptr, G, 11.25},
    {"Center_CD", -1, K::TextBox, 2160, 930, 1575, 360, 0, nullptr, G, 11.25},
    {"tit_KOUMOKU", 1, K::Label, 390, 1440, 1620, 360, 16, "送受信種別", G, 11.25},
    {"tit_KOUMOKU", 2, K::Label, 390, 930, 1665, 360, 17, "ｾﾝﾀｰｺｰﾄﾞ", G, 11.25},
    {"lbl_Center_CD", -1, K::Label, 3780, 960, 5145, 285, 18, nullptr, P, 9},
    {"lbl_Soujyu", -1, K::Label, 2520, 1500, 1665, 285, 19, nullptr, P, 9},
    {"YOUBI", -1, K::ComboBox, 360, 2550, 1215, 360, 2, nullptr, G, 12},
};

const Placed kSearch[] = {
    {"GRID", -1, K::DataGrid, 90, 60, 6240, 3630, 0, nullptr, G, 12},
    {"SELECT", -1, K::CommandButton, 960, 3780, 1335, 435, 1, "選択", G, 12},
    {"STOP", -1, K::CommandButton, 3900, 3780, 1425, 435, 2, "中止", G, 12},
    {"RS", -1, K::DataControl, 2280, 4140, 1200, 360, -1, " ", nullptr, 0},
};

QString captionOf(const forms::Control* c) {
    if (auto* l = dynamic_cast<const forms::Label*>(c)) return l->caption();
    if (auto* b = dynamic_cast<const forms::CommandButton*>(c)) return b->caption();
    if (auto* d = dynamic_cast<const forms::DataControl*>(c)) return d->caption();
    return QString();
}

template <size_t N> void expectPlaced(const forms::Form& f, const Placed (&table)[N]) {
    ASSERT_EQ(f.controls().size(), N);
    for (size_t i = 0; i < N; ++i) {
        const Placed& p = table[i];
        const forms::Control* c = f.controls()[i];
        SCOPED_TRACE(std::string(p.name) + "(" + std::to_string(p.index) + ")");
        EXPECT_EQ(c->name(), QString::fromLatin1(p.name));
        EXPECT_EQ(c->index(), p.index);
        EXPECT_EQ(c->kind(), p.kind);
        EXPECT_EQ(QRect(c->left(), c->top(), c->width(), c->height()),
                  QRect(p.left, p.top, p.width, p.height));
        if (p.caption) {
            EXPECT_EQ(captionOf(c), QString::fromUtf8(p.caption));
        }
        if (!p.font) continue; // a data control shows nothing
        EXPECT_EQ(c->tabIndex(), static_cast<int>(i));
        EXPECT_EQ(c->widget()->geometry(),
                  QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
        EXPECT_EQ(c->widget()->font().family(), QString::fromUtf8(p.font));
        EXPECT_DOUBLE_EQ(c->widget()->font().pointSizeF(), p.points);
    }
}

} // namespace

class ScheduleLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { screens::layoutScheduleScreen(form); }
    template <class T> T* get(const char* name, int index = -1) {
        return form.get<T>(QString::fromLatin1(name), index);
    }
    forms::Form form{QStringLiteral("F_M352040")};
};

TEST_F(ScheduleLayoutTest, WindowAndControlsInDesignOrder) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("ＥＤIスケジュールマスタ保守"));
    EXPECT_EQ(QSize(form.formWidth(), form.formHeight()), QSize(11820, 8160));
    EXPECT_EQ(form.backColor(), rgb(192, 192, 192));
    EXPECT_TRUE(form.keyPreview());
    EXPECT_EQ(form.font().family(), QString::fromUtf8(P));
    EXPECT_DOUBLE_EQ(form.font().pointSizeF(), 9);
    expectPlaced(form, kSchedule);
}

TEST_F(ScheduleLayoutTest, FieldTableNumbersMoveTheOthersBehindTheFields) {
    int i = 0;
    for (const char* name : {"Center_CD", "Soujyu", "YOUBI", "Jikoku"})
        form.control(QString::fromLatin1(name))->setTabIndex(i++);
    for (const Placed& p : kSchedule)
        EXPECT_EQ(form.control(QString::fromLatin1(p.name), p.index)->tabIndex(),
                  p.tabAfterFieldTable)
            << p.name << "(" << p.index << ")";
}

TEST_F(ScheduleLayoutTest, InputLimitsInputMethodAndTitleStyle) {
    auto* center = get<forms::TextBox>("Center_CD");
    auto* soujyu = get<forms::TextBox>("Soujyu");
    auto* jikoku = get<forms::TextBox>("Jikoku");
    EXPECT_EQ(center->maxLength(), 12);
    EXPECT_EQ(soujyu->maxLength(), 1);
    EXPECT_EQ(jikoku->maxLength(), 5);
    EXPECT_EQ(center->imeMode(), forms::ImeMode::Off);
    EXPECT_TRUE(center->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(soujyu->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(jikoku->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(get<forms::ComboBox>("YOUBI")->comboBox()->isEditable());
    EXPECT_FALSE(get<forms::Label>("SEARCH_KBN")->visible());
    for (int index : {1, 2, 5, 6}) {
        auto* t = get<forms::Label>("tit_KOUMOKU", index);
        EXPECT_EQ(t->backColor(), rgb(128, 128, 128));
        EXPECT_EQ(t->foreColor(), rgb(192, 255, 255));
        EXPECT_TRUE(t->label()->font().bold());
        EXPECT_TRUE(t->label()->alignment() & Qt::AlignHCenter);
        EXPECT_NE(t->label()->frameShape(), QFrame::NoFrame);
    }
    EXPECT_FALSE(get<forms::Label>("lbl_PGID")->label()->font().bold());
    EXPECT_EQ(get<forms::Label>("lbl_PGID")->label()->frameShape(), QFrame::NoFrame);
}

TEST(SearchLayout, DialogAndControls) {
    forms::Form form(QStringLiteral("SEARCH_MSTDB"));
    screens::layoutSearchDialog(form);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("コード検索"));
    EXPECT_EQ(QSize(form.formWidth(), form.formHeight()), QSize(6465, 4620));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "fixed frame";
    EXPECT_FALSE(form.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form.backColor(), forms::kSysButtonFace);
    EXPECT_TRUE(form.keyPreview());
    EXPECT_NEAR(form.left(), (forms::screenWidthTwips() - 6465) / 2, 15);
    EXPECT_NEAR(form.top(), (forms::screenHeightTwips() - 4620) / 2, 15);
    expectPlaced(form, kSearch);
    EXPECT_FALSE(form.control(QStringLiteral("RS"))->visible());
}
