// The data grid bound to a real result set (SQLite through unixODBC): lazy rows, the current
// row following the result set, and the keys and clicks the search dialog picks with.
#include "formtest.h"
#include "platform/forms/datagrid.h"
#include "platform/forms/resultsetmodel.h"
#include "platform/odbc/connection.h"
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

using namespace forms;

namespace {

constexpr int kRows = 1000;

class DataGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        conn.open(QString("Driver=SQLite3;Database=%1/grid.db;StepAPI=1;").arg(dir.path()));
        conn.execute("CREATE TABLE centers (code TEXT, name TEXT)");
        conn.beginTrans();
        for (int i = 0; i < kRows; ++i)
            conn.execute(QString("INSERT INTO centers VALUES ('C%1', 'name %2')")
                             .arg(i, 4, 10, QChar('0'))
                             .arg(i));
        conn.commitTrans();
        rs = conn.openResultSet("SELECT code AS センターコード, name AS センター名 FROM centers "
                                "ORDER BY code",
                                odbc::CursorType::Keyset, odbc::Concurrency::ReadOnly);
        form.setKeyPreview(true);
        grid = form.add<DataGrid>("GRID", 90, 60, 6240, 3630);
    }
    QAbstractItemModel* model() const { return grid->view()->model(); }

    QTemporaryDir dir;
    odbc::Environment env;
    odbc::Connection conn{env};
    std::unique_ptr<odbc::ResultSet> rs;
    Form form{"SEARCH_MSTDB"};
    DataGrid* grid = nullptr;
};

TEST_F(DataGridTest, ShowsTheColumnsByNameAndFetchesRowsAsTheViewScrolls) {
    grid->setDataSource(rs.get());
    formtest::showActive(&form);
    EXPECT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("センターコード"));
    EXPECT_EQ(model()->index(0, 1).data().toString(), "name 0");
    const int shown = model()->rowCount();
    EXPECT_LT(shown, kRows);
    EXPECT_LT(rs->fetchedRows(), kRows);
    while (model()->canFetchMore(QModelIndex())) {
        grid->view()->scrollToBottom();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(model()->rowCount(), kRows);
    EXPECT_EQ(model()->index(kRows - 1, 0).data().toString(), "C0999");
}

// The first batch is what the view can show and one line more, so that the dialog shows
// without waiting for rows no one sees; scrolling brings the rest a batch at a time.
TEST_F(DataGridTest, FirstBatchFillsTheViewAndNoMore) {
    grid->setDataSource(rs.get());
    const int first = model()->rowCount();
    formtest::showActive(&form);
    QCoreApplication::processEvents();
    QTableView* v = grid->view();
    EXPECT_EQ(model()->rowCount(), first); // showing asks for no more
    const int rowHeight = v->verticalHeader()->defaultSectionSize();
    EXPECT_GE(first * rowHeight, v->viewport()->height());
    EXPECT_LE(first, v->height() / rowHeight + 2);
    EXPECT_FALSE(v->viewport()->rect().intersects(v->visualRect(model()->index(first - 1, 0))));
    v->scrollToBottom();
    QCoreApplication::processEvents();
    EXPECT_EQ(model()->rowCount(), first + detail::ResultSetModel::kBatch);
}

TEST_F(DataGridTest, ALowGridStillFetchesARow) {
    grid->move(grid->left(), grid->top(), grid->width(), 0);
    grid->setDataSource(rs.get());
    EXPECT_EQ(model()->rowCount(), 1);
    EXPECT_EQ(model()->index(0, 0).data().toString(), "C0000");
    EXPECT_EQ(grid->row(), 0);
}

TEST_F(DataGridTest, TheCurrentRowAndTheRecordFollowEachOther) {
    ASSERT_TRUE(rs->moveTo(2));
    grid->setDataSource(rs.get());
    EXPECT_EQ(grid->row(), 2);
    grid->setRow(700); // beyond what the view has fetched
    EXPECT_EQ(rs->position(), 700);
    EXPECT_EQ(grid->row(), 700);
    EXPECT_EQ(rs->value(0).value_or(""), "C0700");
    QTest::keyClick(grid->view(), Qt::Key_Up);
    EXPECT_EQ(rs->position(), 699);
}

TEST_F(DataGridTest, DoubleClickPicksTheRowUnderTheMouse) {
    grid->setDataSource(rs.get());
    formtest::showActive(&form);
    QString picked;
    grid->onDblClick = [&] { picked = rs->value(0).value_or(""); };
    const QRect second = grid->view()->visualRect(model()->index(1, 0));
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(picked, "C0001");
}

// Esc reaches the form's KeyDown first and Enter is released in the grid, as the search
// dialog expects.
TEST_F(DataGridTest, EnterAndEscReachTheFormAndTheGridKeyUp) {
    grid->setDataSource(rs.get());
    QStringList log;
    form.onKeyDown = [&](int& code, int) { log << QString("form down %1").arg(code); };
    grid->onKeyUp = [&](int& code, int) {
        log << QString("grid up %1 at %2").arg(code).arg(rs->position());
    };
    QTest::keyClick(grid->view(), Qt::Key_Down);
    QTest::keyClick(grid->view(), Qt::Key_Return);
    QTest::keyClick(grid->view(), Qt::Key_Escape);
    EXPECT_EQ(log, (QStringList{"form down 40", "grid up 40 at 1", "form down 13",
                                "grid up 13 at 1", "form down 27", "grid up 27 at 1"}));
}

// Ctrl+End and a drag of the scroll bar to its end fetch the rest first, under the hourglass.
TEST_F(DataGridTest, CtrlEndAndADragToTheEndReachTheRealLastRow) {
    formtest::showActive(&form);
    QTableView* v = grid->view();
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Ctrl+End", [&] { QTest::keyClick(v, Qt::Key_End, Qt::ControlModifier); }},
        {"drag",
         [&] {
             QScrollBar* bar = v->verticalScrollBar();
             bar->setSliderDown(true);
             bar->setSliderPosition(bar->maximum());
             bar->setSliderDown(false);
         }},
    };
    int pointer = -1; // outlives the loop: the guard set below stays with the grid
    for (const auto& [way, act] : ways) {
        SCOPED_TRACE(way);
        rs = conn.openResultSet("SELECT code FROM centers ORDER BY code", odbc::CursorType::Keyset,
                                odbc::Concurrency::ReadOnly);
        grid->setDataSource(rs.get());
        QCoreApplication::processEvents();
        ASSERT_LT(model()->rowCount(), kRows);
        pointer = -1;
        grid->setGuard([&](const std::function<void()>& work) {
            pointer = std::max(pointer, mousePointer());
            work();
        });
        setMousePointer(0);
        act();
        QCoreApplication::processEvents();
        EXPECT_EQ(model()->rowCount(), kRows);
        EXPECT_EQ(pointer, 11);
        EXPECT_EQ(mousePointer(), 0);
        const QModelIndex last = model()->index(kRows - 1, 0);
        EXPECT_TRUE(v->viewport()->rect().intersects(v->visualRect(last)));
    }
}

// Headings are drawn in the heading font whatever row is selected (Qt highlights them bold).
TEST_F(DataGridTest, HeadingsLookTheSameWithARowSelected) {
    grid->setDataSource(rs.get());
    formtest::showActive(&form);
    QHeaderView* head = grid->view()->horizontalHeader();
    grid->view()->clearSelection();
    const QImage plain = head->grab().toImage();
    grid->setRow(1);
    ASSERT_TRUE(grid->view()->selectionModel()->hasSelection());
    EXPECT_EQ(head->grab().toImage(), plain);
}

TEST_F(DataGridTest, UnbindingAndClosingLeaveAnEmptySafeGrid) {
    grid->setDataSource(rs.get());
    grid->setColumnWidth(0, 1500);
    EXPECT_EQ(grid->columnWidth(0), 1500);
    rs->close();
    EXPECT_FALSE(model()->index(0, 0).data().isValid());
    EXPECT_FALSE(model()->canFetchMore(QModelIndex()));
    grid->setDataSource(nullptr);
    EXPECT_EQ(grid->columnCount(), 0);
    EXPECT_EQ(grid->row(), -1);
    EXPECT_EQ(grid->dataSource(), nullptr);
}

} // namespace
