#pragma once
// Flex grid: cells addressed by (Row, Col); row 0 is the fixed header row. A table view shows
// the cells' model, which puts row 0 in the view's horizontal header, so view row r - 1 holds
// grid row r. Keys and clicks move the current cell through the grid itself (RowColChange,
// then Click); other keys do nothing. Lines added and moves of the current cell reach the view
// together, once the handler that made them is done.
#include "platform/forms/control.h"
#include <Qt>
#include <map>
#include <vector>

class QTableView;

namespace forms {

namespace detail {
class FlexGridModel;
}

class FlexGrid : public Control {
public:
    FlexGrid(Form* form, QString name, int index = -1);
    int rows() const;
    void setRows(int rows);
    int cols() const;
    void setCols(int cols);
    int fixedRows() const; // 1
    // Current cell; setting Row or Col raises RowColChange when the current cell changes.
    int row() const;
    void setRow(int row);
    int col() const;
    void setCol(int col);
    // Selection runs from (Row, Col) to (Row, ColSel) and is what is highlighted.
    int colSel() const;
    void setColSel(int col);
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    QString text() const; // cell (Row, Col)
    void setText(const QString& text);
    int colWidth(int col) const; // twips; 0 hides the column
    void setColWidth(int col, int twips);
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);
    // Alignment of the current cell: 1 left-centre, 4 centre-centre, 7 right-centre.
    int cellAlignment() const;
    void setCellAlignment(int alignment);
    // Cell texts and formats only; Rows and Cols stay.
    void clear();
    void refresh();
    // The view, brought up to date with the grid's lines and current cell.
    QTableView* table();

    std::function<void()> onRowColChange;

private:
    class View;
    void setCurrent(int row, int col);
    View* view() const;
    void catchUp(bool always = false);
    void showLater(); // the current cell or selection changed
    void showCurrent(bool always = false);
    bool navigate(int qtKey, Qt::KeyboardModifiers modifiers);
    int rowPixels(int row) const;
    void setLinePixels(int row, int pixels);
    void countHeight(int pixels, int delta);
    void settleDefault();

    detail::FlexGridModel* const model_;
    int row_ = 1;
    int col_ = 0;
    int colSel_ = 0;
    bool viewBehind_ = true;      // the view's current cell and selection are not yet the grid's
    std::vector<int> colWidths_;  // twips as set; -1 default width
    std::vector<int> rowHeights_; // twips as set; -1 default height
    int defaultRowPixels_ = 0;    // the table's own row height
    // Data lines by height in pixels: the most common height is the view's default, so that a
    // line added or resized costs one section, never a pass over all lines.
    std::map<int, int> heights_;
};

} // namespace forms
