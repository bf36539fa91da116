#include "platform/odbc/connection.h"
#include "platform/odbc/diag.h"
#include "platform/odbc/driver_options.h"
#include "platform/odbc/jet.h"
#include "platform/odbc/resultset_impl.h"
#include "platform/odbc/statement.h"
#include <deque>

namespace odbc {

namespace {

Connection::StatementLog& statementLog() {
    static Connection::StatementLog log;
    return log;
}

SQLPOINTER intAttribute(SQLULEN value) {
    return reinterpret_cast<SQLPOINTER>(value);
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
    bool psqlodbc = false;          // the driver options of driver_options.h are in effect
    bool timeoutsInSession = false; // the session has its query and lock time-outs from the login
    int cursors = 0;                // names of the program's own server cursors
    int session = 0;                // counts the logins: a cursor belongs to one
    // Results read ahead (readAhead), in the order the program will ask for them.
    struct Ahead {
        QString sql;
        QStringList names;
        std::vector<ResultSet::Impl::Row> rows;
    };
    std::deque<Ahead> ahead;
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
        const detail::DriverString driverString =
            detail::withDriverOptions(connectionString, {linkTimeout, queryTimeout, lockTimeout});
        QByteArray in = driverString.connectionString.toUtf8();
        SQLCHAR out[1024];
        SQLSMALLINT outLength = 0;
        check(SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(in.data()),
                               SQLSMALLINT(in.size()), out, sizeof out, &outLength,
                               SQL_DRIVER_NOPROMPT));
        open = true;
        lost = false;
        ++session;
        psqlodbc = driverString.psqlodbc;
        timeoutsInSession = driverString.timeoutsInSession;
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
        ahead.clear();
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
    // A session that has its time-outs from its login is told of a change; the next login
    // carries the new value itself.
    void changeInSession(const char* setting, int seconds) {
        if (open && timeoutsInSession)
            statement().execute(QByteArray("SET ") + setting + " = " +
                                QByteArray::number(std::max(0, seconds) * 1000));
    }
    // The statement time-out a statement is given itself: none where the session has it.
    int statementTimeout() const { return timeoutsInSession ? -1 : queryTimeout; }
    detail::Statement statement() const { return detail::Statement(dbc, dbms, statementTimeout()); }
    void applyLockTimeout() {
        if (lockTimeout < 0 || timeoutsInSession) return;
        QByteArray set;
        if (dbms.startsWith(QLatin1String("PostgreSQL")))
            set = "SET lock_timeout = " + QByteArray::number(lockTimeout * 1000);
        else if (detail::isMySqlFamily(dbms)) // InnoDB waits 50 s unless told otherwise
            set = "SET SESSION innodb_lock_wait_timeout = " + QByteArray::number(lockTimeout);
        else
            return;
        statement().execute(set);
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
            if (!set->cursor) set->fetchAll();
    }
    // Ending a transaction closes the drivers' cursors, so the open result sets take the rest of
    // their rows into their caches first (the program's own cursors are held: they stay). A
    // rollback must not be stopped by a set that cannot: that set is closed instead.
    void endTransaction(SQLSMALLINT completion) {
        const detail::OpenResultSets sets = resultSets;
        for (ResultSet::Impl* set : sets) {
            if (set->cursor) continue;
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
        if (!detail::succeeded(ended))
            commitFailed(detail::diagnostic(SQL_HANDLE_DBC, dbc, ended, dbms));
        inTransaction = false;
        // The work is stored. A session left without autocommit would run the next reads in a
        // transaction nobody ends, so it is replaced before the next statement instead.
        if (!detail::succeeded(SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT,
                                                 intAttribute(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER)))
            lost = true;
    }
    // A commit that failed: refused by the server (nothing was stored, the transaction is still
    // open here), or on a lost link, where the COMMIT may have reached the server and its answer
    // not come back.
    [[noreturn]] void commitFailed(const Error& failure) {
        noteFailure(failure);
        if (!lost) throw failure;
        inTransaction = false;
        throw CommitUnknown(failure);
    }
    // Runs a read; a read changes nothing, so outside a transaction it may go once more on a new
    // link.
    template <class Read> auto onceMore(Read read) -> decltype(read()) {
        try {
            return noting(read);
        } catch (const Error&) {
            if (!lost || inTransaction) throw;
            ensureLink();
            return noting(read);
        }
    }
    // Opens a result set of `sql`: from what was read ahead for it, or by `open` (onceMore).
    template <class Open> std::unique_ptr<ResultSet> reading(const QString& sql, Open open) {
        if (!ahead.empty() && ahead.front().sql == sql && !inTransaction && !lost) {
            if (const auto& log = statementLog()) log(sql);
            Ahead result = std::move(ahead.front());
            ahead.pop_front();
            return std::unique_ptr<ResultSet>(new ResultSet(std::make_unique<ResultSet::Impl>(
                std::move(result.names), std::move(result.rows), &resultSets)));
        }
        ensureLink();
        const BoundStatement bound = prepare(sql);
        return onceMore([&] { return open(bound); });
    }
    // The statement for the driver: its values go beside the text as parameters.
    BoundStatement prepare(const QString& sql) {
        ahead.clear(); // another statement: what was read ahead may be out of date
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

void Connection::setQueryTimeout(int seconds) {
    if (d->queryTimeout != seconds) d->changeInSession("statement_timeout", seconds);
    d->queryTimeout = seconds;
}

void Connection::setLockTimeout(int seconds) {
    const bool changed = d->lockTimeout != seconds;
    d->lockTimeout = seconds;
    if (changed) d->changeInSession("lock_timeout", seconds);
    if (d->open && !d->timeoutsInSession) d->setUpSession();
}

QString Connection::dbmsName() const {
    return d->dbms;
}

bool Connection::linkLost() const {
    return d->lost;
}

std::unique_ptr<ResultSet> Connection::openResultSet(const QString& sql, CursorType, Concurrency) {
    // The layer updates nothing through a result set and keeps the rows itself, so the driver's
    // cheapest cursor serves every request: an updatable or scrollable one costs psqlODBC
    // catalog queries, and the SQLite driver reads the whole result before the first row.
    return d->reading(sql, [this](const BoundStatement& bound) {
        detail::Statement st = d->statement();
        st.bind(bound.parameters);
        st.execute(bound.text.toUtf8());
        return std::unique_ptr<ResultSet>(
            new ResultSet(std::make_unique<ResultSet::Impl>(std::move(st), &d->resultSets)));
    });
}

std::unique_ptr<ResultSet> Connection::openCursor(const QString& sql) {
    if (!d->psqlodbc) return openResultSet(sql, CursorType::Keyset, Concurrency::ReadOnly);
    return d->reading(sql, [this](const BoundStatement& bound) {
        const QByteArray name = "edi_cursor_" + QByteArray::number(++d->cursors);
        const QByteArray fetch = "FETCH " + QByteArray::number(kCursorBatch) + " FROM " + name;
        // Declared outside a transaction block, the cursor lives on after its statement's own
        // transaction has ended; the first rows come in the same message.
        detail::Statement st = d->statement();
        st.bind(bound.parameters);
        st.execute("DECLARE " + name + " CURSOR WITH HOLD FOR " + bound.text.toUtf8() + ";" +
                   fetch);
        st.check(SQLMoreResults(st.handle())); // the FETCH's rows follow the DECLARE's answer
        Impl* const conn = d.get();
        ResultSet::Impl::ServerCursor cursor;
        cursor.batchSize = kCursorBatch;
        cursor.nextBatch = [conn, fetch] {
            return conn->noting([&] {
                detail::Statement next = conn->statement();
                next.execute(fetch);
                return next;
            });
        };
        cursor.release = [conn, session = conn->session, close = "CLOSE " + name]() noexcept {
            // A session that has gone took its cursors with it.
            if (!conn->open || conn->lost || conn->session != session) return;
            try {
                conn->noting([&] { conn->statement().execute(close); });
            } catch (const Error&) {
                // Ends with the session at the latest.
            }
        };
        return std::unique_ptr<ResultSet>(new ResultSet(
            std::make_unique<ResultSet::Impl>(std::move(st), &d->resultSets, std::move(cursor))));
    });
}

long Connection::execute(const QString& sql) {
    d->ensureLink();
    const BoundStatement bound = d->prepare(sql);
    return d->noting([&] {
        detail::Statement st = d->statement();
        st.bind(bound.parameters);
        if (!st.execute(bound.text.toUtf8())) return 0L;
        return st.rowCount();
    });
}

long Connection::executeAndCommit(const QString& sql) {
    d->requireOpen();
    if (!d->inTransaction) throw MisuseError("commit without a transaction");
    if (!d->psqlodbc) {
        const long count = execute(sql);
        commitTrans();
        return count;
    }
    d->ensureLink(); // in a transaction a lost link fails here
    const BoundStatement bound = d->prepare(sql);
    d->fetchAllOpenSets();
    long count = -1;
    try {
        detail::Statement st = d->statement();
        st.bind(bound.parameters);
        const bool changed = st.execute(bound.text.toUtf8() + ";COMMIT");
        count = changed ? st.rowCount() : 0;
        for (SQLRETURN ret; (ret = SQLMoreResults(st.handle())) != SQL_NO_DATA;)
            st.check(ret); // the COMMIT's own answer
    } catch (const Error& e) {
        d->commitFailed(e); // refused by the server, the caller rolls back
    }
    // The driver saw the COMMIT go by and has no transaction left: this only switches
    // autocommit back on.
    d->endTransaction(SQL_COMMIT);
    return count;
}

void Connection::readAhead(const QStringList& sqls) {
    d->ahead.clear();
    if (!d->psqlodbc || sqls.size() < 2 || d->inTransaction) return;
    QByteArray text;
    std::vector<Parameter> parameters;
    for (const QString& sql : sqls) {
        const BoundStatement bound = bindJet(sql, d->dbms);
        text += (text.isEmpty() ? "" : ";") + bound.text.toUtf8();
        parameters.insert(parameters.end(), bound.parameters.begin(), bound.parameters.end());
    }
    auto run = [&] {
        detail::Statement st = d->statement();
        st.bind(parameters);
        st.execute(text);
        std::deque<Impl::Ahead> results;
        for (const QString& sql : sqls) {
            if (!results.empty()) st.check(SQLMoreResults(st.handle()));
            Impl::Ahead result{sql, ResultSet::Impl::columnNames(st), {}};
            while (auto row = ResultSet::Impl::readRow(st, int(result.names.size())))
                result.rows.push_back(std::move(*row));
            results.push_back(std::move(result));
        }
        d->ahead = std::move(results);
    };
    try {
        d->ensureLink();
        d->onceMore(run);
    } catch (const Error&) {
        // A link that is gone ends the action with its message, as the first read would have.
        if (d->lost) throw;
        // Refused by the server: the reads go one by one and meet the failure themselves.
    }
}

void Connection::dropReadAhead() noexcept {
    d->ahead.clear();
}

void Connection::beginTrans() {
    if (d->inTransaction) throw MisuseError("a transaction is already open");
    d->ahead.clear();
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

long Transaction::commitWith(const QString& sql) {
    const long count = connection_.executeAndCommit(sql);
    open_ = false;
    return count;
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
