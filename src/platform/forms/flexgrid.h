#pragma once
// Flex grid: cells addressed by (Row, Col); row 0 is the fixed header row. Row 0 lives in
// the table's horizontal header, so table row r - 1 holds grid row r. Keys and clicks move
// the current cell through the grid itself (RowColChange, then Click); other keys do nothing.
//
// The grid keeps its cells, sizes and current cell itself and answers from them at once; the
// Qt table only mirrors them, brought up to date once from the event loop after changes
// (a fill of thousands of rows costs one update of the table, not one per row).
#include "platform/forms/control.h"
#include <Qt>
#include <vector>

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
    // The table, brought up to date first.
    QTableWidget* table() const;

    std::function<void()> onRowColChange;

private:
    class Table;
    // 0..8 run left/centre/right by top/centre/bottom; 9 is general (text at the left).
    static constexpr int kGeneral = 9;
    struct Cell {
        QString text;
        int alignment = kGeneral;
    };
    void setCurrent(int row, int col);
    bool navigate(int qtKey, Qt::KeyboardModifiers modifiers);
    QTableWidget* view() const; // as it is, possibly behind
    Cell* cell(int row, int col);
    const Cell* cell(int row, int col) const;
    int rowPixels(int row) const;
    void markRows(int from, int to);
    void markStale();
    void syncView() const;
    void syncRows() const;
    void syncCells() const;
    void syncHeights() const;
    void syncCurrent() const;

    int rows_ = 2;
    int cols_ = 2;
    int row_ = 1;
    int col_ = 0;
    int colSel_ = 0;
    std::vector<std::vector<Cell>> cells_; // [col][row], row 0 the header
    std::vector<int> colWidths_;           // twips as set; -1 default width
    std::vector<int> rowHeights_;          // twips as set; -1 default height
    int defaultRowPixels_ = 0;             // the table's own row height
    // What the table has not seen yet.
    mutable bool stale_ = false;
    mutable bool queued_ = false;
    mutable bool cleared_ = false;
    mutable bool heightsStale_ = false;
    mutable int staleFrom_ = 0; // rows staleFrom_..staleTo_ hold changed cells
    mutable int staleTo_ = -1;
};

} // namespace forms
