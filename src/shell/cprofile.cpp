#include "shell/cprofile.h"
#include "platform/sysinfo/sysinfo.h"
#include "shell/workarea.h"

cProfile::cProfile() {
    // A failed version read leaves the record zero, as the original did.
    sysinfo::OsVersion v;
    if (auto read = sysinfo::osVersion()) v = *read;
    os_ = v.systemName.isEmpty() ? QStringLiteral("Unknown OS") : v.systemName;
    ver_ = QString::number(v.major) + QLatin1Char('.') + QString::number(v.minor);
    build_ = QString::number(v.build);
    csdVer_ = v.release;
    domain_ = sysinfo::domainName().value_or(QString());
    machine_ = sysinfo::computerName().value_or(QString());
    user_ = sysinfo::userName().value_or(QString());
}

namespace profile {

void Get_Profile() {
    const cProfile p;
    workarea::g_OsName = p.OS();
    workarea::g_OsVer = p.Ver();
    workarea::g_WinUser = p.User();
    workarea::g_MachineName = p.machine();
}

} // namespace profile
