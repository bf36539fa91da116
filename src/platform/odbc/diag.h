#pragma once
// Internal: reading driver diagnostics and turning failed calls into odbc::Error.
#include "platform/odbc/error.h"
#include <sql.h>
#include <sqlext.h>

namespace odbc::detail {

// The first diagnostic record of `handle`, with the SQLSTATE made comparable across drivers
// (`dbms` is the connection's DBMS name, empty when unknown).
Error diagnostic(SQLSMALLINT handleType, SQLHANDLE handle, SQLRETURN ret, const QString& dbms = {});

inline bool succeeded(SQLRETURN ret) {
    return ret == SQL_SUCCESS || ret == SQL_SUCCESS_WITH_INFO;
}

// Throws the handle's diagnostic unless `ret` is a success.
inline void check(SQLRETURN ret, SQLSMALLINT handleType, SQLHANDLE handle,
                  const QString& dbms = {}) {
    if (!succeeded(ret)) throw diagnostic(handleType, handle, ret, dbms);
}

// MariaDB or MySQL, as their ODBC driver names the server.
bool isMySqlFamily(const QString& dbms);

// The SQLSTATE of the first diagnostic record, or empty.
QString firstSqlState(SQLSMALLINT handleType, SQLHANDLE handle);

} // namespace odbc::detail
