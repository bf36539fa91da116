#include "platform/odbc/diag.h"
#include <algorithm>
#include <iterator>

namespace odbc {

Error::Error(QString sqlState, QString message, int nativeCode)
    : std::runtime_error((sqlState + QStringLiteral(": ") + message).toStdString()),
      sqlState_(std::move(sqlState)), message_(std::move(message)), nativeCode_(nativeCode) {}

namespace detail {
namespace {

constexpr int sqliteConstraint = 19; // SQLITE_CONSTRAINT, also in the low byte of extended codes

// The SQLite driver reports every failure as HY000 with SQLite's own code as the native code;
// callers match on the SQLSTATE class, so a broken constraint must read as class 23 here too.
// A trigger's RAISE also carries the constraint code, but only with its own text: SQLite's
// constraints say "... constraint failed".
QString comparableState(const QString& state, int native, const QString& message,
                        const QString& dbms) {
    const bool generic = state == QLatin1String("HY000") || state == QLatin1String("S1000");
    if (generic && dbms.startsWith(QLatin1String("SQLite"), Qt::CaseInsensitive) &&
        (native & 0xff) == sqliteConstraint &&
        message.contains(QLatin1String("constraint failed"), Qt::CaseInsensitive))
        return QStringLiteral("23000");
    // MariaDB's driver calls a lost link HY000 or a state of its own; its native codes say it:
    // server gone away, lost during a query, cannot connect, killed, shut down, idle too long.
    static const int lostLink[] = {2002, 2003, 2006, 2013, 2055, 1053, 1160, 1927, 4031};
    if (isMySqlFamily(dbms) &&
        std::find(std::begin(lostLink), std::end(lostLink), native) != std::end(lostLink))
        return QStringLiteral("08S01");
    return state;
}

} // namespace

bool isMySqlFamily(const QString& dbms) {
    return dbms.startsWith(QLatin1String("MariaDB"), Qt::CaseInsensitive) ||
           dbms.startsWith(QLatin1String("MySQL"), Qt::CaseInsensitive);
}

// Only record 1 is ever read: asking for further records crashes some Linux drivers.
Error diagnostic(SQLSMALLINT handleType, SQLHANDLE handle, SQLRETURN ret, const QString& dbms) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR text[2048] = {};
    SQLSMALLINT textLength = 0;
    const SQLRETURN diag = handle ? SQLGetDiagRec(handleType, handle, 1, state, &native, text,
                                                  sizeof text, &textLength)
                                  : SQL_INVALID_HANDLE;
    if (!succeeded(diag)) {
        return Error(
            QStringLiteral("HY000"),
            QStringLiteral("ODBC call failed without a diagnostic (return code %1)").arg(ret));
    }
    const QString sqlState = QString::fromLatin1(reinterpret_cast<const char*>(state));
    const QString message = QString::fromUtf8(reinterpret_cast<const char*>(text));
    return Error(comparableState(sqlState, native, message, dbms), message, native);
}

QString firstSqlState(SQLSMALLINT handleType, SQLHANDLE handle) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT textLength = 0;
    if (!succeeded(SQLGetDiagRec(handleType, handle, 1, state, &native, nullptr, 0, &textLength)))
        return {};
    return QString::fromLatin1(reinterpret_cast<const char*>(state));
}

} // namespace detail
} // namespace odbc
