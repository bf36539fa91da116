#pragma once
// The cells of a flex grid as a table model: grid row 0 is the horizontal header, grid row r
// is model row r - 1. Texts and alignments only; sizes and the current cell belong to the view.
// Lines added reach the view when announce() is called, all in one insertion: a fill adds a
// line per row read, and the view would otherwise take in each one on its own.
#include <QAbstractTableModel>
#include <vector>

namespace forms::detail {

class FlexGridModel : public QAbstractTableModel {
public:
    // 0..8 run left/centre/right by top/centre/bottom; 9 is general (text at the left).
    static constexpr int kGeneral = 9;
    static Qt::Alignment alignmentOf(int code);

    explicit FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

    // In grid rows, the header row included.
    int gridRows() const { return rows_; }
    void setGridRows(int rows);
    // Grid rows the view knows of; lines removed are announced at once.
    int shownRows() const { return shownRows_; }
    // Tells the view of the lines added since; false when there were none.
    bool announce();
    int gridCols() const { return cols_; }
    void setGridCols(int cols);
    bool contains(int row, int col) const;
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    int alignment(int row, int col) const;
    void setAlignment(int row, int col, int code);
    // Every text and alignment back to empty and general; the shape stays.
    void clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Cell {
        QString text;
        int alignment = kGeneral;
    };
    QVariant cellData(const Cell& cell, int role) const;
    void changed(int row, int col);

    int rows_ = 1;
    int shownRows_ = 1;
    int cols_ = 0;
    std::vector<std::vector<Cell>> cells_; // [col][grid row]
};

} // namespace forms::detail
