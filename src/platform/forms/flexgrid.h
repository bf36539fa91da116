#pragma once
// Flex grid: cells addressed by (Row, Col); row 0 is the fixed header row.
#include "platform/forms/control.h"

class QTableWidget;

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
};

} // namespace forms
