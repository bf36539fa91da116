#include "platform/odbc/statement.h"
#include "platform/odbc/diag.h"
#include "platform/odbc/error.h"
#include <algorithm>
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

void Statement::bind(const std::vector<Parameter>& parameters) {
    for (const Parameter& parameter : parameters) {
        // psqlODBC cuts a value at a NUL, so "C01<NUL>x" would match C01: never sent.
        if (parameter.value.contains(QChar(0)))
            throw Error(QStringLiteral("22021"), QStringLiteral("a value holds a NUL character"));
        auto value = std::make_unique<Bound>();
        value->bytes = parameter.value.toUtf8();
        value->length = value->bytes.size();
        SQLSMALLINT sqlType = SQL_VARCHAR;
        // psqlODBC takes a text parameter of size 5 for a boolean and asks the server about it
        // first, a round trip of its own: text is declared no shorter than 255.
        SQLULEN size = std::max<SQLULEN>(255, SQLULEN(value->length));
        switch (parameter.type) {
        case Parameter::Type::Text:
            break;
        case Parameter::Type::Date:
            sqlType = SQL_TYPE_DATE;
            size = 10;
            break;
        case Parameter::Type::Time:
            sqlType = SQL_TYPE_TIME;
            size = 8;
            break;
        case Parameter::Type::Timestamp:
            sqlType = SQL_TYPE_TIMESTAMP;
            size = 19;
            break;
        }
        check(SQLBindParameter(stmt_.get(), SQLUSMALLINT(bound_.size() + 1), SQL_PARAM_INPUT,
                               SQL_C_CHAR, sqlType, size, 0, value->bytes.data(), value->length,
                               &value->length));
        bound_.push_back(std::move(value));
    }
}

bool Statement::execute(const QByteArray& sql) {
    const SQLRETURN ret =
        SQLExecDirect(stmt_.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.constData())),
                      SQLINTEGER(sql.size()));
    if (ret == SQL_NO_DATA) return false;
    check(ret);
    return true;
}

long Statement::rowCount() const {
    SQLLEN count = -1;
    check(SQLRowCount(stmt_.get(), &count));
    return long(count);
}

void Statement::check(SQLRETURN ret) const {
    if (!succeeded(ret)) throw diagnostic(SQL_HANDLE_STMT, stmt_.get(), ret, dbms_);
}

} // namespace odbc::detail
