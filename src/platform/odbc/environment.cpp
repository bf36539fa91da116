#include "platform/odbc/connection.h"
#include "platform/odbc/diag.h"

namespace odbc {

Environment::Environment() {
    SQLHENV env = SQL_NULL_HENV;
    if (!detail::succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        throw Error(QStringLiteral("HY001"), QStringLiteral("cannot allocate an ODBC environment"));
    const SQLRETURN ret =
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!detail::succeeded(ret)) {
        Error error = detail::diagnostic(SQL_HANDLE_ENV, env, ret);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        throw error;
    }
    env_ = env;
}

Environment::~Environment() {
    if (env_) SQLFreeHandle(SQL_HANDLE_ENV, env_);
}

void* Environment::handle() const {
    return env_;
}

} // namespace odbc
