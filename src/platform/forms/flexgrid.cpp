#include "platform/forms/flexgrid.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableWidget>

namespace forms {

namespace {

// The alignment numbers of the grid: 0..8 run left/centre/right by top/centre/bottom; 9 is
// the general alignment (text at the left).
constexpr int kGeneral = 9;
constexpr int kAlignRole = Qt::UserRole + 1;

Qt::Alignment alignmentOf(int code) {
    if (code < 0 || code > 8) return Qt::AlignLeft | Qt::AlignVCenter;
    static constexpr Qt::AlignmentFlag h[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::AlignmentFlag v[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return h[code / 3] | v[code % 3];
}

} // namespace

// The table lets the grid decide what keys and clicks do to the current cell.
class FlexGrid::Table : public QTableWidget {
public:
    Table(FlexGrid* grid, QWidget* parent) : QTableWidget(parent), grid_(grid) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (grid_->navigate(e->key(), e->modifiers()))
            e->accept();
        else
            e->ignore();
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        QTableWidget::mousePressEvent(e);
        const QModelIndex index = indexAt(e->position().toPoint());
        if (index.isValid()) grid_->setCurrent(index.row() + 1, index.column());
    }
    void mouseMoveEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent* e) override {
        QTableWidget::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && viewport()->rect().contains(e->position().toPoint()))
            detail::fire(grid_->onClick);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        QTableWidget::mouseDoubleClickEvent(e);
        if (e->button() == Qt::LeftButton) detail::fire(grid_->onDblClick);
    }

private:
    FlexGrid* grid_;
};

FlexGrid::FlexGrid(Form* form, QString name, int index)
    : Control(ControlKind::FlexGrid, form, std::move(name), index, new Table(this, form)) {
    QTableWidget* t = table();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setTabKeyNavigation(false);
    t->setWordWrap(false);
    t->setTextElideMode(Qt::ElideNone);
    t->setCornerButtonEnabled(false);
    t->verticalHeader()->hide();
    t->verticalHeader()->setMinimumSectionSize(1);
    t->horizontalHeader()->setMinimumSectionSize(0);
    t->horizontalHeader()->setSectionsClickable(false);
    t->horizontalHeader()->setHighlightSections(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int rows = rows_, cols = cols_;
    rows_ = cols_ = 0;
    setCols(cols);
    setRows(rows);
    showCurrent();
}

QTableWidget* FlexGrid::table() const {
    return static_cast<QTableWidget*>(widget());
}

int FlexGrid::rows() const {
    return rows_;
}

void FlexGrid::setRows(int rows) {
    rows = std::max(rows, fixedRows());
    table()->setRowCount(rows - 1);
    rowHeights_.resize(size_t(rows), -1);
    rows_ = rows;
    if (row_ >= rows_)
        setCurrent(rows_ - 1, col_);
    else
        showCurrent();
}

int FlexGrid::cols() const {
    return cols_;
}

void FlexGrid::setCols(int cols) {
    cols = std::max(cols, 1);
    QTableWidget* t = table();
    t->setColumnCount(cols);
    for (int c = cols_; c < cols; ++c) {
        // Without an item of its own a header section shows its number.
        auto* head = new QTableWidgetItem;
        head->setTextAlignment(alignmentOf(kGeneral));
        t->setHorizontalHeaderItem(c, head);
    }
    colWidths_.resize(size_t(cols), -1);
    cols_ = cols;
    if (col_ >= cols_)
        setCurrent(row_, cols_ - 1);
    else
        setColSel(colSel_);
}

int FlexGrid::fixedRows() const {
    return 1;
}

int FlexGrid::row() const {
    return row_;
}

void FlexGrid::setRow(int row) {
    if (row >= 0 && row < rows_) setCurrent(row, col_);
}

int FlexGrid::col() const {
    return col_;
}

void FlexGrid::setCol(int col) {
    if (col >= 0 && col < cols_) setCurrent(row_, col);
}

int FlexGrid::colSel() const {
    return colSel_;
}

void FlexGrid::setColSel(int col) {
    colSel_ = std::clamp(col, 0, cols_ - 1);
    showCurrent();
}

// Moving the current cell collapses the selection onto it.
void FlexGrid::setCurrent(int row, int col) {
    const bool moved = row != row_ || col != col_;
    row_ = row;
    col_ = col;
    colSel_ = col;
    showCurrent();
    if (moved) detail::fire(onRowColChange);
}

void FlexGrid::showCurrent() {
    QTableWidget* t = table();
    QItemSelectionModel* sm = t->selectionModel();
    if (row_ < 1) {
        sm->clearCurrentIndex();
        sm->clearSelection();
        return;
    }
    const QModelIndex current = t->model()->index(row_ - 1, col_);
    sm->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    const QItemSelection range(t->model()->index(row_ - 1, std::min(col_, colSel_)),
                               t->model()->index(row_ - 1, std::max(col_, colSel_)));
    sm->select(range, QItemSelectionModel::ClearAndSelect);
}

bool FlexGrid::navigate(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (rows_ < 2) return false;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const int rowHeight = std::max(1, table()->verticalHeader()->defaultSectionSize());
    const int page = std::max(1, table()->viewport()->height() / rowHeight);
    int r = std::max(row_, 1);
    int c = col_;
    switch (qtKey) {
    case Qt::Key_Up:
        --r;
        break;
    case Qt::Key_Down:
        ++r;
        break;
    case Qt::Key_Left:
        --c;
        break;
    case Qt::Key_Right:
        ++c;
        break;
    case Qt::Key_PageUp:
        r -= page;
        break;
    case Qt::Key_PageDown:
        r += page;
        break;
    case Qt::Key_Home:
        ctrl ? void(r = 1) : void(c = 0);
        break;
    case Qt::Key_End:
        ctrl ? void(r = rows_ - 1) : void(c = cols_ - 1);
        break;
    default:
        return false;
    }
    setCurrent(std::clamp(r, 1, rows_ - 1), std::clamp(c, 0, cols_ - 1));
    return true;
}

QTableWidgetItem* FlexGrid::cell(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return nullptr;
    return row == 0 ? table()->horizontalHeaderItem(col) : table()->item(row - 1, col);
}

QTableWidgetItem* FlexGrid::makeCell(int row, int col) {
    if (QTableWidgetItem* it = cell(row, col)) return it;
    if (row < 1 || row >= rows_ || col < 0 || col >= cols_) return nullptr;
    auto* it = new QTableWidgetItem;
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    it->setTextAlignment(alignmentOf(kGeneral));
    table()->setItem(row - 1, col, it);
    return it;
}

QString FlexGrid::textMatrix(int row, int col) const {
    const QTableWidgetItem* it = cell(row, col);
    return it ? it->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (QTableWidgetItem* it = makeCell(row, col)) it->setText(text);
}

QString FlexGrid::text() const {
    return textMatrix(row_, col_);
}

void FlexGrid::setText(const QString& text) {
    setTextMatrix(row_, col_, text);
}

int FlexGrid::colWidth(int col) const {
    if (col < 0 || col >= cols_) return 0;
    const int set = colWidths_[size_t(col)];
    return set >= 0 ? set : pixelsToTwips(table()->columnWidth(col));
}

void FlexGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) return;
    QTableWidget* t = table();
    colWidths_[size_t(col)] = std::max(twips, -1);
    t->setColumnHidden(col, twips == 0);
    if (twips != 0)
        t->setColumnWidth(col, twips < 0 ? t->horizontalHeader()->defaultSectionSize()
                                         : twipsToPixels(twips));
}

int FlexGrid::rowHeight(int row) const {
    if (row < 0 || row >= rows_) return 0;
    const int set = rowHeights_[size_t(row)];
    if (set >= 0) return set;
    return pixelsToTwips(row == 0 ? table()->horizontalHeader()->height()
                                  : table()->rowHeight(row - 1));
}

void FlexGrid::setRowHeight(int row, int twips) {
    if (row < 0 || row >= rows_) return;
    QTableWidget* t = table();
    rowHeights_[size_t(row)] = std::max(twips, -1);
    if (row == 0 && twips < 0) {
        t->horizontalHeader()->setMinimumHeight(0);
        t->horizontalHeader()->setMaximumHeight(QWIDGETSIZE_MAX);
    } else if (row == 0) {
        t->horizontalHeader()->setFixedHeight(twipsToPixels(twips));
    } else {
        t->setRowHeight(row - 1, twips < 0 ? t->verticalHeader()->defaultSectionSize()
                                           : twipsToPixels(twips));
    }
}

int FlexGrid::cellAlignment() const {
    const QTableWidgetItem* it = cell(row_, col_);
    const QVariant code = it ? it->data(kAlignRole) : QVariant();
    return code.isValid() ? code.toInt() : kGeneral;
}

void FlexGrid::setCellAlignment(int alignment) {
    QTableWidgetItem* it = makeCell(row_, col_);
    if (!it) return;
    it->setData(kAlignRole, alignment);
    it->setTextAlignment(alignmentOf(alignment));
}

void FlexGrid::clear() {
    QTableWidget* t = table();
    t->clearContents();
    for (int c = 0; c < cols_; ++c) {
        QTableWidgetItem* head = t->horizontalHeaderItem(c);
        head->setText(QString());
        head->setData(kAlignRole, QVariant());
        head->setTextAlignment(alignmentOf(kGeneral));
    }
}

void FlexGrid::refresh() {
    table()->viewport()->update();
    table()->horizontalHeader()->viewport()->update();
}

} // namespace forms
