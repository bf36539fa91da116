// Both windows read back from their widgets: controls, geometry, tab order, limits, fonts.
#include "platform/forms/color.h"
#include "platform/forms/controls.h"
#include "platform/forms/datagrid.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "screens/schedule_layout.h"
#include "screens/search_layout.h"
#include "support/qtprint.h"
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using forms::ControlKind;
using forms::rgb;

namespace {

const QString kGothic = QStringLiteral("ＭＳ ゴシック");
const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");

struct Placed {
    const char* name;
    int index;
    ControlKind kind;
    int left, top, width, height;
    int tabAfterFieldTable;
};

// In creation order, which is the design tab order 0..19.
const Placed kSchedule[] = {
    {"GRID", -1, ControlKind::FlexGrid, 330, 3210, 3495, 4425, 4},
    {"SEARCH_KBN", -1, ControlKind::Label, 10500, 450, 975, 375, 5},
    {"Cmd_tuika", -1, ControlKind::CommandButton, 4200, 3210, 1215, 315, 6},
    {"Cmd_sakujyo", -1, ControlKind::CommandButton, 4200, 3540, 1215, 315, 7},
    {"Cmd_end", -1, ControlKind::CommandButton, 4170, 7350, 1215, 285, 8},
    {"tit_KOUMOKU", 5, ControlKind::Label, 360, 2190, 1215, 360, 9},
    {"Jikoku", -1, ControlKind::TextBox, 1560, 2550, 2325, 360, 3},
    {"tit_KOUMOKU", 6, ControlKind::Label, 1560, 2190, 2310, 360, 10},
    {"lbl_PGID", -1, ControlKind::Label, 60, 30, 1665, 285, 11},
    {"lbl_OPCD", -1, ControlKind::Label, 3990, 60, 1545, 255, 12},
    {"lbl_OP_CD", -1, ControlKind::Label, 5640, 60, 1125, 255, 13},
    {"lbl_OP_NM", -1, ControlKind::Label, 6810, 60, 2055, 255, 14},
    {"lbl_HIDUKE", -1, ControlKind::Label, 9300, 60, 1665, 255, 15},
    {"Soujyu", -1, ControlKind::TextBox, 2130, 1440, 315, 360, 1},
    {"Center_CD", -1, ControlKind::TextBox, 2160, 930, 1575, 360, 0},
    {"tit_KOUMOKU", 1, ControlKind::Label, 390, 1440, 1620, 360, 16},
    {"tit_KOUMOKU", 2, ControlKind::Label, 390, 930, 1665, 360, 17},
    {"lbl_Center_CD", -1, ControlKind::Label, 3780, 960, 5145, 285, 18},
    {"lbl_Soujyu", -1, ControlKind::Label, 2520, 1500, 1665, 285, 19},
    {"YOUBI", -1, ControlKind::ComboBox, 360, 2550, 1215, 360, 2},
};

const Placed kSearch[] = {
    {"GRID", -1, ControlKind::DataGrid, 90, 60, 6240, 3630, 0},
    {"SELECT", -1, ControlKind::CommandButton, 960, 3780, 1335, 435, 1},
    {"STOP", -1, ControlKind::CommandButton, 3900, 3780, 1425, 435, 2},
    {"RS", -1, ControlKind::DataControl, 2280, 4140, 1200, 360, -1},
};

template <size_t N> void expectPlaced(const forms::Form& f, const Placed (&table)[N]) {
    ASSERT_EQ(f.controls().size(), N);
    for (size_t i = 0; i < N; ++i) {
        const Placed& p = table[i];
        const forms::Control* c = f.controls()[i];
        SCOPED_TRACE(std::string(p.name) + "(" + std::to_string(p.index) + ")");
        EXPECT_EQ(c->name(), QString::fromLatin1(p.name));
        EXPECT_EQ(c->index(), p.index);
        EXPECT_EQ(c->kind(), p.kind);
        // A data control takes no part in the tab order.
        EXPECT_EQ(c->tabIndex(), p.kind == ControlKind::DataControl ? -1 : static_cast<int>(i));
        EXPECT_EQ(c->left(), p.left);
        EXPECT_EQ(c->top(), p.top);
        EXPECT_EQ(c->width(), p.width);
        EXPECT_EQ(c->height(), p.height);
        if (p.kind != ControlKind::DataControl) { // shows nothing, so has no place on screen
            EXPECT_EQ(c->widget()->geometry(),
                      QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
        }
    }
}

// The field table's numbering: the four fields take 0..3 in this order.
void numberFields(forms::Form& f) {
    int i = 0;
    for (const char* name : {"Center_CD", "Soujyu", "YOUBI", "Jikoku"})
        f.control(QString::fromLatin1(name))->setTabIndex(i++);
}

struct Font {
    const char* name;
    int index;
    const QString& face;
    double points;
    bool bold;
};

} // namespace

class ScheduleLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { screens::layoutScheduleScreen(form); }
    template <class T> T* get(const char* name, int index = -1) {
        return form.get<T>(QString::fromLatin1(name), index);
    }
    forms::Form form{QStringLiteral("F_M352040")};
};

TEST_F(ScheduleLayoutTest, WindowProperties) {
    EXPECT_EQ(form.caption(), QStringLiteral("ＥＤIスケジュールマスタ保守"));
    EXPECT_EQ(form.windowTitle(), form.caption());
    EXPECT_EQ(form.formWidth(), 11820);
    EXPECT_EQ(form.formHeight(), 8160);
    EXPECT_EQ(form.backColor(), rgb(192, 192, 192));
    EXPECT_TRUE(form.keyPreview());
    EXPECT_EQ(form.font().family(), kPGothic);
    EXPECT_DOUBLE_EQ(form.font().pointSizeF(), 9);
}

TEST_F(ScheduleLayoutTest, ControlsInDesignOrderAndPlace) {
    expectPlaced(form, kSchedule);
}

TEST_F(ScheduleLayoutTest, FieldTableNumbersMoveTheOthersBehindTheFields) {
    numberFields(form);
    for (const Placed& p : kSchedule) {
        SCOPED_TRACE(std::string(p.name) + "(" + std::to_string(p.index) + ")");
        EXPECT_EQ(form.control(QString::fromLatin1(p.name), p.index)->tabIndex(),
                  p.tabAfterFieldTable);
    }
}

TEST_F(ScheduleLayoutTest, Captions) {
    EXPECT_EQ(get<forms::CommandButton>("Cmd_tuika")->caption(), QStringLiteral("追加（&A）"));
    EXPECT_EQ(get<forms::CommandButton>("Cmd_sakujyo")->caption(), QStringLiteral("削除（&D）"));
    EXPECT_EQ(get<forms::CommandButton>("Cmd_end")->caption(), QStringLiteral("終了（&E）"));
    EXPECT_EQ(get<forms::CommandButton>("Cmd_end")->button()->text(), QStringLiteral("終了（&E）"));
    EXPECT_EQ(get<forms::Label>("tit_KOUMOKU", 1)->caption(), QStringLiteral("送受信種別"));
    EXPECT_EQ(get<forms::Label>("tit_KOUMOKU", 2)->caption(), QStringLiteral("ｾﾝﾀｰｺｰﾄﾞ"));
    EXPECT_EQ(get<forms::Label>("tit_KOUMOKU", 5)->caption(), QStringLiteral("曜日"));
    EXPECT_EQ(get<forms::Label>("tit_KOUMOKU", 6)->caption(), QStringLiteral("起動時刻"));
    EXPECT_EQ(get<forms::Label>("tit_KOUMOKU", 6)->label()->text(), QStringLiteral("起動時刻"));
    EXPECT_EQ(get<forms::Label>("lbl_OPCD")->caption(), QStringLiteral("ｵﾍﾟﾚｰﾀｺｰﾄﾞ"));
    EXPECT_EQ(get<forms::Label>("SEARCH_KBN")->caption(), QString());
}

TEST_F(ScheduleLayoutTest, InputLimitsAndInputMethod) {
    auto* center = get<forms::TextBox>("Center_CD");
    auto* soujyu = get<forms::TextBox>("Soujyu");
    auto* jikoku = get<forms::TextBox>("Jikoku");
    EXPECT_EQ(center->maxLength(), 12);
    EXPECT_EQ(soujyu->maxLength(), 1);
    EXPECT_EQ(jikoku->maxLength(), 5);
    EXPECT_EQ(center->imeMode(), forms::ImeMode::Off);
    EXPECT_EQ(soujyu->imeMode(), forms::ImeMode::Disable);
    EXPECT_EQ(jikoku->imeMode(), forms::ImeMode::Disable);
    EXPECT_FALSE(soujyu->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(jikoku->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(center->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(get<forms::ComboBox>("YOUBI")->comboBox()->isEditable());
    EXPECT_FALSE(get<forms::Label>("SEARCH_KBN")->visible());
}

TEST_F(ScheduleLayoutTest, Fonts) {
    const Font fonts[] = {
        {"GRID", -1, kGothic, 12, false},          {"SEARCH_KBN", -1, kPGothic, 11.25, false},
        {"Cmd_tuika", -1, kPGothic, 9, false},     {"Cmd_end", -1, kPGothic, 9, false},
        {"tit_KOUMOKU", 5, kGothic, 11.25, true},  {"tit_KOUMOKU", 2, kGothic, 11.25, true},
        {"Jikoku", -1, kGothic, 11.25, false},     {"Soujyu", -1, kGothic, 11.25, false},
        {"Center_CD", -1, kGothic, 11.25, false},  {"lbl_PGID", -1, kGothic, 12, false},
        {"lbl_OPCD", -1, kGothic, 12, false},      {"lbl_OP_CD", -1, kPGothic, 9, false},
        {"lbl_Center_CD", -1, kPGothic, 9, false}, {"YOUBI", -1, kGothic, 12, false},
    };
    for (const Font& f : fonts) {
        SCOPED_TRACE(std::string(f.name) + "(" + std::to_string(f.index) + ")");
        const forms::Control* c = form.control(QString::fromLatin1(f.name), f.index);
        EXPECT_EQ(c->fontName(), f.face);
        EXPECT_DOUBLE_EQ(c->fontSize(), f.points);
        EXPECT_EQ(c->fontBold(), f.bold);
        EXPECT_EQ(c->widget()->font().family(), f.face);
        EXPECT_DOUBLE_EQ(c->widget()->font().pointSizeF(), f.points);
    }
}

TEST_F(ScheduleLayoutTest, TitleStyle) {
    for (int index : {1, 2, 5, 6}) {
        auto* t = get<forms::Label>("tit_KOUMOKU", index);
        EXPECT_EQ(t->backColor(), rgb(128, 128, 128));
        EXPECT_EQ(t->foreColor(), rgb(192, 255, 255));
        EXPECT_TRUE(t->label()->alignment() & Qt::AlignHCenter);
        EXPECT_NE(t->label()->frameShape(), QFrame::NoFrame);
    }
    EXPECT_EQ(get<forms::Label>("lbl_PGID")->label()->frameShape(), QFrame::NoFrame);
}

TEST_F(ScheduleLayoutTest, BoxesRefuseKeysBeyondMaxLengthAndTabFollowsTheFields) {
    numberFields(form);
    form.showForm();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_FALSE(get<forms::Label>("SEARCH_KBN")->widget()->isVisible());

    auto* center = get<forms::TextBox>("Center_CD");
    center->setFocus();
    QTest::keyClicks(center->lineEdit(), QStringLiteral("ABCDEFGHIJKLM"));
    EXPECT_EQ(center->text(), QStringLiteral("ABCDEFGHIJKL"));
    QTest::keyClick(center->lineEdit(), Qt::Key_Tab);
    auto* soujyu = get<forms::TextBox>("Soujyu");
    ASSERT_EQ(form.activeControl(), soujyu);
    QTest::keyClicks(soujyu->lineEdit(), QStringLiteral("RS"));
    EXPECT_EQ(soujyu->text(), QStringLiteral("R"));
    QTest::keyClick(soujyu->lineEdit(), Qt::Key_Tab);
    ASSERT_EQ(form.activeControl(), form.control(QStringLiteral("YOUBI")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* jikoku = get<forms::TextBox>("Jikoku");
    ASSERT_EQ(form.activeControl(), jikoku);
    QTest::keyClicks(jikoku->lineEdit(), QStringLiteral("09:300"));
    EXPECT_EQ(jikoku->text(), QStringLiteral("09:30"));
}

TEST_F(ScheduleLayoutTest, ButtonMnemonicsClick) {
    form.showForm();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QStringList clicked;
    for (const char* name : {"Cmd_tuika", "Cmd_sakujyo", "Cmd_end"}) {
        forms::Control* c = form.control(QString::fromLatin1(name));
        c->onClick = [&clicked, c] { clicked << c->name(); };
    }
    get<forms::TextBox>("Center_CD")->setFocus();
    for (Qt::Key k : {Qt::Key_D, Qt::Key_E, Qt::Key_A})
        QTest::keyClick(QApplication::focusWidget(), k, Qt::AltModifier);
    EXPECT_EQ(clicked, QStringList({"Cmd_sakujyo", "Cmd_end", "Cmd_tuika"}));
}

class SearchLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { screens::layoutSearchDialog(form); }
    forms::Form form{QStringLiteral("SEARCH_MSTDB")};
};

TEST_F(SearchLayoutTest, WindowProperties) {
    EXPECT_EQ(form.caption(), QStringLiteral("コード検索"));
    EXPECT_EQ(form.formWidth(), 6465);
    EXPECT_EQ(form.formHeight(), 4620);
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "fixed frame";
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form.backColor(), forms::kSysButtonFace);
    EXPECT_TRUE(form.keyPreview());
    EXPECT_NEAR(form.left(), (forms::screenWidthTwips() - 6465) / 2, 15);
    EXPECT_NEAR(form.top(), (forms::screenHeightTwips() - 4620) / 2, 15);
}

TEST_F(SearchLayoutTest, ControlsInDesignOrderAndPlace) {
    expectPlaced(form, kSearch);
}

TEST_F(SearchLayoutTest, CaptionsFontsAndTheHiddenDataControl) {
    auto* select = form.get<forms::CommandButton>(QStringLiteral("SELECT"));
    EXPECT_EQ(select->caption(), QStringLiteral("選択"));
    EXPECT_EQ(form.get<forms::CommandButton>(QStringLiteral("STOP"))->caption(),
              QStringLiteral("中止"));
    EXPECT_EQ(select->fontName(), kGothic);
    EXPECT_DOUBLE_EQ(select->widget()->font().pointSizeF(), 12);
    auto* grid = form.get<forms::DataGrid>(QStringLiteral("GRID"));
    EXPECT_EQ(grid->fontName(), kGothic);
    EXPECT_DOUBLE_EQ(grid->fontSize(), 12);
    auto* rs = form.get<forms::DataControl>(QStringLiteral("RS"));
    EXPECT_EQ(rs->caption(), QStringLiteral(" "));
    EXPECT_FALSE(rs->visible());
    EXPECT_EQ(rs->connectionString(), QString());
}
