#include "platform/odbc/connection.h"
#include "platform/odbc/diag.h"
#include "platform/odbc/jet.h"
#include "platform/odbc/link_timeout.h"
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
    bool lost = false;
    int loginTimeout = -1;
    int queryTimeout = -1;
    int lockTimeout = -1;
    int linkTimeout = 0;
    bool detachedReads = false;
    QString connectionString;
    QString dbms;
    detail::OpenResultSets resultSets;

    explicit Impl(Environment& e) : env(e) {}

    void check(SQLRETURN ret) const { detail::check(ret, SQL_HANDLE_DBC, dbc, dbms); }
    void requireOpen() const {
        if (!open) throw MisuseError("the connection is not open");
    }
    void connect() {
        if (loginTimeout >= 0)
            check(SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT,
                                    intAttribute(SQLULEN(loginTimeout)), SQL_IS_UINTEGER));
        QByteArray in = detail::withLinkTimeout(connectionString, linkTimeout).toUtf8();
        SQLCHAR out[1024];
        SQLSMALLINT outLength = 0;
        check(SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(in.data()),
                               SQLSMALLINT(in.size()), out, sizeof out, &outLength,
                               SQL_DRIVER_NOPROMPT));
        open = true;
        lost = false;
        char name[256] = {};
        SQLSMALLINT nameLength = 0;
        if (detail::succeeded(SQLGetInfo(dbc, SQL_DBMS_NAME, name, sizeof name, &nameLength)))
            dbms = QString::fromUtf8(name);
        setUpSession();
    }
    // A session without its lock time-out would let a write wait for the statement time-out:
    // it is not used, and the next statement connects again.
    void setUpSession() {
        try {
            applyLockTimeout();
        } catch (const Error&) {
            disconnect();
            lost = true;
            throw;
        }
    }
    void disconnect() noexcept {
        const detail::OpenResultSets sets = resultSets;
        for (ResultSet::Impl* set : sets)
            set->close();
        if (!open) return;
        if (inTransaction) {
            // An open transaction would make the disconnect fail; nothing was committed.
            SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_ROLLBACK);
            inTransaction = false;
            SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, intAttribute(SQL_AUTOCOMMIT_ON),
                              SQL_IS_UINTEGER);
        }
        if (!detail::succeeded(SQLDisconnect(dbc))) {
            // A driver that still sees a transaction (autocommit could not be switched back
            // on) refuses; nothing of it was committed.
            SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_ROLLBACK);
            SQLDisconnect(dbc);
        }
        open = false;
        dbms.clear();
    }
    void applyLockTimeout() {
        if (lockTimeout < 0) return;
        QByteArray set;
        if (dbms.startsWith(QLatin1String("PostgreSQL")))
            set = "SET lock_timeout = " + QByteArray::number(lockTimeout * 1000);
        else if (detail::isMySqlFamily(dbms)) // InnoDB waits 50 s unless told otherwise
            set = "SET SESSION innodb_lock_wait_timeout = " + QByteArray::number(lockTimeout);
        else
            return;
        detail::Statement st(dbc, dbms, queryTimeout);
        st.execute(set);
    }
    // What the driver itself knows of its link; a driver without the attribute is taken as
    // connected.
    bool driverSaysDead() const {
        SQLUINTEGER dead = SQL_CD_FALSE;
        return detail::succeeded(SQLGetConnectAttr(dbc, SQL_ATTR_CONNECTION_DEAD, &dead,
                                                   SQL_IS_UINTEGER, nullptr)) &&
               dead == SQL_CD_TRUE;
    }
    void noteFailure(const Error& e) {
        if (isLinkFailure(e) || driverSaysDead()) lost = true;
    }
    // Before a statement: a link found broken is opened again, but never under a transaction,
    // whose work the server has dropped with the old session.
    void ensureLink() {
        if (!lost) {
            requireOpen();
            // MariaDB's driver answers by a ping, a round trip before every statement: there
            // the failure of the statement itself says the link is gone (isLinkFailure).
            if (inTransaction || detail::isMySqlFamily(dbms) || !driverSaysDead()) return;
            lost = true;
        }
        if (inTransaction)
            throw Error(QStringLiteral("08S01"),
                        QStringLiteral("the link to the database was lost in a transaction"));
        disconnect();
        connect(); // a failure leaves the link lost: the next statement tries again
    }
    // Runs one statement call, noting a lost link when it fails.
    template <class F> auto noting(F&& call) -> decltype(call()) {
        try {
            return call();
        } catch (const Error& e) {
            noteFailure(e);
            throw;
        }
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
        if (completion == SQL_ROLLBACK) {
            // Whatever the driver answers, the transaction is over here: a session whose link
            // is gone has nothing left to roll back, and the next save must start a new one.
            inTransaction = false;
            const SQLRETURN ended = SQLEndTran(SQL_HANDLE_DBC, dbc, completion);
            const SQLRETURN autocommit = SQLSetConnectAttr(
                dbc, SQL_ATTR_AUTOCOMMIT, intAttribute(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER);
            if (!detail::succeeded(autocommit)) lost = true; // replaced before the next statement
            noting([&] {
                check(ended);
                check(autocommit);
            });
            return;
        }
        const SQLRETURN ended = SQLEndTran(SQL_HANDLE_DBC, dbc, completion);
        if (!detail::succeeded(ended)) {
            Error failure = detail::diagnostic(SQL_HANDLE_DBC, dbc, ended, dbms);
            noteFailure(failure);
            if (!lost) throw failure; // the server refused the commit: nothing was stored
            // The COMMIT may have reached the server and its answer not come back.
            inTransaction = false;
            throw CommitUnknown(failure);
        }
        inTransaction = false;
        // The work is stored. A session left without autocommit would run the next reads in a
        // transaction nobody ends, so it is replaced before the next statement instead.
        if (!detail::succeeded(SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT,
                                                 intAttribute(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER)))
            lost = true;
    }
    // The statement for the driver: its values go beside the text as parameters.
    BoundStatement prepare(const QString& sql) const {
        if (const auto& log = statementLog()) log(sql);
        return bindJet(sql, dbms);
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
    d->connectionString = connectionString;
    d->connect();
}

void Connection::close() noexcept {
    d->disconnect();
    d->lost = false;
}

bool Connection::isOpen() const {
    return d->open;
}

void Connection::setLinkTimeout(int seconds) {
    d->linkTimeout = seconds;
}

void Connection::setDetachedReads(bool on) {
    d->detachedReads = on;
}

void Connection::setQueryTimeout(int seconds) {
    d->queryTimeout = seconds;
}

void Connection::setLockTimeout(int seconds) {
    d->lockTimeout = seconds;
    if (d->open) d->setUpSession();
}

QString Connection::dbmsName() const {
    return d->dbms;
}

bool Connection::linkLost() const {
    return d->lost;
}

std::unique_ptr<ResultSet> Connection::openResultSet(const QString& sql, CursorType cursor,
                                                     Concurrency concurrency) {
    d->ensureLink();
    const BoundStatement bound = d->prepare(sql);
    const QByteArray text = bound.text.toUtf8();
    auto run = [&] {
        detail::Statement st(d->dbc, d->dbms, d->queryTimeout);
        // Read-only sets keep their rows themselves, so the cheapest driver cursor serves: a
        // scrollable one makes the SQLite driver read the whole result before the first row.
        const bool readOnly = concurrency == Concurrency::ReadOnly;
        st.setAttribute(SQL_ATTR_CURSOR_TYPE,
                        readOnly ? SQL_CURSOR_FORWARD_ONLY : cursorAttribute(cursor));
        st.setAttribute(SQL_ATTR_CONCURRENCY, concurrencyAttribute(concurrency));
        st.bind(bound.parameters);
        st.execute(text);
        return std::unique_ptr<ResultSet>(
            new ResultSet(std::make_unique<ResultSet::Impl>(std::move(st), &d->resultSets)));
    };
    // psqlODBC reads through a cursor WITH HOLD inside a transaction it began itself; committing
    // that transaction once the first rows are in leaves the cursor, and no transaction, open.
    auto detached = [&] {
        if (!d->detachedReads || concurrency != Concurrency::ReadOnly || d->inTransaction ||
            !d->dbms.startsWith(QLatin1String("PostgreSQL")))
            return run();
        d->setAutocommit(false);
        try {
            auto set = run();
            d->check(SQLEndTran(SQL_HANDLE_DBC, d->dbc, SQL_COMMIT));
            d->setAutocommit(true);
            return set;
        } catch (...) {
            SQLEndTran(SQL_HANDLE_DBC, d->dbc, SQL_ROLLBACK);
            SQLSetConnectAttr(d->dbc, SQL_ATTR_AUTOCOMMIT, intAttribute(SQL_AUTOCOMMIT_ON),
                              SQL_IS_UINTEGER);
            throw;
        }
    };
    try {
        return d->noting(detached);
    } catch (const Error&) {
        // A read changes nothing, so outside a transaction it may go once more on a new link.
        if (!d->lost || d->inTransaction) throw;
        d->ensureLink();
        return d->noting(detached);
    }
}

long Connection::execute(const QString& sql) {
    d->ensureLink();
    const BoundStatement bound = d->prepare(sql);
    const QByteArray text = bound.text.toUtf8();
    return d->noting([&] {
        detail::Statement st(d->dbc, d->dbms, d->queryTimeout);
        st.bind(bound.parameters);
        if (!st.execute(text)) return 0L;
        SQLLEN count = -1;
        st.check(SQLRowCount(st.handle(), &count));
        return long(count);
    });
}

void Connection::beginTrans() {
    if (d->inTransaction) throw MisuseError("a transaction is already open");
    d->ensureLink();
    d->noting([&] {
        d->fetchAllOpenSets();
        d->setAutocommit(false);
    });
    d->inTransaction = true;
}

void Connection::commitTrans() {
    d->requireOpen();
    if (!d->inTransaction) throw MisuseError("commit without a transaction");
    d->endTransaction(SQL_COMMIT);
}

void Connection::rollbackTrans() {
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

Transaction::Transaction(Connection& connection) : connection_(connection) {
    connection_.beginTrans();
}

Transaction::~Transaction() {
    if (!open_) return;
    try {
        connection_.rollbackTrans();
    } catch (...) {
        // The connection has ended the transaction all the same; nothing was committed.
    }
}

void Transaction::commit() {
    connection_.commitTrans();
    open_ = false;
}

void Transaction::rollback() {
    open_ = false;
    connection_.rollbackTrans();
}

bool isLinkFailure(const Error& error) {
    const QString& state = error.sqlState();
    // 57P01-57P03: the server shut down or restarts and ended the session (PostgreSQL).
    return state.startsWith(QLatin1String("08")) || state == QLatin1String("57P01") ||
           state == QLatin1String("57P02") || state == QLatin1String("57P03");
}

} // namespace odbc
