#pragma once
// A read-only table model over an open result set: one column per result column, headed by
// its name, rows taken from the result set's cache and fetched in batches as a view scrolls.
#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

namespace odbc {
class ResultSet;
}

namespace forms::detail {

class ResultSetModel : public QAbstractTableModel {
public:
    explicit ResultSetModel(QObject* parent) : QAbstractTableModel(parent) {}

    void setResultSet(odbc::ResultSet* rs);
    odbc::ResultSet* resultSet() const { return rs_; }
    // Takes in rows the result set fetched by itself (moving to a row fetches up to it).
    void takeFetchedRows();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    // A batch of kBatch rows, as the view scrolls to the last row it has.
    void fetchMore(const QModelIndex& parent) override;
    // Fetches until the model has `rows` rows or the result set ends.
    void fetchTo(long rows);

    // Runs `work` (a fetch or a move) under the guard, which reports what it catches as its
    // screen reports database failures; false when the work failed. Without a guard, or for
    // what the guard lets through, the failure's text is shown.
    using Guard = std::function<void(const std::function<void()>& work)>;
    void setGuard(Guard guard) { guard_ = std::move(guard); }
    bool guarded(const std::function<void()>& work);

    static constexpr long kBatch = 256;

    // Heading of a column in place of the result's column name ("" keeps the name).
    void setCaption(int section, const QString& caption);

private:
    odbc::ResultSet* rs_ = nullptr;
    int rows_ = 0;
    int cols_ = 0;
    bool failed_ = false; // a driver error stops further fetching
    QStringList captions_;
    Guard guard_;
};

} // namespace forms::detail
