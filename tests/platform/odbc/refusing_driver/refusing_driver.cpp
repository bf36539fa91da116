// An ODBC driver that connects to nothing and refuses every statement attribute (HYC00), as
// some drivers refuse a query time-out. It counts the statement handles it holds, so a test
// can see whether a refused statement was freed.
#include <cstdlib>
#include <cstring>
#include <sql.h>
#include <sqlext.h>

extern "C" {

static int g_statements = 0;

int refusing_driver_statements() {
    return g_statements;
}

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE in, SQLHANDLE* out) {
    (void)in;
    *out = std::calloc(1, 16);
    if (type == SQL_HANDLE_STMT) ++g_statements;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE h) {
    if (type == SQL_HANDLE_STMT) --g_statements;
    std::free(h);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV e, SQLINTEGER a, SQLPOINTER v, SQLINTEGER l) {
    (void)e, (void)a, (void)v, (void)l;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC d, SQLINTEGER a, SQLPOINTER v, SQLINTEGER l) {
    (void)d, (void)a, (void)v, (void)l;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC d, SQLHWND w, SQLCHAR* in, SQLSMALLINT inLen,
                                   SQLCHAR* out, SQLSMALLINT outMax, SQLSMALLINT* outLen,
                                   SQLUSMALLINT completion) {
    (void)d, (void)w, (void)in, (void)inLen, (void)completion;
    if (out && outMax > 0) out[0] = 0;
    if (outLen) *outLen = 0;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC d) {
    (void)d;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetInfo(SQLHDBC d, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT max,
                             SQLSMALLINT* len) {
    (void)d;
    const char* text = type == SQL_DRIVER_ODBC_VER ? "03.00" : "REFUSING";
    if (value && max > 0) {
        std::strncpy(static_cast<char*>(value), text, std::size_t(max) - 1);
        (static_cast<char*>(value))[max - 1] = 0;
    }
    if (len) *len = SQLSMALLINT(std::strlen(text));
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT s, SQLINTEGER a, SQLPOINTER v, SQLINTEGER l) {
    (void)s, (void)a, (void)v, (void)l;
    return SQL_ERROR;
}

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT type, SQLHANDLE h, SQLSMALLINT rec, SQLCHAR* state,
                                SQLINTEGER* native, SQLCHAR* text, SQLSMALLINT max,
                                SQLSMALLINT* len) {
    (void)h;
    if (type != SQL_HANDLE_STMT || rec != 1) return SQL_NO_DATA;
    const char* msg = "statement attributes are refused";
    if (state) std::memcpy(state, "HYC00", 6);
    if (native) *native = 0;
    if (text && max > 0) {
        std::strncpy(reinterpret_cast<char*>(text), msg, std::size_t(max) - 1);
        text[max - 1] = 0;
    }
    if (len) *len = SQLSMALLINT(std::strlen(msg));
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT type, SQLHANDLE h, SQLSMALLINT rec, SQLSMALLINT field,
                                  SQLPOINTER value, SQLSMALLINT max, SQLSMALLINT* len) {
    (void)type, (void)h, (void)rec, (void)field, (void)value, (void)max, (void)len;
    return SQL_NO_DATA;
}

} // extern "C"
