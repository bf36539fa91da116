// An ODBC driver that calls itself PostgreSQL, accepts every statement and fails the ones a test
// asks it to: a lost link (08S01) on the next statement, the next SET lock_timeout, switching
// autocommit back on. It tells which statements ran on a session without its lock time-out or
// outside autocommit, the faults a connection must not leave behind.
#include <cstdlib>
#include <cstring>
#include <sql.h>
#include <sqlext.h>

extern "C" {

static int g_loseNextStatement = 0;
static int g_refuseLockTimeout = 0;
static int g_refuseAutocommitOn = 0;
static int g_withoutLockTimeout = 0; // statements run on a session that lacks it
static int g_inManualCommit = 0; // statements run with autocommit off outside a test's transaction
static bool g_lockTimeoutSet = false;
static bool g_autocommit = true;
static const char* g_diagState = "HY000";
static const char* g_diagText = "";

void scripted_lose_next_statement() {
    g_loseNextStatement = 1;
}
void scripted_refuse_lock_timeout() {
    g_refuseLockTimeout = 1;
}
void scripted_refuse_autocommit_on() {
    g_refuseAutocommitOn = 1;
}
int scripted_without_lock_timeout() {
    return g_withoutLockTimeout;
}
int scripted_in_manual_commit() {
    return g_inManualCommit;
}

static SQLRETURN fail(const char* state, const char* text) {
    g_diagState = state;
    g_diagText = text;
    return SQL_ERROR;
}

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT, SQLHANDLE, SQLHANDLE* out) {
    *out = std::calloc(1, 16);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT, SQLHANDLE h) {
    std::free(h);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC, SQLINTEGER a, SQLPOINTER v, SQLINTEGER) {
    if (a != SQL_ATTR_AUTOCOMMIT) return SQL_SUCCESS;
    const bool on = reinterpret_cast<SQLULEN>(v) == SQL_AUTOCOMMIT_ON;
    if (on && g_refuseAutocommitOn) {
        g_refuseAutocommitOn = 0;
        return fail("HY000", "autocommit refused");
    }
    g_autocommit = on;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC, SQLHWND, SQLCHAR*, SQLSMALLINT, SQLCHAR* out,
                                   SQLSMALLINT outMax, SQLSMALLINT* outLen, SQLUSMALLINT) {
    if (out && outMax > 0) out[0] = 0;
    if (outLen) *outLen = 0;
    g_lockTimeoutSet = false;
    g_autocommit = true;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetInfo(SQLHDBC, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT max,
                             SQLSMALLINT* len) {
    const char* text = type == SQL_DRIVER_ODBC_VER ? "03.00" : "PostgreSQL";
    if (value && max > 0) {
        std::strncpy(static_cast<char*>(value), text, std::size_t(max) - 1);
        (static_cast<char*>(value))[max - 1] = 0;
    }
    if (len) *len = SQLSMALLINT(std::strlen(text));
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT, SQLCHAR* text, SQLINTEGER) {
    const char* sql = reinterpret_cast<const char*>(text);
    if (std::strncmp(sql, "SET lock_timeout", 16) == 0) {
        if (g_refuseLockTimeout) {
            g_refuseLockTimeout = 0;
            return fail("42000", "lock_timeout refused");
        }
        g_lockTimeoutSet = true;
        return SQL_SUCCESS;
    }
    if (g_loseNextStatement) {
        g_loseNextStatement = 0;
        return fail("08S01", "the link is gone");
    }
    if (!g_lockTimeoutSet) ++g_withoutLockTimeout;
    if (!g_autocommit && std::strncmp(sql, "SELECT", 6) == 0) ++g_inManualCommit;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLRowCount(SQLHSTMT, SQLLEN* count) {
    *count = 1;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT, SQLSMALLINT* columns) {
    *columns = 0;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT) {
    return SQL_NO_DATA;
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT, SQLHANDLE, SQLSMALLINT) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT, SQLHANDLE, SQLSMALLINT rec, SQLCHAR* state,
                                SQLINTEGER* native, SQLCHAR* text, SQLSMALLINT max,
                                SQLSMALLINT* len) {
    if (rec != 1 || !g_diagText[0]) return SQL_NO_DATA;
    if (state) std::memcpy(state, g_diagState, 6);
    if (native) *native = 0;
    if (text && max > 0) {
        std::strncpy(reinterpret_cast<char*>(text), g_diagText, std::size_t(max) - 1);
        text[max - 1] = 0;
    }
    if (len) *len = SQLSMALLINT(std::strlen(g_diagText));
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT, SQLHANDLE, SQLSMALLINT, SQLSMALLINT, SQLPOINTER,
                                  SQLSMALLINT, SQLSMALLINT*) {
    return SQL_NO_DATA;
}

} // extern "C"
