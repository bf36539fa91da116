#include "platform/odbc/statement.h"
#include "platform/odbc/diag.h"
#include <utility>

namespace odbc::detail {

Statement::Statement(SQLHDBC dbc, QString dbms, int queryTimeout) : dbms_(std::move(dbms)) {
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    const SQLRETURN ret = SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
    if (!succeeded(ret)) throw diagnostic(SQL_HANDLE_DBC, dbc, ret, dbms_);
    stmt_ = stmt;
    if (queryTimeout >= 0) setAttribute(SQL_ATTR_QUERY_TIMEOUT, SQLULEN(queryTimeout));
}

Statement::~Statement() {
    free();
}

Statement::Statement(Statement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, SQLHSTMT{})), dbms_(std::move(other.dbms_)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        free();
        stmt_ = std::exchange(other.stmt_, SQLHSTMT{});
        dbms_ = std::move(other.dbms_);
    }
    return *this;
}

void Statement::setAttribute(SQLINTEGER attribute, SQLULEN value) {
    check(SQLSetStmtAttr(stmt_, attribute, reinterpret_cast<SQLPOINTER>(value), 0));
}

bool Statement::execute(const QByteArray& sql) {
    const SQLRETURN ret =
        SQLExecDirect(stmt_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.constData())),
                      SQLINTEGER(sql.size()));
    if (ret == SQL_NO_DATA) return false;
    check(ret);
    return true;
}

void Statement::check(SQLRETURN ret) const {
    if (!succeeded(ret)) throw diagnostic(SQL_HANDLE_STMT, stmt_, ret, dbms_);
}

void Statement::free() noexcept {
    if (stmt_ != SQL_NULL_HSTMT) {
        SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
        stmt_ = SQL_NULL_HSTMT;
    }
}

} // namespace odbc::detail
