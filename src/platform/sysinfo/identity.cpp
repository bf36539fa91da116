#include "platform/sysinfo/sysinfo.h"

#include <climits>
#include <netdb.h>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace sysinfo {
namespace {

std::optional<QString> hostName() {
    char buf[HOST_NAME_MAX + 1] = {};
    if (gethostname(buf, sizeof buf - 1) != 0 || buf[0] == '\0') return std::nullopt;
    return QString::fromLocal8Bit(buf);
}

std::optional<QString> suffixAfterFirstDot(const QString& name) {
    const qsizetype dot = name.indexOf(u'.');
    if (dot < 0 || dot + 1 >= name.size()) return std::nullopt;
    return name.mid(dot + 1);
}

std::optional<QString> nisDomain() {
    char buf[256] = {};
    if (getdomainname(buf, sizeof buf - 1) != 0) return std::nullopt;
    const QString name = QString::fromLocal8Bit(buf);
    if (name.isEmpty() || name == QLatin1String("(none)")) return std::nullopt;
    return name;
}

// The domain of the host's canonical name, as "hostname -d" finds it.
std::optional<QString> dnsDomain() {
    const auto host = hostName();
    if (!host) return std::nullopt;
    if (const auto fromHost = suffixAfterFirstDot(*host)) return fromHost;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* info = nullptr;
    if (getaddrinfo(host->toLocal8Bit().constData(), nullptr, &hints, &info) != 0 || !info)
        return std::nullopt;
    std::optional<QString> domain;
    if (info->ai_canonname)
        domain = suffixAfterFirstDot(QString::fromLocal8Bit(info->ai_canonname));
    freeaddrinfo(info);
    return domain;
}

} // namespace

std::optional<QString> computerName() {
    return hostName();
}

// The user the process runs as, as the Windows call reports it; the login name is the fallback.
std::optional<QString> userName() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buf(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd pw{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &found) == 0 && found &&
        found->pw_name && found->pw_name[0] != '\0')
        return QString::fromLocal8Bit(found->pw_name);
    char login[LOGIN_NAME_MAX + 1] = {};
    if (getlogin_r(login, sizeof login - 1) == 0 && login[0] != '\0')
        return QString::fromLocal8Bit(login);
    return std::nullopt;
}

std::optional<QString> domainName() {
    if (auto nis = nisDomain()) return nis;
    return dnsDomain();
}

} // namespace sysinfo
