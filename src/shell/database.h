#pragma once
// The one database connection and the statement routines. Every statement is built in g_SQL
// by the caller; these routines know no table.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace forms {
class Control;
}
namespace odbc {
class Connection;
class ResultSet;
class Transaction;
} // namespace odbc

namespace database {

constexpr int kLoginTimeout = 120;
constexpr int kQueryTimeout = 300;
// A write blocked by another workstation's lock gives up after this long instead of freezing
// the screen for the query time-out (PostgreSQL, MariaDB; SQLite data sources set their busy
// time-out).
constexpr int kLockTimeout = 5;

// "DSN=...;UID=...;PWD=...;" from the trimmed settings. A value holding ";" or braces is
// wrapped in braces so it cannot break the string. Empty UID= and PWD= are passed as they are:
// psqlODBC then gives the client library no user and no password, and it logs in as the
// operator's login name with her ~/.pgpass or client certificate.
QString Build_ConnStr(const QString& dsn, const QString& user, const QString& password);

// A value for the text between single quotes of a statement: its quotes doubled, so pasted
// text cannot end the literal early. The connection sends each such value as a parameter.
QString Sql_Text(const QString& value);

// Opens g_DbConn. On failure shows "接続エラー", ends the program and returns false.
bool Open_Db();
void Close_Db();

using RecordSet = std::unique_ptr<odbc::ResultSet>;

// Updatable look-up (dynamic cursor, row-version concurrency) of g_SQL; sets g_RsStatus.
void Open_RsUpd(RecordSet& rs);
// Read-only keyset result of g_SQL; sets g_RsStatus.
void Open_RsRead(RecordSet& rs);

// The code search's read-only recordset of g_SQL; sets g_RsStatus. It shares g_DbConn (the same
// data source, user and password), reading a large result in batches through a cursor of its
// own where the server has one; it keeps nothing open on the server once it is closed.
void Open_AdoRs(RecordSet& rs);

// Runs g_SQL (INSERT, UPDATE, DELETE) on g_DbConn; returns the rows it changed (-1 unknown).
long Exec_Sql();
// Runs g_SQL as the last statement of the transaction and commits it, in one round trip where
// the driver allows; returns the rows it changed, committed whatever their number.
long Exec_SqlCommit(odbc::Transaction& transaction);

// Reads that one action makes in turn, sent to the server together where the driver allows;
// each read of the same text that follows, while this lives, takes its rows from there.
class ReadAhead {
public:
    explicit ReadAhead(const QStringList& sqls);
    ~ReadAhead(); // what was not taken is dropped
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;
};

// The statement Get_KbnName reads the name of a code with.
QString KbnNameSql(const QString& kind, const QString& code);
// The name of a code of the code table, or "" (also on any failure).
QString Get_KbnName(const QString& kind, const QString& code);
// Shows the name of the code in codeCtl in nameCtl; a code not found empties nameCtl, sets
// status 9 and says so.
void Set_KbnName(const QString& kind, forms::Control* codeCtl, forms::Control* nameCtl,
                 int16_t& status);

} // namespace database
