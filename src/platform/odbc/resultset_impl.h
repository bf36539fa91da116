#pragma once
// Internal: the state behind a ResultSet, shared with the Connection that opened it.
#include "platform/odbc/resultset.h"
#include "platform/odbc/statement.h"
#include <functional>
#include <optional>
#include <vector>

namespace odbc {

namespace detail {
// The result sets a connection has open, so that it can finish them before the cursors go.
using OpenResultSets = std::vector<ResultSet::Impl*>;
} // namespace detail

struct ResultSet::Impl {
    using Row = std::vector<std::optional<QString>>;

    // A server cursor of the program's own that the rows come from, a batch at a time.
    struct ServerCursor {
        long batchSize = 0;
        long inBatch = 0;                             // rows read of the current batch
        std::function<detail::Statement()> nextBatch; // runs the next FETCH
        std::function<void()> release;                // closes the cursor; never throws
    };

    // Reads the first row.
    Impl(detail::Statement statement, detail::OpenResultSets* owner,
         std::optional<ServerCursor> cursor = std::nullopt);
    // A result read already: its column names and every row.
    Impl(QStringList names, std::vector<Row> rows, detail::OpenResultSets* owner);
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

    // The columns of the statement's current result, and its next row (nullopt at the end).
    static QStringList columnNames(const detail::Statement& statement);
    static std::optional<Row> readRow(const detail::Statement& statement, int columns);

    std::optional<detail::Statement> statement; // empty once every row has been fetched
    std::optional<ServerCursor> cursor;         // empty once closed, or for a driver's result
    detail::OpenResultSets* owner;              // null once closed
    QStringList names;
    std::vector<Row> rows;
    long current = -1; // -1 before the first row
    bool pastEnd = false;
};

} // namespace odbc
