#pragma once
// Facts about the workstation and its user, from Linux sources. Each is nullopt on failure.
#include <QString>
#include <optional>

namespace sysinfo {

struct OsVersion {
    QString systemName; // uname sysname, e.g. "Linux"
    int major = 0;
    int minor = 0;
    int build = 0;
    QString release; // the whole kernel release text
};

std::optional<OsVersion> osVersion();
std::optional<QString> computerName();
std::optional<QString> userName();
// NIS domain, else the DNS domain of the host; nullopt when neither is set.
std::optional<QString> domainName();

} // namespace sysinfo
