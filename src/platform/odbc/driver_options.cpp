#include "platform/odbc/driver_options.h"
#include <QByteArray>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <iterator>
#include <odbcinst.h>
#include <vector>

namespace odbc::detail {
namespace {

// One attribute of a connection string: key, value (braces removed) and where it stands,
// its ";" included.
struct Attribute {
    QString key;
    QString value;
    qsizetype begin = 0;
    qsizetype end = 0;
};

// ODBC connection-string rules: "key=value" separated by ";"; a value in braces may hold ";",
// and "}}" inside braces stands for "}".
std::vector<Attribute> attributes(const QString& s) {
    std::vector<Attribute> out;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        Attribute a;
        a.begin = i;
        a.value = QLatin1String(""); // present, even when empty
        const qsizetype eq = s.indexOf(QLatin1Char('='), i);
        const qsizetype semi = s.indexOf(QLatin1Char(';'), i);
        if (eq < 0 || (semi >= 0 && semi < eq)) { // a piece without a value
            i = semi < 0 ? n : semi + 1;
            continue;
        }
        a.key = s.mid(i, eq - i).trimmed();
        i = eq + 1;
        if (i < n && s[i] == QLatin1Char('{')) {
            ++i;
            while (i < n) {
                if (s[i] == QLatin1Char('}')) {
                    if (i + 1 < n && s[i + 1] == QLatin1Char('}')) {
                        a.value += QLatin1Char('}');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                a.value += s[i++];
            }
            const qsizetype next = s.indexOf(QLatin1Char(';'), i);
            i = next < 0 ? n : next + 1;
        } else {
            const qsizetype next = s.indexOf(QLatin1Char(';'), i);
            a.value = s.mid(i, (next < 0 ? n : next) - i);
            i = next < 0 ? n : next + 1;
        }
        a.end = i;
        out.push_back(a);
    }
    return out;
}

QString braced(QString value) {
    return QLatin1Char('{') + value.replace(QLatin1Char('}'), QStringLiteral("}}")) +
           QLatin1Char('}');
}

// An entry of odbc.ini (the user's, then the system's) or odbcinst.ini, as unixODBC finds it.
QString profile(const QString& section, const char* entry, const char* file) {
    char buffer[4096] = {};
    const QByteArray name = section.toUtf8();
    const int length =
        SQLGetPrivateProfileString(name.constData(), entry, "", buffer, sizeof buffer, file);
    return length > 0 ? QString::fromUtf8(buffer, std::min<int>(length, sizeof buffer - 1))
                      : QString();
}

bool isPsqlodbc(const QString& library) {
    return QFileInfo(library).fileName().startsWith(QLatin1String("psqlodbc"), Qt::CaseInsensitive);
}

} // namespace

QString connectionAttribute(const QString& connectionString, const QString& key) {
    for (const Attribute& a : attributes(connectionString))
        if (a.key.compare(key, Qt::CaseInsensitive) == 0) return a.value;
    return QString();
}

DriverString addPsqlodbcOptions(const QString& connectionString, const QString& dsnPqopt,
                                const SessionOptions& options) {
    static const char* const replacedKeys[] = {
        "pqopt",           "KeepaliveTime",        "KeepaliveInterval",
        "UseDeclareFetch", "UseServerSidePrepare", "Protocol"};
    QString own = dsnPqopt;
    QString rest;
    qsizetype from = 0;
    // The settings of the string itself give way to these; its pqopt is kept inside the new one.
    for (const Attribute& a : attributes(connectionString)) {
        const bool replaced =
            std::any_of(std::begin(replacedKeys), std::end(replacedKeys), [&](const char* key) {
                return a.key.compare(QLatin1String(key), Qt::CaseInsensitive) == 0;
            });
        if (!replaced) continue;
        if (a.key.compare(QLatin1String("pqopt"), Qt::CaseInsensitive) == 0) own = a.value;
        rest += connectionString.mid(from, a.begin - from);
        from = a.end;
    }
    rest += connectionString.mid(from);
    if (!rest.isEmpty() && !rest.endsWith(QLatin1Char(';'))) rest += QLatin1Char(';');
    DriverString out;
    out.psqlodbc = true;
    QString pqopt = own.trimmed();
    auto addOption = [&pqopt](const QString& option) {
        if (!pqopt.isEmpty()) pqopt += QLatin1Char(' ');
        pqopt += option;
    };
    rest += QStringLiteral("UseDeclareFetch=0;UseServerSidePrepare=0;Protocol=7.4-1;");
    if (options.linkTimeout > 0) {
        // psqlODBC passes KeepaliveTime/KeepaliveInterval to libpq itself and refuses a pqopt
        // key that differs from them, so pqopt repeats them with the same values.
        const QString keepalive = QString::number(std::max(1, options.linkTimeout / 3));
        rest += QStringLiteral("KeepaliveTime=%1;KeepaliveInterval=%1;").arg(keepalive);
        addOption(QStringLiteral("keepalives_idle=%1 keepalives_interval=%1 keepalives_count=3 "
                                 "tcp_user_timeout=%2")
                      .arg(keepalive)
                      .arg(options.linkTimeout * 1000));
    }
    // Options of the data source's own would be replaced: then the program sets the time-outs
    // by statements after the login.
    if (!own.contains(QLatin1String("options"), Qt::CaseInsensitive)) {
        QStringList settings;
        if (options.queryTimeout >= 0)
            settings << QStringLiteral("-c statement_timeout=%1").arg(options.queryTimeout * 1000);
        if (options.lockTimeout >= 0)
            settings << QStringLiteral("-c lock_timeout=%1").arg(options.lockTimeout * 1000);
        if (!settings.isEmpty()) addOption(QStringLiteral("options='%1'").arg(settings.join(' ')));
        out.timeoutsInSession = true;
    }
    if (!pqopt.isEmpty()) rest += QStringLiteral("pqopt=") + braced(pqopt) + QLatin1Char(';');
    out.connectionString = rest;
    return out;
}

DriverString withDriverOptions(const QString& connectionString, const SessionOptions& options) {
    const QString dsn = connectionAttribute(connectionString, QStringLiteral("DSN"));
    QString driver = connectionAttribute(connectionString, QStringLiteral("DRIVER"));
    if (driver.isNull() && !dsn.isEmpty()) driver = profile(dsn, "Driver", "ODBC.INI");
    DriverString as{connectionString};
    if (driver.isEmpty()) return as;
    // A path (or a library file name) as it stands, else a driver name of odbcinst.ini.
    const bool isFile = driver.contains(QLatin1Char('/')) || driver.endsWith(QLatin1String(".so"));
    const QString library = isFile ? driver : profile(driver, "Driver", "ODBCINST.INI");
    if (!isPsqlodbc(library)) return as;
    return addPsqlodbcOptions(
        connectionString, dsn.isEmpty() ? QString() : profile(dsn, "pqopt", "ODBC.INI"), options);
}

} // namespace odbc::detail
