#pragma once
#include "platform/odbc/error.h"
#include "platform/odbc/resultset.h"
#include <QString>
#include <functional>
#include <memory>

namespace odbc {

enum class CursorType { ForwardOnly, Keyset, Dynamic, Static };
enum class Concurrency { ReadOnly, Lock, RowVer, Values };

// An ODBC environment (ODBC 3). Move-only owner of the handle.
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

// One connection. Statements are given in the Jet dialect and translated (translateJet) unless
// the DBMS reports itself as ACCESS.
class Connection {
public:
    explicit Connection(Environment& env); // throws Error
    ~Connection();                         // closes; never throws
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setLoginTimeout(int seconds); // before open
    // SQLDriverConnect with SQL_DRIVER_NOPROMPT; throws Error.
    void open(const QString& connectionString);
    void close() noexcept;
    bool isOpen() const;
    void setQueryTimeout(int seconds); // applied to every later statement
    QString dbmsName() const;

    // Opens a result set. ReadOnly requests give the row-cache keyset behaviour over a
    // forward-only cursor; other requests set SQL_ATTR_CURSOR_TYPE / SQL_ATTR_CONCURRENCY
    // (01S02 substitutions accepted). The first row is fetched at once (eof known).
    std::unique_ptr<ResultSet> openResultSet(const QString& sql, CursorType cursor,
                                             Concurrency concurrency);
    // Executes a statement without a result; returns the affected row count (-1 unknown).
    long execute(const QString& sql);

    // Transactions: begin = autocommit off; commit/rollback = SQLEndTran, then autocommit on.
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

} // namespace odbc
