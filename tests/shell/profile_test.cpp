// The workstation profile from the Linux sources.
#include "shell/cprofile.h"
#include "shell/workarea.h"
#include <QRegularExpression>
#include <QSysInfo>
#include <gtest/gtest.h>
#include <sys/utsname.h>

TEST(Profile, ValuesComeInTheirForms) {
    utsname u{};
    ASSERT_EQ(uname(&u), 0);
    const cProfile p;
    EXPECT_EQ(p.OS(), QString::fromLocal8Bit(u.sysname));
    // Major and minor of the kernel release, joined by ".".
    const QStringList parts = QString::fromLocal8Bit(u.release).split(QRegularExpression("[.-]"));
    EXPECT_EQ(p.Ver(), parts.value(0) + "." + parts.value(1));
    bool numeric = false;
    p.Build().toInt(&numeric);
    EXPECT_TRUE(numeric) << p.Build().toStdString();
    EXPECT_EQ(p.machine(), QSysInfo::machineHostName());
    EXPECT_FALSE(p.User().isEmpty());

    profile::Get_Profile();
    EXPECT_EQ(workarea::g_OsName, p.OS());
    EXPECT_EQ(workarea::g_OsVer, p.Ver());
    EXPECT_EQ(workarea::g_WinUser, p.User());
    EXPECT_EQ(workarea::g_MachineName, p.machine());
}
