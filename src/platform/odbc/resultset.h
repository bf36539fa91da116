#pragma once
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace odbc {

class Connection;

// A result set with keyset behaviour: a fixed set of rows, moved over forward and back, filled
// from the driver's forward-only cursor as rows are needed (row cache). Owned
// through a unique_ptr: it can be neither copied nor moved.
class ResultSet {
public:
    ~ResultSet();
    ResultSet(const ResultSet&) = delete;
    ResultSet& operator=(const ResultSet&) = delete;

    // True when there is no current row (empty result, or moved past the last row).
    bool eof() const;
    bool bof() const;
    void moveNext();
    void movePrevious();
    void moveFirst();
    // Makes row `row` (0-based) current, fetching up to it; false (and eof) when it does not exist.
    bool moveTo(long row);
    long position() const; // 0-based current row; -1 before the first / at eof

    // Rows fetched so far, and whether the driver has delivered the last row.
    long fetchedRows() const;
    bool allFetched() const;
    // Fetches up to `count` more rows into the cache; returns how many arrived.
    long fetchMore(long count);

    int columnCount() const;
    QString columnName(int index) const;
    // Value of the current row; Null = nullopt. Names compare case-insensitively.
    std::optional<QString> value(int index) const;
    std::optional<QString> value(const QString& name) const;
    // Value of any fetched row (for grids).
    std::optional<QString> valueAt(long row, int index) const;

    void close() noexcept;
    bool isOpen() const;

    struct Impl; // the layer's internal state (resultset_impl.h)

private:
    friend class Connection;
    explicit ResultSet(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

} // namespace odbc
