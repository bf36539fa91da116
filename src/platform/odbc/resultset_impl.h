#pragma once
// Internal: the state behind a ResultSet, shared with the Connection that opened it.
#include "platform/odbc/resultset.h"
#include "platform/odbc/statement.h"
#include <optional>
#include <vector>

namespace odbc {

namespace detail {
// The result sets a connection has open, so that it can finish them before the cursors go.
using OpenResultSets = std::vector<ResultSet::Impl*>;
} // namespace detail

struct ResultSet::Impl {
    using Row = std::vector<std::optional<QString>>;

    Impl(detail::Statement statement, detail::OpenResultSets* owner); // reads the first row
    ~Impl();

    // Fetches the next row from the driver into the cache; false at the end (cursor freed).
    bool fetchOne();
    void fetchAll();
    void close() noexcept;
    // Past the last row; an empty result is also before the first.
    void setPastEnd();
    void requireOpen() const;
    void requireRow() const;
    int columnIndex(const QString& name) const;

    std::optional<detail::Statement> statement; // empty once every row has been fetched
    detail::OpenResultSets* owner;              // null once closed
    QStringList names;
    std::vector<Row> rows;
    long current = -1; // -1 before the first row
    bool pastEnd = false;
};

} // namespace odbc
