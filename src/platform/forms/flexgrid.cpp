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

Qt::Alignment alignmentOf(int code) {
    if (code < 0 || code > 8) return Qt::AlignLeft | Qt::AlignVCenter;
    static constexpr Qt::AlignmentFlag h[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::AlignmentFlag v[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return h[code / 3] | v[code % 3];
}

} // namespace

// The table lets the grid decide what keys and clicks do to the current cell. It is brought up
// to date before it handles them, so that they act on what the grid holds.
class FlexGrid::Table : public QTableWidget {
public:
    Table(FlexGrid* grid, QWidget* parent) : QTableWidget(parent), grid_(grid) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        grid_->syncView();
        if (grid_->navigate(e->key(), e->modifiers())) {
            e->accept();
            grid_->syncView();
        } else {
            e->ignore();
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        grid_->syncView();
        QTableWidget::mousePressEvent(e);
        const QModelIndex index = indexAt(e->position().toPoint());
        if (index.isValid()) grid_->setCurrent(index.row() + 1, index.column());
        grid_->syncView();
    }
    void mouseMoveEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent* e) override {
        QTableWidget::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && viewport()->rect().contains(e->position().toPoint()))
            detail::fire(grid_->onClick);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        grid_->syncView();
        QTableWidget::mouseDoubleClickEvent(e);
        if (e->button() == Qt::LeftButton) detail::fire(grid_->onDblClick);
    }

private:
    FlexGrid* grid_;
};

FlexGrid::FlexGrid(Form* form, QString name, int index)
    : Control(ControlKind::FlexGrid, form, std::move(name), index, new Table(this, form)) {
    QTableWidget* t = view();
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
    defaultRowPixels_ = t->verticalHeader()->defaultSectionSize();
    const int rows = rows_, cols = cols_;
    rows_ = cols_ = 0;
    setCols(cols);
    setRows(rows);
    syncView();
}

QTableWidget* FlexGrid::view() const {
    return static_cast<QTableWidget*>(widget());
}

QTableWidget* FlexGrid::table() const {
    syncView();
    return view();
}

int FlexGrid::rows() const {
    return rows_;
}

void FlexGrid::setRows(int rows) {
    rows = std::max(rows, fixedRows());
    if (rows == rows_) return;
    // Lines that go and come back must come back empty in the table too.
    if (rows < rows_) markRows(rows, rows_ - 1);
    for (std::vector<Cell>& column : cells_)
        column.resize(size_t(rows));
    rowHeights_.resize(size_t(rows), -1);
    rows_ = rows;
    heightsStale_ = true;
    markStale();
    if (row_ >= rows_) setCurrent(rows_ - 1, col_);
}

int FlexGrid::cols() const {
    return cols_;
}

void FlexGrid::setCols(int cols) {
    cols = std::max(cols, 1);
    QTableWidget* t = view();
    t->setColumnCount(cols);
    for (int c = cols_; c < cols; ++c) {
        // Without an item of its own a header section shows its number.
        auto* head = new QTableWidgetItem;
        head->setTextAlignment(alignmentOf(kGeneral));
        t->setHorizontalHeaderItem(c, head);
    }
    cells_.resize(size_t(cols), std::vector<Cell>(size_t(rows_)));
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
    markStale();
}

// Moving the current cell collapses the selection onto it.
void FlexGrid::setCurrent(int row, int col) {
    const bool moved = row != row_ || col != col_;
    row_ = row;
    col_ = col;
    colSel_ = col;
    markStale();
    if (moved) detail::fire(onRowColChange);
}

bool FlexGrid::navigate(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (rows_ < 2) return false;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const int rowHeight = std::max(1, view()->verticalHeader()->defaultSectionSize());
    const int page = std::max(1, view()->viewport()->height() / rowHeight);
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

FlexGrid::Cell* FlexGrid::cell(int row, int col) {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return nullptr;
    return &cells_[size_t(col)][size_t(row)];
}

const FlexGrid::Cell* FlexGrid::cell(int row, int col) const {
    return const_cast<FlexGrid*>(this)->cell(row, col);
}

QString FlexGrid::textMatrix(int row, int col) const {
    const Cell* c = cell(row, col);
    return c ? c->text : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (Cell* c = cell(row, col)) {
        c->text = text;
        markRows(row, row);
    }
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
    return set >= 0 ? set : pixelsToTwips(view()->columnWidth(col));
}

void FlexGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) return;
    QTableWidget* t = view();
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
    return pixelsToTwips(row == 0 ? view()->horizontalHeader()->height() : defaultRowPixels_);
}

void FlexGrid::setRowHeight(int row, int twips) {
    if (row < 0 || row >= rows_) return;
    rowHeights_[size_t(row)] = std::max(twips, -1);
    if (row > 0) {
        heightsStale_ = true;
        markStale();
        return;
    }
    QHeaderView* head = view()->horizontalHeader();
    if (twips < 0) {
        head->setMinimumHeight(0);
        head->setMaximumHeight(QWIDGETSIZE_MAX);
    } else {
        head->setFixedHeight(twipsToPixels(twips));
    }
}

int FlexGrid::rowPixels(int row) const {
    const int set = rowHeights_[size_t(row)];
    return set < 0 ? defaultRowPixels_ : twipsToPixels(set);
}

int FlexGrid::cellAlignment() const {
    const Cell* c = cell(row_, col_);
    return c ? c->alignment : kGeneral;
}

void FlexGrid::setCellAlignment(int alignment) {
    if (Cell* c = cell(row_, col_)) {
        c->alignment = alignment;
        markRows(row_, row_);
    }
}

void FlexGrid::clear() {
    for (std::vector<Cell>& column : cells_)
        column.assign(column.size(), Cell());
    cleared_ = true;
    markRows(0, 0); // the header keeps its items: they are emptied one by one
}

// The repaint comes from the event loop, after the table has caught up.
void FlexGrid::refresh() {
    view()->viewport()->update();
    view()->horizontalHeader()->viewport()->update();
}

void FlexGrid::markRows(int from, int to) {
    if (staleTo_ < staleFrom_) {
        staleFrom_ = from;
        staleTo_ = to;
    } else {
        staleFrom_ = std::min(staleFrom_, from);
        staleTo_ = std::max(staleTo_, to);
    }
    markStale();
}

// One update of the table per pass of the event loop, however many changes come before it.
void FlexGrid::markStale() {
    stale_ = true;
    if (queued_) return;
    queued_ = true;
    QMetaObject::invokeMethod(
        view(),
        [this] {
            queued_ = false;
            syncView();
        },
        Qt::QueuedConnection);
}

void FlexGrid::syncView() const {
    if (!stale_) return;
    stale_ = false;
    syncRows();
    syncCells();
    if (heightsStale_) syncHeights();
    syncCurrent();
}

void FlexGrid::syncRows() const {
    if (view()->rowCount() != rows_ - 1) view()->setRowCount(rows_ - 1);
}

void FlexGrid::syncCells() const {
    QTableWidget* t = view();
    if (cleared_) {
        cleared_ = false;
        t->clearContents();
    }
    const int to = std::min(staleTo_, rows_ - 1);
    for (int r = staleFrom_; r <= to; ++r) {
        for (int c = 0; c < cols_; ++c) {
            const Cell& cell = cells_[size_t(c)][size_t(r)];
            QTableWidgetItem* it = r == 0 ? t->horizontalHeaderItem(c) : t->item(r - 1, c);
            if (it) {
                it->setText(cell.text);
                it->setTextAlignment(alignmentOf(cell.alignment));
            } else if (!cell.text.isEmpty() || cell.alignment != kGeneral) {
                it = new QTableWidgetItem(cell.text);
                it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                it->setTextAlignment(alignmentOf(cell.alignment));
                t->setItem(r - 1, c, it);
            }
        }
    }
    staleFrom_ = 0;
    staleTo_ = -1;
}

// The height most lines share becomes the table's default, so that only the others need a
// size of their own.
void FlexGrid::syncHeights() const {
    heightsStale_ = false;
    int common = defaultRowPixels_, votes = 0;
    for (int r = 1; r < rows_; ++r) {
        const int h = rowPixels(r);
        if (votes == 0) common = h;
        votes += h == common ? 1 : -1;
    }
    QHeaderView* vh = view()->verticalHeader();
    if (vh->defaultSectionSize() != common) vh->setDefaultSectionSize(common);
    for (int r = 1; r < rows_; ++r) {
        const int h = rowPixels(r);
        if (vh->sectionSize(r - 1) != h) vh->resizeSection(r - 1, h);
    }
}

void FlexGrid::syncCurrent() const {
    QTableWidget* t = view();
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

} // namespace forms
