#pragma once
// Flex grid: cells addressed by (Row, Col); row 0 is the fixed header row. Row 0 lives in
// the table's horizontal header, so table row r - 1 holds grid row r. Keys and clicks move
// the current cell through the grid itself (RowColChange, then Click); other keys do nothing.
#include "platform/forms/control.h"
#include <Qt>
#include <vector>

class QTableWidget;
class QTableWidgetItem;

namespace forms {

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
    QTableWidget* table() const;

    std::function<void()> onRowColChange;

private:
    class Table;
    void setCurrent(int row, int col);
    bool navigate(int qtKey, Qt::KeyboardModifiers modifiers);
    void showCurrent();
    QTableWidgetItem* cell(int row, int col) const;
    QTableWidgetItem* makeCell(int row, int col);
    int rows_ = 2;
    int cols_ = 2;
    int row_ = 1;
    int col_ = 0;
    int colSel_ = 0;
    std::vector<int> colWidths_;  // twips as set; -1 default width
    std::vector<int> rowHeights_; // twips as set; -1 default height
};

} // namespace forms
