#include "platform/forms/flexgridmodel.h"

namespace forms::detail {

Qt::Alignment FlexGridModel::alignmentOf(int code) {
    if (code < 0 || code > 8) return Qt::AlignLeft | Qt::AlignVCenter;
    static constexpr Qt::AlignmentFlag h[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::AlignmentFlag v[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return h[code / 3] | v[code % 3];
}

// Lines that go and come back, come back empty.
void FlexGridModel::setGridRows(int rows) {
    rows = std::max(rows, 1);
    if (rows == rows_) return;
    const bool removing = rows < shownRows_;
    if (removing) beginRemoveRows(QModelIndex(), rows - 1, shownRows_ - 2);
    for (std::vector<Cell>& column : cells_)
        column.resize(size_t(rows));
    rows_ = rows;
    if (!removing) return;
    shownRows_ = rows;
    endRemoveRows();
}

bool FlexGridModel::announce() {
    if (rows_ == shownRows_) return false;
    beginInsertRows(QModelIndex(), shownRows_ - 1, rows_ - 2);
    shownRows_ = rows_;
    endInsertRows();
    return true;
}

void FlexGridModel::setGridCols(int cols) {
    cols = std::max(cols, 1);
    if (cols == cols_) return;
    if (cols > cols_)
        beginInsertColumns(QModelIndex(), cols_, cols - 1);
    else
        beginRemoveColumns(QModelIndex(), cols, cols_ - 1);
    cells_.resize(size_t(cols), std::vector<Cell>(size_t(rows_)));
    const bool grew = cols > cols_;
    cols_ = cols;
    grew ? endInsertColumns() : endRemoveColumns();
}

bool FlexGridModel::contains(int row, int col) const {
    return row >= 0 && row < rows_ && col >= 0 && col < cols_;
}

QString FlexGridModel::text(int row, int col) const {
    return contains(row, col) ? cells_[size_t(col)][size_t(row)].text : QString();
}

void FlexGridModel::setText(int row, int col, const QString& text) {
    if (!contains(row, col)) return;
    cells_[size_t(col)][size_t(row)].text = text;
    changed(row, col);
}

int FlexGridModel::alignment(int row, int col) const {
    return contains(row, col) ? cells_[size_t(col)][size_t(row)].alignment : kGeneral;
}

void FlexGridModel::setAlignment(int row, int col, int code) {
    if (!contains(row, col)) return;
    cells_[size_t(col)][size_t(row)].alignment = code;
    changed(row, col);
}

void FlexGridModel::clear() {
    for (std::vector<Cell>& column : cells_)
        column.assign(column.size(), Cell());
    emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (shownRows_ > 1) emit dataChanged(index(0, 0), index(shownRows_ - 2, cols_ - 1));
}

void FlexGridModel::changed(int row, int col) {
    if (row >= shownRows_) return; // the view reads it when the line is announced
    if (row == 0)
        emit headerDataChanged(Qt::Horizontal, col, col);
    else
        emit dataChanged(index(row - 1, col), index(row - 1, col));
}

int FlexGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_ - 1;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant FlexGridModel::cellData(const Cell& cell, int role) const {
    if (role == Qt::DisplayRole) return cell.text;
    if (role == Qt::TextAlignmentRole) return int(alignmentOf(cell.alignment));
    return {};
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() + 1 >= shownRows_ ||
        !contains(index.row() + 1, index.column()))
        return {};
    return cellData(cells_[size_t(index.column())][size_t(index.row() + 1)], role);
}

// The header shows row 0, never section numbers.
QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || !contains(0, section)) return {};
    return cellData(cells_[size_t(section)][0], role);
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace forms::detail
