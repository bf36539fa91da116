#include "platform/forms/flexgrid.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/flexgridmodel.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include <QAccessible>
#include <QBasicTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>
#include <algorithm>

namespace forms {

using detail::FlexGridModel;

// The view lets the grid decide what keys and clicks do to the current cell.
//
// A fill adds a line and moves the current cell three times for every row it reads, all in one
// handler. Taking in each line and each move on its own would cost the view more than reading
// the rows; so the grid keeps its lines and current cell itself, and the view takes in what has
// changed once: from the event loop when the handler is done, before any event of its own, and
// when the grid's view is asked for. It scrolls to the current cell then.
class FlexGrid::View : public QTableView {
public:
    View(FlexGrid* grid, QWidget* parent) : QTableView(parent), grid_(grid) {}

    // The view takes in the grid's lines and current cell when the handler is done, shown or
    // not (Qt lays out only a shown view).
    void later() {
        if (!catchUp_.isActive()) catchUp_.start(0, this);
    }
    // The same, and shows the current cell then.
    void follow() {
        scrollPending_ = true;
        later();
    }
    void doItemsLayout() override {
        grid_->catchUp();
        QTableView::doItemsLayout();
    }

protected:
    void timerEvent(QTimerEvent* e) override {
        if (e->timerId() != catchUp_.timerId()) return QTableView::timerEvent(e);
        catchUp_.stop();
        grid_->catchUp();
        scheduleDelayedItemsLayout();
        // Scrolling needs the lines laid out, which Qt does for a shown view only.
        if (!scrollPending_ || !isVisible()) return;
        scrollPending_ = false;
        executeDelayedItemsLayout();
        scrollTo(currentIndex());
    }
    void showEvent(QShowEvent* e) override {
        QTableView::showEvent(e);
        if (scrollPending_) later();
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (grid_->navigate(e->key(), e->modifiers()))
            e->accept();
        else
            e->ignore();
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        QTableView::mousePressEvent(e);
        const QModelIndex index = indexAt(e->position().toPoint());
        if (index.isValid()) grid_->setCurrent(index.row() + 1, index.column());
    }
    void mouseMoveEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent* e) override {
        QTableView::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && viewport()->rect().contains(e->position().toPoint()))
            detail::fire(grid_->onClick);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        QTableView::mouseDoubleClickEvent(e);
        if (e->button() == Qt::LeftButton) detail::fire(grid_->onDblClick);
    }
    void focusInEvent(QFocusEvent* e) override {
        // Qt makes the first cell current when none is; the grid says which one is.
        QTableView::focusInEvent(e);
        grid_->catchUp(true);
    }
    // What is painted or clicked is what the grid holds, even before the timer has run.
    bool viewportEvent(QEvent* e) override {
        grid_->catchUp();
        return QTableView::viewportEvent(e);
    }

    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
        // A screen reader still hears of the move, at Qt's own cost.
        if (QAccessible::isActive()) QTableView::currentChanged(current, previous);
    }
    // The grid repaints the viewport once when it brings the selection in.
    void selectionChanged(const QItemSelection&, const QItemSelection&) override {}
    void updateGeometries() override {
        QTableView::updateGeometries();
        // The line header is never shown. With its updates off, resizing a line skips working
        // out where the header would repaint, a walk over every line after lines were added.
        // (Qt turns them back on here after lines were removed.)
        verticalHeader()->setUpdatesEnabled(false);
    }

private:
    FlexGrid* grid_;
    QBasicTimer catchUp_;
    bool scrollPending_ = false;
};

FlexGrid::FlexGrid(Form* form, QString name, int index)
    : Control(ControlKind::FlexGrid, form, std::move(name), index, new View(this, form)),
      model_(new FlexGridModel(widget())) {
    QTableView* t = view();
    t->setModel(model_);
    // The headers never show the current cell or the selection, so they follow a selection of
    // their own: following the grid's, they would work out where it lies at every move.
    for (QHeaderView* h : {t->horizontalHeader(), t->verticalHeader()})
        h->setSelectionModel(new QItemSelectionModel(model_, h));
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setTabKeyNavigation(false);
    t->setWordWrap(false);
    t->setTextElideMode(Qt::ElideNone);
    t->setCornerButtonEnabled(false);
    t->verticalHeader()->hide();
    t->verticalHeader()->setUpdatesEnabled(false); // see View::updateGeometries
    t->verticalHeader()->setMinimumSectionSize(1);
    t->horizontalHeader()->setMinimumSectionSize(0);
    t->horizontalHeader()->setSectionsClickable(false);
    t->horizontalHeader()->setHighlightSections(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    defaultRowPixels_ = t->verticalHeader()->defaultSectionSize();
    rowHeights_.assign(1, -1);
    setCols(2);
    setRows(2);
    catchUp();
}

QTableView* FlexGrid::table() {
    catchUp();
    return view();
}

// Lines added since are announced and given their heights, then the current cell follows.
void FlexGrid::catchUp(bool always) {
    const int from = model_->shownRows();
    if (model_->announce())
        for (int r = from; r < rows(); ++r)
            setLinePixels(r, rowPixels(r));
    showCurrent(always);
}

FlexGrid::View* FlexGrid::view() const {
    return static_cast<View*>(widget());
}

int FlexGrid::rows() const {
    return model_->gridRows();
}

void FlexGrid::setRows(int rows) {
    rows = std::max(rows, fixedRows());
    const int old = model_->gridRows();
    if (rows == old) return;
    for (int r = rows; r < old; ++r)
        countHeight(rowPixels(r), -1);
    model_->setGridRows(rows);
    rowHeights_.resize(size_t(rows), -1);
    for (int r = old; r < rows; ++r)
        countHeight(defaultRowPixels_, 1);
    settleDefault();
    if (rows > old) view()->later();
    // The view keeps the current cell and the selection of the lines that stay.
    if (row_ >= rows) setCurrent(rows - 1, col_);
}

int FlexGrid::cols() const {
    return model_->gridCols();
}

void FlexGrid::setCols(int cols) {
    cols = std::max(cols, 1);
    model_->setGridCols(cols);
    colWidths_.resize(size_t(cols), -1);
    if (col_ >= cols)
        setCurrent(row_, cols - 1);
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
    if (row >= 0 && row < rows()) setCurrent(row, col_);
}

int FlexGrid::col() const {
    return col_;
}

void FlexGrid::setCol(int col) {
    if (col >= 0 && col < cols()) setCurrent(row_, col);
}

int FlexGrid::colSel() const {
    return colSel_;
}

void FlexGrid::setColSel(int col) {
    colSel_ = std::clamp(col, 0, cols() - 1);
    showLater();
}

// Moving the current cell collapses the selection onto it.
void FlexGrid::setCurrent(int row, int col) {
    const bool moved = row != row_ || col != col_;
    row_ = row;
    col_ = col;
    colSel_ = col;
    showLater();
    if (moved) detail::fire(onRowColChange);
}

void FlexGrid::showLater() {
    viewBehind_ = true;
    view()->follow();
}

// The view's current index and selection are the grid's; the header row is never current.
void FlexGrid::showCurrent(bool always) {
    QItemSelectionModel* sm = view()->selectionModel();
    if ((!viewBehind_ && !always) || !sm) return; // no selection model while the model is set
    viewBehind_ = false;
    view()->viewport()->update(); // painted when the event loop comes back
    if (row_ < 1) {
        sm->clearCurrentIndex();
        sm->clearSelection();
        return;
    }
    const QModelIndex current = model_->index(row_ - 1, col_);
    if (colSel_ == col_) {
        sm->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
        return;
    }
    sm->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    const QItemSelection range(model_->index(row_ - 1, std::min(col_, colSel_)),
                               model_->index(row_ - 1, std::max(col_, colSel_)));
    sm->select(range, QItemSelectionModel::ClearAndSelect);
}

bool FlexGrid::navigate(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (rows() < 2) return false;
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
        ctrl ? void(r = rows() - 1) : void(c = cols() - 1);
        break;
    default:
        return false;
    }
    setCurrent(std::clamp(r, 1, rows() - 1), std::clamp(c, 0, cols() - 1));
    return true;
}

QString FlexGrid::textMatrix(int row, int col) const {
    return model_->text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    model_->setText(row, col, text);
}

QString FlexGrid::text() const {
    return textMatrix(row_, col_);
}

void FlexGrid::setText(const QString& text) {
    setTextMatrix(row_, col_, text);
}

int FlexGrid::colWidth(int col) const {
    if (col < 0 || col >= cols()) return 0;
    const int set = colWidths_[size_t(col)];
    return set >= 0 ? set : pixelsToTwips(view()->columnWidth(col));
}

void FlexGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols()) return;
    QTableView* t = view();
    colWidths_[size_t(col)] = std::max(twips, -1);
    t->setColumnHidden(col, twips == 0);
    if (twips != 0)
        t->setColumnWidth(col, twips < 0 ? t->horizontalHeader()->defaultSectionSize()
                                         : twipsToPixels(twips));
}

int FlexGrid::rowHeight(int row) const {
    if (row < 0 || row >= rows()) return 0;
    const int set = rowHeights_[size_t(row)];
    if (set >= 0) return set;
    return pixelsToTwips(row == 0 ? view()->horizontalHeader()->height() : defaultRowPixels_);
}

void FlexGrid::setRowHeight(int row, int twips) {
    if (row < 0 || row >= rows()) return;
    if (row == 0) {
        rowHeights_[0] = std::max(twips, -1);
        QHeaderView* head = view()->horizontalHeader();
        if (twips < 0) {
            head->setMinimumHeight(0);
            head->setMaximumHeight(QWIDGETSIZE_MAX);
        } else {
            head->setFixedHeight(twipsToPixels(twips));
        }
        return;
    }
    countHeight(rowPixels(row), -1);
    rowHeights_[size_t(row)] = std::max(twips, -1);
    const int pixels = rowPixels(row);
    countHeight(pixels, 1);
    setLinePixels(row, pixels);
    settleDefault();
}

int FlexGrid::rowPixels(int row) const {
    const int set = rowHeights_[size_t(row)];
    return set < 0 ? defaultRowPixels_ : twipsToPixels(set);
}

// Lines the view does not know yet get their height when they are announced.
void FlexGrid::setLinePixels(int row, int pixels) {
    QHeaderView* vh = view()->verticalHeader();
    if (row >= model_->shownRows() || vh->sectionSize(row - 1) == pixels) return;
    vh->setUpdatesEnabled(false); // see View::updateGeometries
    vh->resizeSection(row - 1, pixels);
}

void FlexGrid::countHeight(int pixels, int delta) {
    if ((heights_[pixels] += delta) <= 0) heights_.erase(pixels);
}

// The height most lines share becomes the view's default, so that only the others need a size
// of their own. Setting the default resizes every line, so it changes only on a real majority.
void FlexGrid::settleDefault() {
    QHeaderView* vh = view()->verticalHeader();
    const auto most = std::max_element(heights_.begin(), heights_.end(),
                                       [](auto& a, auto& b) { return a.second < b.second; });
    if (most == heights_.end() || most->first == vh->defaultSectionSize()) return;
    const auto current = heights_.find(vh->defaultSectionSize());
    if (current != heights_.end() && current->second >= most->second) return;
    vh->setDefaultSectionSize(most->first);
    for (int r = 1; r < model_->shownRows(); ++r)
        setLinePixels(r, rowPixels(r));
}

int FlexGrid::cellAlignment() const {
    return model_->alignment(row_, col_);
}

void FlexGrid::setCellAlignment(int alignment) {
    model_->setAlignment(row_, col_, alignment);
}

void FlexGrid::clear() {
    model_->clear();
}

void FlexGrid::refresh() {
    view()->viewport()->update();
    view()->horizontalHeader()->viewport()->update();
}

} // namespace forms
