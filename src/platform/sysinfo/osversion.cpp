#include "platform/sysinfo/sysinfo.h"

#include <QRegularExpression>
#include <sys/utsname.h>

namespace sysinfo {

std::optional<OsVersion> osVersion() {
    utsname u{};
    if (uname(&u) != 0) return std::nullopt;
    OsVersion v;
    v.systemName = QString::fromLocal8Bit(u.sysname);
    v.release = QString::fromLocal8Bit(u.release);
    // "6.1.0-18-amd64": major 6, minor 1, build 0; missing parts stay 0.
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const auto m = numbers.match(v.release);
    if (m.hasMatch()) {
        v.major = m.captured(1).toInt();
        v.minor = m.captured(2).toInt();
        v.build = m.captured(3).toInt();
    }
    return v;
}

} // namespace sysinfo
