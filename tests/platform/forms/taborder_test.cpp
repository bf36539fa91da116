// TabIndex renumbering and the focus chain that follows it.
#include "formtest.h"
#include "platform/forms/controls.h"
#include "platform/forms/datagrid.h"
#include <QLineEdit>
#include <random>

using namespace forms;

namespace {

QStringList tabOrder(const Form& form) {
    QStringList names;
    for (int i = 0; i < int(form.controls().size()); ++i) {
        for (Control* c : form.controls()) {
            if (c->tabIndex() == i) names << c->name();
        }
    }
    return names;
}

TEST(TabIndex, NumbersFollowCreationAndSettingOneShiftsTheOthers) {
    Form form("F");
    form.add<Label>("L0", 0, 0, 100, 100);
    form.add<TextBox>("T1", 0, 0, 100, 100);
    form.add<TextBox>("T2", 0, 0, 100, 100);
    auto* b3 = form.add<CommandButton>("B3", 0, 0, 100, 100);
    form.add<Label>("L4", 0, 0, 100, 100);
    EXPECT_EQ(tabOrder(form), (QStringList{"L0", "T1", "T2", "B3", "L4"}));
    b3->setTabIndex(0);
    EXPECT_EQ(tabOrder(form), (QStringList{"B3", "L0", "T1", "T2", "L4"}));
    b3->setTabIndex(99);
    EXPECT_EQ(tabOrder(form), (QStringList{"L0", "T1", "T2", "L4", "B3"}));
    form.control("T2")->setTabIndex(1);
    EXPECT_EQ(tabOrder(form), (QStringList{"L0", "T2", "T1", "L4", "B3"}));
    QStringList created;
    for (Control* c : form.controls())
        created << c->name();
    EXPECT_EQ(created, (QStringList{"L0", "T1", "T2", "B3", "L4"}));
}

TEST(TabIndex, StaysAPermutationUnderAnySequenceOfSettings) {
    Form form("F");
    for (int i = 0; i < 12; ++i)
        form.add<TextBox>(QString("T%1").arg(i), 0, 0, 100, 100);
    std::mt19937 rng(7);
    for (int step = 0; step < 200; ++step) {
        Control* c = form.controls()[rng() % 12];
        const int target = int(rng() % 15);
        c->setTabIndex(target);
        EXPECT_EQ(c->tabIndex(), std::min(target, 11));
        std::vector<int> seen;
        for (Control* x : form.controls())
            seen.push_back(x->tabIndex());
        std::sort(seen.begin(), seen.end());
        for (int i = 0; i < 12; ++i)
            ASSERT_EQ(seen[size_t(i)], i);
    }
}

TEST(TabIndex, DataControlsTakeNoNumber) {
    Form form("F");
    form.add<TextBox>("T0", 0, 0, 100, 100);
    auto* rs = form.add<DataControl>("RS", 0, 0, 100, 100);
    auto* t1 = form.add<TextBox>("T1", 0, 0, 100, 100);
    EXPECT_EQ(rs->tabIndex(), -1);
    EXPECT_EQ(t1->tabIndex(), 1);
}

TEST(TabIndex, TheTabKeyFollowsTheNumbersAndSkipsLabels) {
    Form form("F");
    auto* t0 = form.add<TextBox>("T0", 0, 0, 1000, 300);
    form.add<Label>("L", 0, 400, 1000, 300);
    form.add<TextBox>("T1", 0, 800, 1000, 300);
    auto* t2 = form.add<TextBox>("T2", 0, 1200, 1000, 300);
    t2->setTabIndex(0); // T2, T0, L, T1
    t0->setFocus();
    formtest::showActive(&form);
    QStringList visited;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << form.activeControl()->name();
    }
    EXPECT_EQ(visited, (QStringList{"T1", "T2", "T0"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(form.activeControl(), t2);
}

} // namespace
