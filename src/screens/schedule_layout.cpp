#include "screens/schedule_layout.h"
#include "platform/forms/color.h"
#include "platform/forms/controls.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"
#include "screens/fonts.h"

namespace screens {

namespace {

using forms::rgb;

void setFont(forms::Control* c, const QString& name, double points, bool bold = false) {
    c->setFontName(name);
    c->setFontSize(points);
    c->setFontBold(bold);
}

// Item titles: the shared title look, before the settings file replaces it.
forms::Label* addTitle(forms::Form& f, int index, const QString& caption, int left, int top,
                       int width, int height) {
    auto* t = f.add<forms::Label>(QStringLiteral("tit_KOUMOKU"), left, top, width, height, index);
    t->setCaption(caption);
    t->setBackColor(rgb(128, 128, 128));
    t->setForeColor(rgb(192, 255, 255));
    setFont(t, kGothic, 11.25, true);
    t->setBorderStyle(1);
    t->setAlignment(2);
    return t;
}

forms::TextBox* addTextBox(forms::Form& f, const QString& name, int left, int top, int width,
                           int height, int maxLength, forms::ImeMode ime) {
    auto* tb = f.add<forms::TextBox>(name, left, top, width, height);
    tb->setMaxLength(maxLength);
    tb->setImeMode(ime);
    setFont(tb, kGothic, 11.25);
    return tb;
}

// Header labels; their design captions are replaced when the screen is cleared.
forms::Label* addLabel(forms::Form& f, const QString& name, const QString& caption, int left,
                       int top, int width, int height) {
    auto* l = f.add<forms::Label>(name, left, top, width, height);
    l->setCaption(caption);
    return l;
}

forms::CommandButton* addButton(forms::Form& f, const QString& name, const QString& caption,
                                int left, int top, int width, int height) {
    auto* b = f.add<forms::CommandButton>(name, left, top, width, height);
    b->setCaption(caption);
    return b;
}

} // namespace

void layoutScheduleScreen(forms::Form& f) {
    f.setCaption(QStringLiteral("ＥＤIスケジュールマスタ保守"));
    f.setClientSize(11820, 8160);
    f.setBackColor(rgb(192, 192, 192));
    f.setWindowFont(kPGothic, 9);
    f.setKeyPreview(true);

    auto* grid = f.add<forms::FlexGrid>(QStringLiteral("GRID"), 330, 3210, 3495, 4425);
    setFont(grid, kGothic, 12);
    grid->setAccessibleName(QStringLiteral("スケジュール一覧"));

    // Stands in for the code-search arguments this screen has no use for.
    auto* searchKbn = addLabel(f, QStringLiteral("SEARCH_KBN"), QString(), 10500, 450, 975, 375);
    searchKbn->setVisible(false);
    setFont(searchKbn, kPGothic, 11.25);
    searchKbn->setAccessibleName(QStringLiteral("検索したセンター名"));

    addButton(f, QStringLiteral("Cmd_tuika"), QStringLiteral("追加（&A）"), 4200, 3210, 1215, 315);
    addButton(f, QStringLiteral("Cmd_sakujyo"), QStringLiteral("削除（&D）"), 4200, 3540, 1215,
              315);
    addButton(f, QStringLiteral("Cmd_end"), QStringLiteral("終了（&E）"), 4170, 7350, 1215, 285);

    auto* youbiTitle = addTitle(f, 5, QStringLiteral("曜日"), 360, 2190, 1215, 360);
    addTextBox(f, QStringLiteral("Jikoku"), 1560, 2550, 2325, 360, 5, forms::ImeMode::Disable)
        ->setAccessibleName(QStringLiteral("起動時刻"));
    addTitle(f, 6, QStringLiteral("起動時刻"), 1560, 2190, 2310, 360);

    // Header labels are named by what they show; the reader speaks their caption after it.
    auto* pgid =
        addLabel(f, QStringLiteral("lbl_PGID"), QStringLiteral("Label2"), 60, 30, 1665, 285);
    setFont(pgid, kGothic, 12);
    pgid->setAccessibleName(QStringLiteral("画面ID"));
    auto* opcd =
        addLabel(f, QStringLiteral("lbl_OPCD"), QStringLiteral("ｵﾍﾟﾚｰﾀｺｰﾄﾞ"), 3990, 60, 1545, 255);
    setFont(opcd, kGothic, 12);
    opcd->setAccessibleName(QStringLiteral("オペレータコード見出し"));
    addLabel(f, QStringLiteral("lbl_OP_CD"), QStringLiteral("AAAAAAA"), 5640, 60, 1125, 255)
        ->setAccessibleName(QStringLiteral("オペレータコード"));
    addLabel(f, QStringLiteral("lbl_OP_NM"), QStringLiteral("Label2"), 6810, 60, 2055, 255)
        ->setAccessibleName(QStringLiteral("オペレータ名"));
    addLabel(f, QStringLiteral("lbl_HIDUKE"), QStringLiteral("Label2"), 9300, 60, 1665, 255)
        ->setAccessibleName(QStringLiteral("日付"));

    addTextBox(f, QStringLiteral("Soujyu"), 2130, 1440, 315, 360, 1, forms::ImeMode::Disable)
        ->setAccessibleName(QStringLiteral("送受信種別"));
    addTextBox(f, QStringLiteral("Center_CD"), 2160, 930, 1575, 360, 12, forms::ImeMode::Off)
        ->setAccessibleName(QStringLiteral("センターコード"));
    addTitle(f, 1, QStringLiteral("送受信種別"), 390, 1440, 1620, 360);
    addTitle(f, 2, QStringLiteral("ｾﾝﾀｰｺｰﾄﾞ"), 390, 930, 1665, 360);

    addLabel(f, QStringLiteral("lbl_Center_CD"), QStringLiteral("Label2"), 3780, 960, 5145, 285)
        ->setAccessibleName(QStringLiteral("センター名"));
    addLabel(f, QStringLiteral("lbl_Soujyu"), QStringLiteral("Label2"), 2520, 1500, 1665, 285)
        ->setAccessibleName(QStringLiteral("送受信種別名"));

    auto* youbi = f.add<forms::ComboBox>(QStringLiteral("YOUBI"), 360, 2550, 1215, 360);
    setFont(youbi, kGothic, 12);
    // The day list is spoken by its title: Qt names a drop-down list by its current entry.
    youbiTitle->setLabelFor(youbi);
}

} // namespace screens
