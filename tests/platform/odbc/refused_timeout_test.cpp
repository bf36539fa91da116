// A driver that refuses the query time-out: each statement fails with its diagnostic and its
// handle is freed all the same.
#include "platform/odbc/connection.h"
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

TEST(RefusedQueryTimeOut, FreesTheStatementHandle) {
    odbc::Environment env;
    odbc::Connection c(env);
    c.open(QStringLiteral("Driver=" EDI_REFUSING_DRIVER ";"));
    c.setQueryTimeout(300);
    void* driver = dlopen(EDI_REFUSING_DRIVER, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(driver, nullptr) << "the driver manager did not load " EDI_REFUSING_DRIVER;
    const auto statements =
        reinterpret_cast<int (*)()>(dlsym(driver, "refusing_driver_statements"));
    ASSERT_NE(statements, nullptr);
    for (int i = 0; i < 3; ++i) {
        try {
            c.execute(QStringLiteral("DELETE FROM t"));
            ADD_FAILURE() << "the refused time-out went unnoticed";
        } catch (const odbc::Error& e) {
            EXPECT_EQ(e.sqlState(), QStringLiteral("HYC00")) << e.what();
        }
    }
    EXPECT_EQ(statements(), 0);
    dlclose(driver);
}

} // namespace
