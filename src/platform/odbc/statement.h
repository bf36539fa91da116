#pragma once
// Internal: owner of one statement handle.
#include "platform/odbc/jet.h"
#include <QByteArray>
#include <QString>
#include <memory>
#include <sql.h>
#include <sqlext.h>
#include <type_traits>
#include <vector>

namespace odbc::detail {

class Statement {
    struct FreeHandle {
        void operator()(SQLHSTMT stmt) const noexcept { SQLFreeHandle(SQL_HANDLE_STMT, stmt); }
    };
    // Holds the handle from allocation on, so a constructor that throws later still frees it.
    using Handle = std::unique_ptr<std::remove_pointer_t<SQLHSTMT>, FreeHandle>;

public:
    // Allocates a statement on `dbc` and applies the query time-out (none when negative).
    Statement(SQLHDBC dbc, QString dbms, int queryTimeout); // throws Error
    Statement(Statement&& other) noexcept = default;
    Statement& operator=(Statement&& other) noexcept = default;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    SQLHSTMT handle() const { return stmt_.get(); }
    const QString& dbms() const { return dbms_; }

    // Sets a statement attribute; a driver that substitutes a value of its own (01S02) is
    // accepted.
    void setAttribute(SQLINTEGER attribute, SQLULEN value);
    // Binds the values to the markers of the next statement, in order (UTF-8 text; dates and
    // times as their text, typed for the driver). The values stay with the statement.
    void bind(const std::vector<Parameter>& parameters);
    // Runs `sql` (UTF-8) with the values bound, in one call; false when the driver answers
    // SQL_NO_DATA (no rows affected).
    bool execute(const QByteArray& sql);
    // Rows the statement changed (-1 unknown).
    long rowCount() const;
    // Throws the statement's diagnostic unless `ret` is a success.
    void check(SQLRETURN ret) const;
    void free() noexcept { stmt_.reset(); }

private:
    // A bound value: its bytes and length must stay where the driver was told they are.
    struct Bound {
        QByteArray bytes;
        SQLLEN length = 0;
    };
    Handle stmt_;
    QString dbms_;
    std::vector<std::unique_ptr<Bound>> bound_;
};

} // namespace odbc::detail
