#include "shell/database.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"
#include "platform/vbrt/vbrt.h"
#include "shell/default_property.h"
#include "shell/workarea.h"
#include <stdexcept>

using namespace workarea;

namespace database {
namespace {

// Braces let a value carry ";" (ODBC connection-string rules); a closing brace is doubled.
QString connValue(const QString& value) {
    if (!value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{')) &&
        !value.contains(QLatin1Char('}')))
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

void setStatus(const odbc::ResultSet& rs) {
    g_RsStatus = rs.eof() ? QStringLiteral("9") : QStringLiteral("0");
}

// A statement or login that meets a silently dead link (no answer at all) fails after this
// long, so that the action, with the reconnect and the once-more of a read, shows its message
// well within 30 s of the key.
constexpr int kLinkTimeout = 12;

// A connection with g_ConnStr and the program's time-outs.
std::unique_ptr<odbc::Connection> openConnection() {
    if (!g_DbEnv) g_DbEnv = std::make_unique<odbc::Environment>();
    auto conn = std::make_unique<odbc::Connection>(*g_DbEnv);
    conn->setLoginTimeout(kLoginTimeout);
    conn->setLinkTimeout(kLinkTimeout);
    conn->setQueryTimeout(kQueryTimeout);
    conn->setLockTimeout(kLockTimeout);
    conn->open(g_ConnStr);
    return conn;
}

} // namespace

QString Sql_Text(const QString& value) {
    QString quoted = value;
    return quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString Build_ConnStr(const QString& dsn, const QString& user, const QString& password) {
    return QStringLiteral("DSN=") + connValue(dsn) + QStringLiteral(";UID=") + connValue(user) +
           QStringLiteral(";PWD=") + connValue(password) + QStringLiteral(";");
}

bool Open_Db() {
    try {
        g_DbIni.DbString = vbrt::Trim(g_DbIni.DbString);
        g_DbIni.UserId = vbrt::Trim(g_DbIni.UserId);
        g_DbIni.Passwd = vbrt::Trim(g_DbIni.Passwd);
        g_ConnStr = Build_ConnStr(g_DbIni.DbString, g_DbIni.UserId, g_DbIni.Passwd);
        // unixODBC falls back on some other data source for an empty name; a missing setting
        // must not open a database nobody named.
        if (g_DbIni.DbString.isEmpty()) throw std::runtime_error("no data source name");
        // The environment is named after the workstation; ODBC environments carry no name.
        g_DbConn = openConnection();
        return true;
    } catch (const std::exception&) {
        forms::MsgBox(QStringLiteral("接続エラー"), 0);
        forms::End(1);
        return false;
    }
}

void Close_Db() {
    if (g_DbConn) g_DbConn->close();
}

void Open_RsUpd(RecordSet& rs) {
    rs = g_DbConn->openResultSet(g_SQL, odbc::CursorType::Dynamic, odbc::Concurrency::RowVer);
    setStatus(*rs);
}

void Open_RsRead(RecordSet& rs) {
    rs = g_DbConn->openResultSet(g_SQL, odbc::CursorType::Keyset, odbc::Concurrency::ReadOnly);
    setStatus(*rs);
}

void Open_AdoRs(RecordSet& rs) {
    rs = g_DbConn->openCursor(g_SQL);
    setStatus(*rs);
}

long Exec_Sql() {
    return g_DbConn->execute(g_SQL);
}

long Exec_SqlCommit(odbc::Transaction& transaction) {
    return transaction.commitWith(g_SQL);
}

ReadAhead::ReadAhead(const QStringList& sqls) {
    g_DbConn->readAhead(sqls);
}

ReadAhead::~ReadAhead() {
    if (g_DbConn) g_DbConn->dropReadAhead();
}

QString KbnNameSql(const QString& kind, const QString& code) {
    return QStringLiteral("SELECT 区分名称 FROM 区分マスタ") + QStringLiteral(" WHERE 区分= '") +
           Sql_Text(kind) + QStringLiteral("'") + QStringLiteral(" AND 区分ｺｰﾄﾞ= '") +
           Sql_Text(code) + QStringLiteral("'");
}

QString Get_KbnName(const QString& kind, const QString& code) {
    try {
        g_SQL = KbnNameSql(kind, code);
        RecordSet rs;
        Open_RsRead(rs);
        QString name;
        if (!rs->eof()) {
            auto value = rs->value(QStringLiteral("区分名称"));
            if (!value) return QString(); // a Null name counts as a failure
            name = *value;
        }
        rs->close();
        return name;
    } catch (const odbc::Error& e) {
        // A lost link is not a code that was not found: the action ends with its message.
        if (odbc::isLinkFailure(e) || (g_DbConn && g_DbConn->linkLost())) throw;
        return QString();
    } catch (const std::exception&) {
        return QString();
    }
}

void Set_KbnName(const QString& kind, forms::Control* codeCtl, forms::Control* nameCtl,
                 int16_t& status) {
    QString name = Get_KbnName(kind, shell::defaultText(codeCtl));
    if (!name.isEmpty()) {
        shell::setDefaultText(nameCtl, name);
        return;
    }
    shell::setDefaultText(nameCtl, QString());
    status = 9;
    forms::MsgBox(QStringLiteral("該当データがありませんでした"), 0);
}

} // namespace database
