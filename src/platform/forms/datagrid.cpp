#include "platform/forms/datagrid.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"
#include "platform/forms/resultsetmodel.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/resultset.h"
#include <QHeaderView>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTableView>
#include <climits>
#include <vector>

namespace forms {

namespace {

class DataGridView : public QTableView {
public:
    DataGridView(DataGrid* grid, QWidget* parent) : QTableView(parent), grid_(grid) {}

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QTableView::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && viewport()->rect().contains(e->position().toPoint()))
            detail::fire(grid_->onClick);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        QTableView::mouseDoubleClickEvent(e);
        if (e->button() == Qt::LeftButton) detail::fire(grid_->onDblClick);
    }

    // Ctrl+End goes to the real last row, not the last one fetched so far.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if (action == MoveEnd && (modifiers & Qt::ControlModifier)) grid_->fetchAll();
        return QTableView::moveCursor(action, modifiers);
    }

private:
    DataGrid* grid_;
};

} // namespace

struct DataGrid::Impl {
    detail::ResultSetModel* model = nullptr;
    std::vector<int> widths; // twips as set; -1 default
    bool syncing = false;    // the view follows the result set: no move back
};

DataGrid::DataGrid(Form* form, QString name, int index)
    : Control(ControlKind::DataGrid, form, std::move(name), index, new DataGridView(this, form)),
      d(std::make_unique<Impl>()) {
    QTableView* v = view();
    d->model = new detail::ResultSetModel(v);
    v->setModel(d->model);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setTabKeyNavigation(false);
    v->setWordWrap(false);
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Headings keep their font whatever row is selected (Qt would draw them bold).
    v->horizontalHeader()->setHighlightSections(false);
    v->verticalHeader()->setHighlightSections(false);
    QObject::connect(v->selectionModel(), &QItemSelectionModel::currentRowChanged, v,
                     [this](const QModelIndex& current) {
                         if (d->syncing || !current.isValid() || !d->model->resultSet()) return;
                         d->model->guarded([&] { d->model->resultSet()->moveTo(current.row()); });
                     });
    // A drag of the scroll bar to its end, or its "Bottom", reaches the real last row.
    QScrollBar* bar = v->verticalScrollBar();
    QObject::connect(bar, &QScrollBar::sliderMoved, v, [this, v, bar](int value) {
        if (value < bar->maximum() || !d->model->canFetchMore(QModelIndex())) return;
        fetchAll();
        v->scrollToBottom();
    });
    QObject::connect(bar, &QScrollBar::actionTriggered, v, [this](int action) {
        if (action == QAbstractSlider::SliderToMaximum) fetchAll();
    });
}

DataGrid::~DataGrid() = default;

QTableView* DataGrid::view() const {
    return static_cast<QTableView*>(widget());
}

void DataGrid::setDataSource(odbc::ResultSet* rs) {
    const QScopedValueRollback syncing(d->syncing, true);
    d->model->setResultSet(rs);
    d->widths.assign(size_t(d->model->columnCount()), -1);
    long pos = -1;
    d->model->guarded([&] { pos = rs && rs->isOpen() ? rs->position() : -1; });
    // At once just what the view can show, and one line more so that the view does not ask for
    // the next batch before it is scrolled; keys work before the view has laid itself out.
    if (d->model->canFetchMore(QModelIndex())) d->model->fetchTo(firstBatch());
    if (pos >= 0 && pos < d->model->rowCount())
        view()->setCurrentIndex(d->model->index(int(pos), 0));
}

// The lines the view's height can show, counting a partly shown last line.
long DataGrid::firstBatch() const {
    const int rowHeight = std::max(1, view()->verticalHeader()->defaultSectionSize());
    return (std::max(view()->height(), 0) + rowHeight - 1) / rowHeight + 1;
}

odbc::ResultSet* DataGrid::dataSource() const {
    return d->model->resultSet();
}

void DataGrid::setColumnCaption(int col, const QString& caption) {
    d->model->setCaption(col, caption);
}

QString DataGrid::columnCaption(int col) const {
    return d->model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
}

int DataGrid::columnCount() const {
    return d->model->columnCount();
}

int DataGrid::columnWidth(int col) const {
    if (col < 0 || col >= columnCount()) return 0;
    const int set = d->widths[size_t(col)];
    return set >= 0 ? set : pixelsToTwips(view()->columnWidth(col));
}

void DataGrid::setColumnWidth(int col, int twips) {
    if (col < 0 || col >= columnCount()) return;
    d->widths[size_t(col)] = std::max(twips, -1);
    view()->setColumnWidth(col, twips < 0 ? view()->horizontalHeader()->defaultSectionSize()
                                          : twipsToPixels(twips));
}

int DataGrid::row() const {
    const QModelIndex current = view()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

// Moving the result set first fetches the rows up to the wanted one.
void DataGrid::setRow(int row) {
    odbc::ResultSet* rs = dataSource();
    if (!rs || row < 0) return;
    bool found = false;
    d->model->guarded([&] { found = rs->moveTo(row); });
    d->model->takeFetchedRows();
    if (!found || row >= d->model->rowCount()) return;
    const QScopedValueRollback syncing(d->syncing, true);
    const int col = std::max(view()->currentIndex().column(), 0);
    view()->setCurrentIndex(d->model->index(row, col));
}

void DataGrid::fetchAll() {
    if (!d->model->canFetchMore(QModelIndex())) return;
    const int pointer = mousePointer();
    setMousePointer(11);
    d->model->fetchTo(LONG_MAX);
    setMousePointer(pointer);
}

void DataGrid::setGuard(std::function<void(const std::function<void()>& work)> guard) {
    d->model->setGuard(std::move(guard));
}

void DataGrid::setHeadFont(const QString& name, double points) {
    QFont f(name);
    if (points > 0) f.setPointSizeF(points);
    view()->horizontalHeader()->setFont(f);
}

DataControl::DataControl(Form* form, QString name, int index)
    : Control(ControlKind::DataControl, form, std::move(name), index, new QWidget(form)) {
    widget()->hide();
    widget()->setFocusPolicy(Qt::NoFocus);
    setVisible(false);
}

QString DataControl::connectionString() const {
    return connectionString_;
}

void DataControl::setConnectionString(const QString& s) {
    connectionString_ = s;
}

QString DataControl::caption() const {
    return caption_;
}

void DataControl::setCaption(const QString& s) {
    caption_ = s;
}

} // namespace forms
