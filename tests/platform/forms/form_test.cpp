// Loading, showing, modal showing and unloading a form; lookup and geometry.
#include "formtest.h"
#include "platform/forms/controls.h"

using namespace forms;

namespace {

TEST(FormLifecycle, LoadRunsOnLoadOnceUntilUnloaded) {
    Form form("F");
    int loads = 0;
    form.onLoad = [&] { ++loads; };
    form.load();
    form.showForm();
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(form.isShown());
    EXPECT_TRUE(form.unload());
    EXPECT_FALSE(form.isShown());
    EXPECT_FALSE(form.isLoaded());
    form.load();
    EXPECT_EQ(loads, 2);
}

TEST(FormLifecycle, ModalShowReturnsOnlyAfterUnload) {
    Form form("F");
    QList<int> modes;
    int cancelFirst = 1;
    form.onQueryUnload = [&](int& cancel, int mode) {
        modes << mode;
        cancel = cancelFirst;
        cancelFirst = 0;
    };
    bool unloaded = false;
    form.onUnload = [&] { unloaded = true; };
    QTimer::singleShot(0, &form, [&] {
        EXPECT_FALSE(form.unload()); // cancelled: the form stays
        EXPECT_TRUE(form.isShown());
        EXPECT_TRUE(form.unload());
    });
    form.showModal();
    EXPECT_EQ(modes, (QList<int>{1, 1}));
    EXPECT_TRUE(unloaded);
    EXPECT_FALSE(form.isShown());
}

TEST(FormLifecycle, TheCloseBoxGoesThroughQueryUnloadWithMode0) {
    Form form("F");
    int cancel = 1;
    QList<int> modes;
    form.onQueryUnload = [&](int& c, int mode) {
        modes << mode;
        c = cancel;
    };
    form.showForm();
    form.close();
    EXPECT_TRUE(form.isShown());
    cancel = 0;
    form.close();
    EXPECT_FALSE(form.isShown());
    EXPECT_EQ(modes, (QList<int>{0, 0}));
}

TEST(FormLifecycle, NestedModalFormsReturnInOrder) {
    Form outer("Outer");
    Form inner("Inner");
    QStringList log;
    QTimer::singleShot(0, &outer, [&] {
        QTimer::singleShot(0, &inner, [&] { inner.unload(); });
        inner.showModal();
        log << "inner returned";
        outer.unload();
    });
    outer.showModal();
    log << "outer returned";
    EXPECT_EQ(log, (QStringList{"inner returned", "outer returned"}));
}

TEST(FormLookup, ControlsByNameAndIndex) {
    Form form("F");
    auto* t5 = form.add<Label>("tit_KOUMOKU", 0, 0, 100, 100, 5);
    auto* t6 = form.add<Label>("tit_KOUMOKU", 0, 0, 100, 100, 6);
    auto* box = form.add<TextBox>("Center_CD", 0, 0, 100, 100);
    EXPECT_EQ(form.control("tit_koumoku", 6), t6);
    EXPECT_EQ(form.get<Label>("tit_KOUMOKU", 5), t5);
    EXPECT_EQ(form.get<TextBox>("center_cd"), box);
    EXPECT_EQ(form.get<Label>("Center_CD"), nullptr);
    EXPECT_EQ(form.control("tit_KOUMOKU"), nullptr);
}

TEST(FormGeometry, ClientAreaInTwips) {
    Form form("F");
    form.moveTwips(1500, 3000, 6465, 4620);
    EXPECT_EQ(form.formWidth(), 6465);
    EXPECT_EQ(form.formHeight(), 4620);
    EXPECT_EQ(form.geometry(), QRect(100, 200, 431, 308));
    form.setCaption(QStringLiteral("コード検索"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("コード検索"));
    form.setWindowFont(QStringLiteral("ＭＳ ゴシック"), 12);
    auto* box = form.add<TextBox>("T", 0, 0, 100, 100);
    EXPECT_EQ(box->fontName(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_DOUBLE_EQ(box->fontSize(), 12);
}

} // namespace
