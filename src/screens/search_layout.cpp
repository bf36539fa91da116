#include "screens/search_layout.h"
#include "platform/forms/color.h"
#include "platform/forms/controls.h"
#include "platform/forms/datagrid.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "screens/fonts.h"

namespace screens {

namespace {
constexpr int kWidth = 6465; // client area
constexpr int kHeight = 4620;
constexpr int kGridWidth = 6240;
} // namespace

void layoutSearchDialog(forms::Form& f) {
    f.setCaption(QStringLiteral("コード検索"));
    // A fixed dialog frame: close box only, no resizing.
    f.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowCloseButtonHint);
    f.setFixedSize(forms::twipsToPixels(kWidth), forms::twipsToPixels(kHeight));
    f.moveTwips((forms::screenWidthTwips() - kWidth) / 2,
                (forms::screenHeightTwips() - kHeight) / 2, kWidth, kHeight);
    f.setBackColor(forms::kSysButtonFace);
    f.setWindowFont(kGothic, 12);
    f.setKeyPreview(true);

    auto* grid = f.add<forms::DataGrid>(QStringLiteral("GRID"), 90, 60, kGridWidth, 3630);
    grid->setHeadFont(kGothic, 12);
    grid->setFontName(kGothic);
    grid->setFontSize(12);
    grid->setAccessibleName(QStringLiteral("検索結果一覧"));

    f.add<forms::CommandButton>(QStringLiteral("SELECT"), 960, 3780, 1335, 435)
        ->setCaption(QStringLiteral("選択"));
    f.add<forms::CommandButton>(QStringLiteral("STOP"), 3900, 3780, 1425, 435)
        ->setCaption(QStringLiteral("中止"));

    // Holds the search's connection string while the dialog is up; never shown.
    auto* rs = f.add<forms::DataControl>(QStringLiteral("RS"), 2280, 4140, 1200, 360);
    rs->setCaption(QStringLiteral(" "));
    rs->setVisible(false);
    rs->setAccessibleName(QStringLiteral("検索データ"));
}

void designWidths(forms::Form& f) {
    f.setClientSize(kWidth, kHeight);
    if (forms::Control* grid = f.control(QStringLiteral("GRID")))
        grid->move(grid->left(), grid->top(), kGridWidth, grid->height());
}

} // namespace screens
