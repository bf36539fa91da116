#include "platform/odbc/connection.h"
#include "platform/odbc/diag.h"
#include "platform/odbc/jet.h"
#include "platform/odbc/resultset_impl.h"
#include "platform/odbc/statement.h"

namespace odbc {

namespace {

Connection::StatementLog& statementLog() {
    static Connection::StatementLog log;
    return log;
}

SQLPOINTER intAttribute(SQLULEN value) {
    return reinterpret_cast<SQLPOINTER>(value);
}

SQLULEN cursorAttribute(CursorType type) {
    switch (type) {
    case CursorType::ForwardOnly:
        return SQL_CURSOR_FORWARD_ONLY;
    case CursorType::Keyset:
        return SQL_CURSOR_KEYSET_DRIVEN;
    case CursorType::Dynamic:
        return SQL_CURSOR_DYNAMIC;
    case CursorType::Static:
        return SQL_CURSOR_STATIC;
    }
    return SQL_CURSOR_FORWARD_ONLY;
}

SQLULEN concurrencyAttribute(Concurrency concurrency) {
    switch (concurrency) {
    case Concurrency::ReadOnly:
        return SQL_CONCUR_READ_ONLY;
    case Concurrency::Lock:
        return SQL_CONCUR_LOCK;
    case Concurrency::RowVer:
        return SQL_CONCUR_ROWVER;
    case Concurrency::Values:
        return SQL_CONCUR_VALUES;
    }
    return SQL_CONCUR_READ_ONLY;
}

} // namespace

struct Connection::Impl {
    Environment& env;
    SQLHDBC dbc = SQL_NULL_HDBC;
    bool open = false;
    bool inTransaction = false;
    int loginTimeout = -1;
    int queryTimeout = -1;
    QString dbms;
    detail::OpenResultSets resultSets;

    explicit Impl(Environment& e) : env(e) {}

    void check(SQLRETURN ret) const { detail::check(ret, SQL_HANDLE_DBC, dbc, dbms); }
    void requireOpen() const {
        if (!open) throw MisuseError("the connection is not open");
    }
    void setAutocommit(bool on) {
        check(SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT,
                                intAttribute(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF),
                                SQL_IS_UINTEGER));
    }
    // The SQLite driver ends a statement that is still stepping when autocommit goes off.
    void fetchAllOpenSets() {
        const detail::OpenResultSets sets = resultSets;
        for (ResultSet::Impl* set : sets)
            set->fetchAll();
    }
    // Ending a transaction closes the drivers' cursors (psqlODBC's DECLAREd ones for certain),
    // so the open result sets take the rest of their rows into their caches first. A rollback
    // must not be stopped by a set that cannot: that set is closed instead.
    void endTransaction(SQLSMALLINT completion) {
        const detail::OpenResultSets sets = resultSets;
        for (ResultSet::Impl* set : sets) {
            try {
                set->fetchAll();
            } catch (const Error&) {
                if (completion == SQL_COMMIT) throw;
                set->close();
            }
        }
        check(SQLEndTran(SQL_HANDLE_DBC, dbc, completion));
        inTransaction = false;
        setAutocommit(true);
    }
    QByteArray prepare(const QString& sql) const {
        if (const auto& log = statementLog()) log(sql);
        return (dbms == QLatin1String("ACCESS") ? sql : translateJet(sql, dbms)).toUtf8();
    }
};

Connection::Connection(Environment& env) : d(std::make_unique<Impl>(env)) {
    const SQLRETURN ret = SQLAllocHandle(SQL_HANDLE_DBC, env.handle(), &d->dbc);
    if (!detail::succeeded(ret)) throw detail::diagnostic(SQL_HANDLE_ENV, env.handle(), ret);
}

Connection::~Connection() {
    close();
    SQLFreeHandle(SQL_HANDLE_DBC, d->dbc);
}

void Connection::setLoginTimeout(int seconds) {
    d->loginTimeout = seconds;
}

void Connection::open(const QString& connectionString) {
    if (d->open) throw MisuseError("the connection is already open");
    if (d->loginTimeout >= 0)
        d->check(SQLSetConnectAttr(d->dbc, SQL_ATTR_LOGIN_TIMEOUT,
                                   intAttribute(SQLULEN(d->loginTimeout)), SQL_IS_UINTEGER));
    QByteArray in = connectionString.toUtf8();
    SQLCHAR out[1024];
    SQLSMALLINT outLength = 0;
    d->check(SQLDriverConnect(d->dbc, nullptr, reinterpret_cast<SQLCHAR*>(in.data()),
                              SQLSMALLINT(in.size()), out, sizeof out, &outLength,
                              SQL_DRIVER_NOPROMPT));
    d->open = true;
    char name[256] = {};
    SQLSMALLINT nameLength = 0;
    if (detail::succeeded(SQLGetInfo(d->dbc, SQL_DBMS_NAME, name, sizeof name, &nameLength)))
        d->dbms = QString::fromUtf8(name);
}

void Connection::close() noexcept {
    const detail::OpenResultSets sets = d->resultSets;
    for (ResultSet::Impl* set : sets)
        set->close();
    if (!d->open) return;
    if (d->inTransaction) {
        // An open transaction would make the disconnect fail; nothing was committed.
        SQLEndTran(SQL_HANDLE_DBC, d->dbc, SQL_ROLLBACK);
        d->inTransaction = false;
    }
    SQLDisconnect(d->dbc);
    d->open = false;
    d->dbms.clear();
}

bool Connection::isOpen() const {
    return d->open;
}

void Connection::setQueryTimeout(int seconds) {
    d->queryTimeout = seconds;
}

QString Connection::dbmsName() const {
    return d->dbms;
}

std::unique_ptr<ResultSet> Connection::openResultSet(const QString& sql, CursorType cursor,
                                                     Concurrency concurrency) {
    d->requireOpen();
    const QByteArray text = d->prepare(sql);
    detail::Statement st(d->dbc, d->dbms, d->queryTimeout);
    // Read-only sets keep their rows themselves, so the cheapest driver cursor serves: a
    // scrollable one makes the SQLite driver read the whole result before the first row.
    const bool readOnly = concurrency == Concurrency::ReadOnly;
    st.setAttribute(SQL_ATTR_CURSOR_TYPE,
                    readOnly ? SQL_CURSOR_FORWARD_ONLY : cursorAttribute(cursor));
    st.setAttribute(SQL_ATTR_CONCURRENCY, concurrencyAttribute(concurrency));
    st.execute(text);
    return std::unique_ptr<ResultSet>(
        new ResultSet(std::make_unique<ResultSet::Impl>(std::move(st), &d->resultSets)));
}

long Connection::execute(const QString& sql) {
    d->requireOpen();
    const QByteArray text = d->prepare(sql);
    detail::Statement st(d->dbc, d->dbms, d->queryTimeout);
    if (!st.execute(text)) return 0;
    SQLLEN count = -1;
    st.check(SQLRowCount(st.handle(), &count));
    return long(count);
}

void Connection::beginTrans() {
    d->requireOpen();
    if (d->inTransaction) throw MisuseError("a transaction is already open");
    d->fetchAllOpenSets();
    d->setAutocommit(false);
    d->inTransaction = true;
}

void Connection::commitTrans() {
    d->requireOpen();
    if (!d->inTransaction) throw MisuseError("commit without a transaction");
    d->endTransaction(SQL_COMMIT);
}

void Connection::rollbackTrans() {
    d->requireOpen();
    if (!d->inTransaction) return; // error paths roll back without knowing how far they got
    d->endTransaction(SQL_ROLLBACK);
}

bool Connection::inTransaction() const {
    return d->inTransaction;
}

void Connection::setStatementLog(StatementLog log) {
    statementLog() = std::move(log);
}

void* Connection::handle() const {
    return d->dbc;
}

} // namespace odbc
