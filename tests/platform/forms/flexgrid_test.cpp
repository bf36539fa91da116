// The flex grid: header row 0, current cell and RowColChange, selection, clicks and keys.
#include "formtest.h"
#include "platform/forms/flexgrid.h"
#include <QHeaderView>
#include <QTableView>

using namespace forms;

namespace {

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid = form.add<FlexGrid>("GRID", 330, 3210, 3495, 4425);
        grid->onRowColChange = [this] {
            log << QString("rcc %1,%2").arg(grid->row()).arg(grid->col());
        };
        grid->onClick = [this] { log << QString("click %1,%2").arg(grid->row()).arg(grid->col()); };
        grid->onDblClick = [this] { log << "dblclick"; };
    }
    // The layout the schedule list uses: hidden column 0, header texts, `n` data rows.
    void fill(int n) {
        grid->setCols(3);
        grid->setRow(0);
        grid->setCol(1);
        grid->setText(QStringLiteral(" 曜日 "));
        grid->setCol(2);
        grid->setText(QStringLiteral(" 起動時刻 "));
        grid->setColWidth(0, 0);
        grid->setColWidth(1, 1000);
        grid->setColWidth(2, 2500);
        for (int r = 1; r <= n; ++r) {
            grid->setRows(r + 1);
            grid->setRow(r);
            grid->setRowHeight(r, 360);
            grid->setTextMatrix(r, 1, QString("day%1").arg(r));
            grid->setTextMatrix(r, 2, QString("0%1:00").arg(r));
        }
        log.clear();
    }
    QPoint cellCentre(int row, int col) const {
        return grid->table()->visualRect(grid->table()->model()->index(row - 1, col)).center();
    }
    QModelIndexList selected() const { return grid->table()->selectionModel()->selectedIndexes(); }
    // The view as it is shown.
    QTableView* shown() const { return static_cast<QTableView*>(grid->widget()); }
    // What a view shows of a cell (table row r is grid row r + 1) and of a header section.
    static QVariant cell(QTableView* t, int r, int c, int role = Qt::DisplayRole) {
        return t->model()->index(r, c).data(role);
    }
    static QString heading(QTableView* t, int c) {
        return t->model()->headerData(c, Qt::Horizontal).toString();
    }

    Form form{"F"};
    FlexGrid* grid = nullptr;
    QStringList log;
};

TEST_F(FlexGridTest, StartsWithTwoRowsTwoColsAndTheFirstDataCellCurrent) {
    EXPECT_EQ(grid->rows(), 2);
    EXPECT_EQ(grid->cols(), 2);
    EXPECT_EQ(grid->row(), 1);
    EXPECT_EQ(grid->col(), 0);
    EXPECT_EQ(grid->fixedRows(), 1);
    EXPECT_EQ(grid->table()->model()->rowCount(), 1);
    EXPECT_EQ(heading(grid->table(), 1), ""); // no section numbers
}

TEST_F(FlexGridTest, RowZeroIsTheHeader) {
    fill(2);
    EXPECT_EQ(grid->textMatrix(0, 1), QStringLiteral(" 曜日 "));
    EXPECT_EQ(heading(grid->table(), 2), QStringLiteral(" 起動時刻 "));
    EXPECT_EQ(cell(grid->table(), 0, 1).toString(), "day1");
    grid->setRow(0);
    EXPECT_FALSE(grid->table()->currentIndex().isValid());
    EXPECT_TRUE(selected().isEmpty());
    grid->setTextMatrix(0, 2, "T");
    EXPECT_EQ(heading(grid->table(), 2), "T");
}

TEST_F(FlexGridTest, RowColChangeOnEveryChangeOfTheCurrentCellFromCode) {
    fill(3); // current cell (3, 2)
    grid->setRow(3);
    grid->setCol(2);
    EXPECT_TRUE(log.isEmpty());
    grid->setRow(1);
    grid->setCol(0);
    grid->setRow(7); // out of range: ignored
    EXPECT_EQ(log, (QStringList{"rcc 1,2", "rcc 1,0"}));
    grid->setRows(1); // the current row goes with its line
    EXPECT_EQ(grid->row(), 0);
    EXPECT_EQ(log.last(), "rcc 0,0");
}

TEST_F(FlexGridTest, ColSelHighlightsTheCurrentRowFromColToColSel) {
    fill(3);
    grid->setRow(2);
    grid->setCol(0);
    grid->setColSel(2);
    const auto sel = selected();
    ASSERT_EQ(sel.size(), 3);
    for (const QModelIndex& i : sel)
        EXPECT_EQ(i.row(), 1);
    grid->setCol(0); // setting Col collapses the selection
    EXPECT_EQ(grid->colSel(), 0);
    ASSERT_EQ(selected().size(), 1);
    EXPECT_EQ(selected()[0].column(), 0);
}

TEST_F(FlexGridTest, ClickMakesTheCellCurrentBeforeClick) {
    fill(3);
    formtest::showActive(&form);
    QTest::mouseClick(grid->table()->viewport(), Qt::LeftButton, {}, cellCentre(2, 1));
    EXPECT_EQ(log, (QStringList{"rcc 2,1", "click 2,1"}));
    EXPECT_EQ(grid->colSel(), 1);
    log.clear();
    QTest::mouseDClick(grid->table()->viewport(), Qt::LeftButton, {}, cellCentre(1, 2));
    EXPECT_EQ(log, (QStringList{"rcc 1,2", "dblclick"}));
}

TEST_F(FlexGridTest, ArrowKeysMoveAfterKeyDownAndNeverOntoTheHeader) {
    fill(3);
    grid->setRow(1);
    grid->setCol(0); // the hidden column, as after highlighting a line
    log.clear();
    grid->onKeyDown = [this](int& code, int) {
        log << QString("down %1 at %2").arg(code).arg(grid->row());
    };
    QTest::keyClick(grid->table(), Qt::Key_Up);
    QTest::keyClick(grid->table(), Qt::Key_Down);
    QTest::keyClick(grid->table(), Qt::Key_Down);
    QTest::keyClick(grid->table(), Qt::Key_Down);
    EXPECT_EQ(log, (QStringList{"down 38 at 1", "down 40 at 1", "rcc 2,0", "down 40 at 2",
                                "rcc 3,0", "down 40 at 3"}));
    QTest::keyClicks(grid->table(), "d"); // no jump to a matching cell
    EXPECT_EQ(grid->row(), 3);
}

// A move out of sight, by key or from code during a fill, scrolls the current cell into view.
TEST_F(FlexGridTest, TheCurrentCellIsScrolledIntoView) {
    formtest::showActive(&form);
    fill(60);
    QTableView* t = grid->table();
    const auto inSight = [&] {
        const QRect cell = t->visualRect(t->currentIndex());
        return cell.top() >= 0 && cell.bottom() < t->viewport()->height();
    };
    EXPECT_TRUE(QTest::qWaitFor(inSight)) << "line 60 stays out of sight after the fill";
    QTest::keyClick(t, Qt::Key_Home, Qt::ControlModifier);
    ASSERT_EQ(grid->row(), 1);
    EXPECT_TRUE(QTest::qWaitFor(inSight)) << "line 1 stays out of sight after Ctrl+Home";
}

TEST_F(FlexGridTest, WidthsAndHeightsInTwips) {
    fill(1);
    EXPECT_EQ(grid->colWidth(1), 1000);
    EXPECT_EQ(grid->table()->columnWidth(1), 66);
    EXPECT_TRUE(grid->table()->isColumnHidden(0));
    EXPECT_EQ(grid->colWidth(0), 0);
    grid->setColWidth(0, 300);
    EXPECT_FALSE(grid->table()->isColumnHidden(0));
    EXPECT_EQ(grid->rowHeight(1), 360);
    EXPECT_EQ(grid->table()->rowHeight(0), 24);
}

TEST_F(FlexGridTest, CellAlignmentOfTheCurrentCell) {
    fill(1);
    grid->setRow(1);
    grid->setCol(1);
    grid->setCellAlignment(7);
    grid->setCol(2);
    grid->setCellAlignment(1);
    EXPECT_EQ(grid->cellAlignment(), 1);
    EXPECT_EQ(cell(grid->table(), 0, 1, Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(cell(grid->table(), 0, 2, Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));
    grid->setCellAlignment(4);
    EXPECT_EQ(cell(grid->table(), 0, 2, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
}

TEST_F(FlexGridTest, ClearEmptiesTextsAndFormatsButKeepsTheShape) {
    fill(2);
    grid->setRow(1);
    grid->setCol(1);
    grid->setCellAlignment(7);
    QCoreApplication::processEvents(); // the table has the lines
    grid->clear();
    EXPECT_EQ(grid->rows(), 3);
    EXPECT_EQ(grid->cols(), 3);
    EXPECT_EQ(grid->textMatrix(0, 1), "");
    EXPECT_EQ(grid->textMatrix(2, 2), "");
    EXPECT_EQ(grid->cellAlignment(), 9);
    EXPECT_EQ(grid->colWidth(1), 1000);
    grid->setTextMatrix(2, 1, "again"); // before the table has caught up with the clear
    QTableView* t = grid->table();
    EXPECT_EQ(heading(t, 1), "");
    EXPECT_EQ(cell(t, 1, 1).toString(), "again");
    EXPECT_EQ(cell(t, 1, 2).toString(), "");
    EXPECT_EQ(cell(t, 0, 1).toString(), "");
}

// The table follows the grid from the event loop, with no one asking for it.
TEST_F(FlexGridTest, TheTableCatchesUpFromTheEventLoop) {
    fill(3);
    grid->setRow(2);
    grid->setCol(1);
    grid->setCellAlignment(7);
    grid->setColSel(2);
    QCoreApplication::processEvents();
    QTableView* t = shown();
    EXPECT_EQ(t->model()->rowCount(), 3);
    EXPECT_EQ(heading(t, 1), QStringLiteral(" 曜日 "));
    EXPECT_EQ(cell(t, 2, 2).toString(), "03:00");
    EXPECT_EQ(cell(t, 1, 1, Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(t->verticalHeader()->defaultSectionSize(), 24); // 360 twips, shared by all lines
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(t->rowHeight(r), 24);
    EXPECT_EQ(t->currentIndex(), t->model()->index(1, 1));
    EXPECT_EQ(t->selectionModel()->selectedIndexes().size(), 2);
}

TEST_F(FlexGridTest, LinesOfAnotherHeightKeepTheirOwn) {
    fill(4);
    grid->setRowHeight(2, 600);
    grid->setRowHeight(4, -1);
    QTableView* t = grid->table();
    const int natural = grid->rowHeight(4) / 15;
    EXPECT_EQ(t->rowHeight(0), 24);
    EXPECT_EQ(t->rowHeight(1), 40);
    EXPECT_EQ(t->rowHeight(2), 24);
    EXPECT_EQ(t->rowHeight(3), natural);
    for (int r = 1; r <= 4; ++r)
        grid->setRowHeight(r, 600);
    t = grid->table();
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(t->rowHeight(r), 40);
    EXPECT_EQ(grid->rowHeight(2), 600);
}

TEST_F(FlexGridTest, LinesThatGoAndComeBackComeBackEmpty) {
    fill(3);
    grid->table(); // the table has the three lines
    grid->setRows(2);
    grid->setRows(4);
    EXPECT_EQ(grid->textMatrix(2, 1), "");
    EXPECT_EQ(grid->rowHeight(2), grid->rowHeight(3));
    QTableView* t = grid->table();
    EXPECT_EQ(t->model()->rowCount(), 3);
    EXPECT_EQ(cell(t, 0, 1).toString(), "day1");
    for (int r : {1, 2})
        EXPECT_TRUE(cell(t, r, 1).toString().isEmpty()) << r;
}

// A click lands on what the grid holds, even on lines added since the table last caught up.
TEST_F(FlexGridTest, ClickOnALineTheTableHasNotCaughtUpWith) {
    fill(3);
    formtest::showActive(&form);
    QCoreApplication::processEvents();
    const QPoint third = cellCentre(3, 1);
    grid->setRows(5);
    grid->setTextMatrix(4, 1, "day4");
    grid->setRowHeight(4, 360);
    log.clear();
    QTest::mouseClick(shown()->viewport(), Qt::LeftButton, {}, third + QPoint(0, 24));
    EXPECT_EQ(log, (QStringList{"rcc 4,1", "click 4,1"}));
    EXPECT_EQ(shown()->currentIndex(), shown()->model()->index(3, 1));
}

} // namespace
