#include "platform/odbc/link_timeout.h"
#include <QByteArray>
#include <QFileInfo>
#include <algorithm>
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

QString addPsqlodbcLinkTimeout(const QString& connectionString, const QString& dsnPqopt,
                               int seconds) {
    const QString keepalive = QString::number(std::max(1, seconds / 3));
    QString own = dsnPqopt;
    QString rest;
    qsizetype from = 0;
    // The settings of the string itself give way to these; its pqopt is kept inside the new one.
    for (const Attribute& a : attributes(connectionString)) {
        const bool replaced =
            a.key.compare(QLatin1String("pqopt"), Qt::CaseInsensitive) == 0 ||
            a.key.compare(QLatin1String("KeepaliveTime"), Qt::CaseInsensitive) == 0 ||
            a.key.compare(QLatin1String("KeepaliveInterval"), Qt::CaseInsensitive) == 0;
        if (!replaced) continue;
        if (a.key.compare(QLatin1String("pqopt"), Qt::CaseInsensitive) == 0) own = a.value;
        rest += connectionString.mid(from, a.begin - from);
        from = a.end;
    }
    rest += connectionString.mid(from);
    if (!rest.isEmpty() && !rest.endsWith(QLatin1Char(';'))) rest += QLatin1Char(';');
    // psqlODBC passes KeepaliveTime/KeepaliveInterval to libpq itself and refuses a pqopt key
    // that differs from them, so pqopt repeats them with the same values.
    QString pqopt = own.trimmed();
    if (!pqopt.isEmpty()) pqopt += QLatin1Char(' ');
    pqopt += QStringLiteral("keepalives_idle=%1 keepalives_interval=%1 keepalives_count=3 "
                            "tcp_user_timeout=%2")
                 .arg(keepalive)
                 .arg(seconds * 1000);
    return rest + QStringLiteral("KeepaliveTime=%1;KeepaliveInterval=%1;pqopt=").arg(keepalive) +
           braced(pqopt) + QLatin1Char(';');
}

QString withLinkTimeout(const QString& connectionString, int seconds) {
    if (seconds <= 0) return connectionString;
    const QString dsn = connectionAttribute(connectionString, QStringLiteral("DSN"));
    QString driver = connectionAttribute(connectionString, QStringLiteral("DRIVER"));
    if (driver.isNull() && !dsn.isEmpty()) driver = profile(dsn, "Driver", "ODBC.INI");
    if (driver.isEmpty()) return connectionString;
    // A path (or a library file name) as it stands, else a driver name of odbcinst.ini.
    const bool isFile = driver.contains(QLatin1Char('/')) || driver.endsWith(QLatin1String(".so"));
    const QString library = isFile ? driver : profile(driver, "Driver", "ODBCINST.INI");
    if (!isPsqlodbc(library)) return connectionString;
    return addPsqlodbcLinkTimeout(
        connectionString, dsn.isEmpty() ? QString() : profile(dsn, "pqopt", "ODBC.INI"), seconds);
}

} // namespace odbc::detail
