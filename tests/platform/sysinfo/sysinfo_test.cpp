#include "platform/sysinfo/sysinfo.h"

#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QVersionNumber>
#include <gtest/gtest.h>
#include <sys/utsname.h>

namespace {

// Output of a system tool, or nullopt when the tool is missing or fails.
std::optional<QString> run(const QString& program, const QStringList& args) {
    if (QStandardPaths::findExecutable(program).isEmpty()) return std::nullopt;
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(SysInfo, OsVersionIsTheKernel) {
    const auto v = sysinfo::osVersion();
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->systemName.toLower(), QSysInfo::kernelType());
    EXPECT_EQ(v->release, QSysInfo::kernelVersion());
    const QVersionNumber expected = QVersionNumber::fromString(QSysInfo::kernelVersion());
    EXPECT_GT(v->major, 0);
    EXPECT_EQ(v->major, expected.majorVersion());
    EXPECT_EQ(v->minor, expected.minorVersion());
    EXPECT_EQ(v->build, expected.microVersion());
}

TEST(SysInfo, ComputerNameIsTheHostName) {
    const auto name = sysinfo::computerName();
    ASSERT_TRUE(name.has_value());
    EXPECT_FALSE(name->isEmpty());
    EXPECT_EQ(*name, QSysInfo::machineHostName());
}

TEST(SysInfo, UserNameIsTheEffectiveUser) {
    const auto user = sysinfo::userName();
    ASSERT_TRUE(user.has_value());
    EXPECT_FALSE(user->isEmpty());
    if (const auto id = run(QStringLiteral("id"), {QStringLiteral("-un")})) {
        EXPECT_EQ(*user, *id);
    }
}

TEST(SysInfo, DomainIsNisElseDns) {
    utsname u{};
    ASSERT_EQ(uname(&u), 0);
    const QString nis = QString::fromLocal8Bit(u.domainname);
    const auto domain = sysinfo::domainName();
    if (!nis.isEmpty() && nis != QLatin1String("(none)")) {
        EXPECT_EQ(domain, std::optional<QString>(nis));
        return;
    }
    const auto dns = run(QStringLiteral("hostname"), {QStringLiteral("-d")});
    if (!dns) GTEST_SKIP() << "hostname -d is not available to compare with";
    if (dns->isEmpty()) {
        EXPECT_FALSE(domain.has_value()) << domain->toStdString();
    } else {
        EXPECT_EQ(domain, std::optional<QString>(*dns));
    }
}
