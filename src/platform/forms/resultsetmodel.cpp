#include "platform/forms/resultsetmodel.h"
#include "platform/forms/dispatch.h"
#include "platform/odbc/resultset.h"
#include <climits>

namespace forms::detail {

void ResultSetModel::setResultSet(odbc::ResultSet* rs) {
    beginResetModel();
    rs_ = rs;
    rows_ = cols_ = 0;
    failed_ = false;
    captions_.clear();
    try {
        if (rs_) {
            cols_ = rs_->columnCount();
            rows_ = int(std::min<long>(rs_->fetchedRows(), INT_MAX));
        }
    } catch (const std::exception& e) {
        failed_ = true;
        reportFailure(e);
    }
    endResetModel();
}

void ResultSetModel::takeFetchedRows() {
    if (!rs_) return;
    const int now = int(std::min<long>(rs_->fetchedRows(), INT_MAX));
    if (now <= rows_) return;
    beginInsertRows(QModelIndex(), rows_, now - 1);
    rows_ = now;
    endInsertRows();
}

int ResultSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ResultSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant ResultSetModel::data(const QModelIndex& index, int role) const {
    if (!rs_ || !index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    // A closed or failing result set shows empty cells; the view must not see an exception.
    try {
        if (!rs_->isOpen()) return {};
        const auto value = rs_->valueAt(index.row(), index.column());
        return value ? QVariant(*value) : QVariant();
    } catch (const std::exception&) {
        return {};
    }
}

void ResultSetModel::setCaption(int section, const QString& caption) {
    if (section < 0) return;
    while (captions_.size() <= section)
        captions_.append(QString());
    captions_[section] = caption;
    emit headerDataChanged(Qt::Horizontal, section, section);
}

QVariant ResultSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (!captions_.value(section).isEmpty()) return captions_.value(section);
    try {
        return rs_ && rs_->isOpen() ? rs_->columnName(section) : QString();
    } catch (const std::exception&) {
        return {};
    }
}

Qt::ItemFlags ResultSetModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool ResultSetModel::canFetchMore(const QModelIndex& parent) const {
    if (parent.isValid() || !rs_ || failed_) return false;
    try {
        return rs_->isOpen() && (!rs_->allFetched() || rs_->fetchedRows() > rows_);
    } catch (const std::exception&) {
        return false;
    }
}

void ResultSetModel::fetchMore(const QModelIndex& parent) {
    if (!parent.isValid()) fetchTo(rows_ + kBatch);
}

// Rows the result set fetched by itself count towards `rows`.
void ResultSetModel::fetchTo(long rows) {
    if (!rs_ || failed_) return;
    failed_ = !guarded([&] {
        const long more = rows - rs_->fetchedRows();
        if (more > 0) rs_->fetchMore(more);
    });
    takeFetchedRows();
}

bool ResultSetModel::guarded(const std::function<void()>& work) {
    bool done = false;
    const std::function<void()> attempt = [&] {
        work();
        done = true;
    };
    try {
        if (guard_)
            guard_(attempt);
        else
            attempt();
    } catch (const std::exception& e) {
        reportFailure(e);
    }
    return done;
}

} // namespace forms::detail
