#include "platform/odbc/statement.h"
#include "platform/odbc/diag.h"
#include <utility>

namespace odbc::detail {

Statement::Statement(SQLHDBC dbc, QString dbms, int queryTimeout) : dbms_(std::move(dbms)) {
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    const SQLRETURN ret = SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
    if (!succeeded(ret)) throw diagnostic(SQL_HANDLE_DBC, dbc, ret, dbms_);
    stmt_.reset(stmt);
    if (queryTimeout >= 0) setAttribute(SQL_ATTR_QUERY_TIMEOUT, SQLULEN(queryTimeout));
}

void Statement::setAttribute(SQLINTEGER attribute, SQLULEN value) {
    check(SQLSetStmtAttr(stmt_.get(), attribute, reinterpret_cast<SQLPOINTER>(value), 0));
}

bool Statement::execute(const QByteArray& sql) {
    const SQLRETURN ret =
        SQLExecDirect(stmt_.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.constData())),
                      SQLINTEGER(sql.size()));
    if (ret == SQL_NO_DATA) return false;
    check(ret);
    return true;
}

void Statement::check(SQLRETURN ret) const {
    if (!succeeded(ret)) throw diagnostic(SQL_HANDLE_STMT, stmt_.get(), ret, dbms_);
}

} // namespace odbc::detail
