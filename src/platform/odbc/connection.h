#pragma once
#include "platform/odbc/error.h"
#include "platform/odbc/resultset.h"
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace odbc {

enum class CursorType { ForwardOnly, Keyset, Dynamic, Static };
enum class Concurrency { ReadOnly, Lock, RowVer, Values };

// An ODBC environment (ODBC 3): the owner of the handle, neither copied nor moved.
class Environment {
public:
    Environment(); // throws Error
    ~Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    void* handle() const; // SQLHENV

private:
    void* env_ = nullptr;
};

// One connection. Statements are given in the Jet dialect and translated (bindJet): the values
// of queries and data changes go to the driver as bound parameters, never in the text.
class Connection {
public:
    explicit Connection(Environment& env); // throws Error
    ~Connection();                         // closes; never throws
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setLoginTimeout(int seconds); // before open
    // How long a statement or a login may go unanswered on a link that carries nothing at all
    // (a cut cable, a VPN that drops every packet) before it fails as a lost link, where the
    // driver lets the program set it (psqlODBC: libpq's keep-alives and TCP user time-out,
    // added to the connection string; other drivers are left as they are). A server that
    // answers slowly is not cut short: its TCP stack still acknowledges. Before open.
    void setLinkTimeout(int seconds);
    // SQLDriverConnect with SQL_DRIVER_NOPROMPT; throws Error.
    void open(const QString& connectionString);
    void close() noexcept;
    bool isOpen() const;
    void setQueryTimeout(int seconds); // applied to every later statement
    // How long a statement waits for a lock another session holds, where the server has such
    // a setting of its own (PostgreSQL's lock_timeout, MariaDB's innodb_lock_wait_timeout);
    // applied now and after every reconnect. A session that cannot be given it is not used:
    // the connection stays lost and the next statement connects again.
    void setLockTimeout(int seconds);
    QString dbmsName() const;

    // A lost link (the server went away) is noticed on the failure of a statement; the next
    // statement outside a transaction first opens the connection again with the same string.
    // A read outside a transaction that finds the link broken reconnects and runs once more.
    bool linkLost() const;

    // Opens a result set with keyset behaviour (the row cache) over the driver's forward-only,
    // read-only cursor, whatever the request: nothing is updated through a result set, so an
    // updatable request reads the same rows. The first row is fetched at once (eof known).
    std::unique_ptr<ResultSet> openResultSet(const QString& sql, CursorType cursor,
                                             Concurrency concurrency);
    // A read-only result that may be large and stays open while it is looked at: on
    // PostgreSQL through psqlODBC, a cursor WITH HOLD of the program's own, read kCursorBatch
    // rows at a time (the first batch in the same message as its DECLARE); no transaction stays
    // open meanwhile, and closing the set closes the cursor. Elsewhere as openResultSet.
    std::unique_ptr<ResultSet> openCursor(const QString& sql);
    static constexpr long kCursorBatch = 100;
    // Reads that one action makes one after the other, each deciding whether the next is
    // needed: on psqlODBC they go to the server together, in one message, and each later
    // openResultSet of the same text, in this order and with nothing else run in between,
    // takes its rows from here (any other statement drops them). Elsewhere, or when the
    // server refuses the message, nothing is read ahead and the reads go as they come; a lost
    // link (after the once-more of a read) throws, as the first read would.
    void readAhead(const QStringList& sqls);
    // Drops what was read ahead and not taken: the action that wanted it is over.
    void dropReadAhead() noexcept;
    // Executes a statement without a result; returns the affected row count (-1 unknown).
    long execute(const QString& sql);
    // Executes the last statement of the open transaction and commits the transaction, on
    // psqlODBC as one message ("...;COMMIT"), elsewhere one after the other. A statement or
    // commit the server refuses throws Error with the transaction still open (the caller rolls
    // back); a link that fails throws CommitUnknown. Returns the statement's row count, which
    // is committed whatever it is.
    long executeAndCommit(const QString& sql);

    // Transactions: begin = autocommit off; commit/rollback = SQLEndTran, then autocommit on.
    // A rollback that fails (the link is gone) still ends the transaction here. A commit whose
    // link fails throws CommitUnknown; a commit that succeeded stands even when autocommit
    // cannot be switched back on (the session is then replaced before the next statement).
    void beginTrans();
    void commitTrans();
    void rollbackTrans();
    bool inTransaction() const;

    // Every statement, as given by the caller (before translation), goes to this log.
    using StatementLog = std::function<void(const QString& statement)>;
    static void setStatementLog(StatementLog log);

    void* handle() const; // SQLHDBC

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A commit whose answer never came: the link failed at or after the COMMIT, so the server may
// have stored the work or not. The transaction is over here; the caller finds out by reading
// once the link works again. Any other failed commit stored nothing.
class CommitUnknown : public Error {
public:
    explicit CommitUnknown(const Error& cause) : Error(cause) {}
};

// A transaction that rolls back unless it was committed: no error path can leave it open.
class Transaction {
public:
    explicit Transaction(Connection& connection); // begins; throws Error or MisuseError
    ~Transaction();                               // rolls back unless committed; never throws
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();
    // Runs the transaction's last statement and commits with it (Connection::executeAndCommit).
    long commitWith(const QString& sql);
    void rollback(); // throws when the rollback itself fails; the transaction is ended anyway

private:
    Connection& connection_;
    bool open_ = true;
};

// True for the failures that say the link to the server is gone (SQLSTATE class 08, which
// MariaDB's lost-link codes are read as, or the server ending the session).
bool isLinkFailure(const Error& error);

} // namespace odbc
