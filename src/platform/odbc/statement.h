#pragma once
// Internal: owner of one statement handle.
#include <QByteArray>
#include <QString>
#include <sql.h>
#include <sqlext.h>

namespace odbc::detail {

class Statement {
public:
    // Allocates a statement on `dbc` and applies the query time-out (none when negative).
    Statement(SQLHDBC dbc, QString dbms, int queryTimeout); // throws Error
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    SQLHSTMT handle() const { return stmt_; }
    const QString& dbms() const { return dbms_; }

    // Sets a statement attribute; a driver that substitutes a value of its own (01S02) is
    // accepted.
    void setAttribute(SQLINTEGER attribute, SQLULEN value);
    // Runs `sql` (UTF-8); false when the driver answers SQL_NO_DATA (no rows affected).
    bool execute(const QByteArray& sql);
    // Throws the statement's diagnostic unless `ret` is a success.
    void check(SQLRETURN ret) const;
    void free() noexcept;

private:
    SQLHSTMT stmt_ = SQL_NULL_HSTMT;
    QString dbms_;
};

} // namespace odbc::detail
