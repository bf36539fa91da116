// Loading, showing, modal showing and unloading a form; lookup and geometry.
#include "formtest.h"
#include "platform/forms/controls.h"
#include "platform/forms/datagrid.h"
#include "platform/forms/flexgrid.h"
#include <memory>

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

// A control ends with its widget, whoever deletes it; a shown form may be deleted with a
// control of each kind busy: a focused text box, a grid whose view has yet to take in new lines.
// Nothing may reach a control that has gone (the sanitizer build sees any such access), and
// no handler runs for the widgets' way out.
TEST(FormLifecycle, ControlsEndWithTheirWidgetsAndAShownFormCanBeDeleted) {
    auto form = std::make_unique<Form>("F");
    auto* text = form->add<TextBox>("T", 0, 0, 1500, 300);
    form->add<Label>("L", 0, 300, 1500, 300);
    form->add<CommandButton>("B", 0, 600, 1500, 300);
    auto* list = form->add<ComboBox>("C", 0, 900, 1500, 300);
    auto* flex = form->add<FlexGrid>("G", 1500, 0, 3000, 3000);
    form->add<DataGrid>("D", 4500, 0, 3000, 3000);
    form->add<DataControl>("R", 0, 0, 0, 0);
    auto* spare = form->add<TextBox>("X", 0, 1200, 1500, 300);
    ASSERT_NO_FATAL_FAILURE(formtest::showActive(form.get()));

    delete spare->widget();
    EXPECT_EQ(form->control("X"), nullptr);
    EXPECT_EQ(form->controls().size(), 7u);

    int handled = 0;
    for (Control* c : form->controls())
        c->onGotFocus = c->onLostFocus = c->onClick = [&] { ++handled; };
    list->addItem("a");
    list->setListIndex(0);
    text->setFocus();
    flex->setRows(40);
    flex->setRow(30);
    handled = 0;
    form.reset();
    EXPECT_EQ(handled, 0);
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
