#include "platform/odbc/diag.h"
#include "platform/odbc/resultset_impl.h"
#include <algorithm>

namespace odbc {

namespace {

QString columnNameOf(const detail::Statement& st, SQLUSMALLINT column) {
    QByteArray name(256, Qt::Uninitialized);
    SQLSMALLINT length = 0;
    for (;;) {
        // Only the name: asked for the type or nullability, psqlODBC reads the table's columns
        // from the catalog, a round trip per table and session.
        st.check(SQLDescribeCol(st.handle(), column, reinterpret_cast<SQLCHAR*>(name.data()),
                                SQLSMALLINT(name.size()), &length, nullptr, nullptr, nullptr,
                                nullptr));
        if (length < name.size()) break;
        name.resize(length + 1);
    }
    return QString::fromUtf8(name.constData(), length);
}

// Reads one column of the current row as text, in pieces: a long value does not fit one buffer.
std::optional<QString> readValue(const detail::Statement& st, SQLUSMALLINT column) {
    char buffer[4096];
    QByteArray bytes;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN ret =
            SQLGetData(st.handle(), column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
        if (ret == SQL_NO_DATA) break;
        st.check(ret);
        if (indicator == SQL_NULL_DATA) return std::nullopt;
        const bool truncated = ret == SQL_SUCCESS_WITH_INFO &&
                               (indicator == SQL_NO_TOTAL || indicator >= SQLLEN(sizeof buffer));
        // A truncated piece ends at the terminator the driver wrote, wherever that is.
        bytes.append(buffer, truncated ? qstrnlen(buffer, sizeof buffer - 1)
                                       : std::min<SQLLEN>(indicator, sizeof buffer - 1));
        if (!truncated) break;
    }
    return QString::fromUtf8(bytes);
}

} // namespace

QStringList ResultSet::Impl::columnNames(const detail::Statement& st) {
    SQLSMALLINT columns = 0;
    st.check(SQLNumResultCols(st.handle(), &columns));
    QStringList names;
    for (SQLUSMALLINT c = 1; c <= columns; ++c)
        names << columnNameOf(st, c);
    return names;
}

std::optional<ResultSet::Impl::Row> ResultSet::Impl::readRow(const detail::Statement& st,
                                                             int columns) {
    const SQLRETURN ret = SQLFetch(st.handle());
    if (ret == SQL_NO_DATA) return std::nullopt;
    st.check(ret);
    Row row;
    row.reserve(columns);
    for (SQLUSMALLINT c = 1; c <= columns; ++c)
        row.push_back(readValue(st, c));
    return row;
}

ResultSet::Impl::Impl(detail::Statement st, detail::OpenResultSets* owner_,
                      std::optional<ServerCursor> cursor_)
    : statement(std::move(st)), cursor(std::move(cursor_)), owner(owner_) {
    names = columnNames(*statement);
    if (names.isEmpty()) statement.reset(); // a statement without a result: an empty set
    if (fetchOne()) {
        current = 0;
    } else {
        setPastEnd();
    }
    owner->push_back(this); // only now: a failed open must leave nothing behind
}

ResultSet::Impl::Impl(QStringList names_, std::vector<Row> rows_, detail::OpenResultSets* owner_)
    : owner(owner_), names(std::move(names_)), rows(std::move(rows_)) {
    if (rows.empty())
        setPastEnd();
    else
        current = 0;
    owner->push_back(this);
}

ResultSet::Impl::~Impl() {
    close();
}

bool ResultSet::Impl::fetchOne() {
    if (!statement) return false;
    std::optional<Row> row = readRow(*statement, int(names.size()));
    // A full batch of the program's cursor: the next one may have more.
    while (!row && cursor && cursor->inBatch == cursor->batchSize) {
        statement.reset();
        cursor->inBatch = 0;
        statement.emplace(cursor->nextBatch());
        row = readRow(*statement, int(names.size()));
    }
    if (!row) {
        statement.reset(); // frees the driver's cursor and, on SQLite, its read lock
        return false;
    }
    if (cursor) ++cursor->inBatch;
    rows.push_back(std::move(*row));
    return true;
}

void ResultSet::Impl::fetchAll() {
    while (fetchOne()) {
    }
}

void ResultSet::Impl::close() noexcept {
    statement.reset();
    if (cursor) {
        const auto release = std::move(cursor->release);
        cursor.reset();
        if (release) release();
    }
    if (owner) {
        owner->erase(std::remove(owner->begin(), owner->end(), this), owner->end());
        owner = nullptr;
    }
}

void ResultSet::Impl::setPastEnd() {
    pastEnd = true;
    current = rows.empty() ? -1 : long(rows.size());
}

void ResultSet::Impl::requireOpen() const {
    if (!owner) throw MisuseError("the result set is closed");
}

void ResultSet::Impl::requireRow() const {
    requireOpen();
    if (pastEnd || current < 0) throw MisuseError("the result set has no current row");
}

int ResultSet::Impl::columnIndex(const QString& name) const {
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    throw MisuseError("no column named " + name.toStdString());
}

ResultSet::ResultSet(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}
ResultSet::~ResultSet() = default;

bool ResultSet::eof() const {
    d->requireOpen();
    return d->pastEnd;
}

bool ResultSet::bof() const {
    d->requireOpen();
    return d->current < 0;
}

void ResultSet::moveNext() {
    if (eof()) throw MisuseError("moveNext past the end of the result set");
    if (d->current + 1 < long(d->rows.size()) || d->fetchOne()) {
        ++d->current;
    } else {
        d->setPastEnd();
    }
}

void ResultSet::movePrevious() {
    if (bof()) throw MisuseError("movePrevious before the start of the result set");
    if (d->pastEnd) {
        d->fetchAll();
        d->pastEnd = false;
        d->current = long(d->rows.size()) - 1;
    } else {
        --d->current;
    }
}

void ResultSet::moveFirst() {
    d->requireOpen();
    if (d->rows.empty()) return; // the first row was read at open: the set is empty
    d->current = 0;
    d->pastEnd = false;
}

bool ResultSet::moveTo(long row) {
    d->requireOpen();
    while (row >= long(d->rows.size()) && d->fetchOne()) {
    }
    if (row < 0 || row >= long(d->rows.size())) {
        d->setPastEnd();
        return false;
    }
    d->current = row;
    d->pastEnd = false;
    return true;
}

long ResultSet::position() const {
    d->requireOpen();
    return d->pastEnd ? -1 : d->current;
}

long ResultSet::fetchedRows() const {
    d->requireOpen();
    return long(d->rows.size());
}

bool ResultSet::allFetched() const {
    d->requireOpen();
    return !d->statement;
}

long ResultSet::fetchMore(long count) {
    d->requireOpen();
    long arrived = 0;
    while (arrived < count && d->fetchOne())
        ++arrived;
    return arrived;
}

int ResultSet::columnCount() const {
    d->requireOpen();
    return int(d->names.size());
}

QString ResultSet::columnName(int index) const {
    d->requireOpen();
    if (index < 0 || index >= d->names.size()) throw MisuseError("column index out of range");
    return d->names[index];
}

std::optional<QString> ResultSet::value(int index) const {
    d->requireRow();
    return valueAt(d->current, index);
}

std::optional<QString> ResultSet::value(const QString& name) const {
    d->requireRow();
    return valueAt(d->current, d->columnIndex(name));
}

std::optional<QString> ResultSet::valueAt(long row, int index) const {
    d->requireOpen();
    if (row < 0 || row >= long(d->rows.size())) throw MisuseError("row not fetched");
    if (index < 0 || index >= d->names.size()) throw MisuseError("column index out of range");
    return d->rows[std::size_t(row)][std::size_t(index)];
}

void ResultSet::close() noexcept {
    d->close();
}

bool ResultSet::isOpen() const {
    return d->owner != nullptr;
}

} // namespace odbc
