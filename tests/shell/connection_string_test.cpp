// The connection string built from the settings.
#include "shell/database.h"
#include <gtest/gtest.h>

TEST(ConnectionString, ValuesGoInAsTheyAre) {
    EXPECT_EQ(database::Build_ConnStr("EDIDB", "EDIUSR", ""), "DSN=EDIDB;UID=EDIUSR;PWD=;");
    EXPECT_EQ(database::Build_ConnStr("EDI DB", "a=b", "p@ss word"),
              "DSN=EDI DB;UID=a=b;PWD=p@ss word;");
}

TEST(ConnectionString, SemicolonsAndBracesAreWrapped) {
    EXPECT_EQ(database::Build_ConnStr("EDIDB", "us;er", "pa;ss"),
              "DSN=EDIDB;UID={us;er};PWD={pa;ss};");
    EXPECT_EQ(database::Build_ConnStr("EDIDB", "u", "a}b{c"), "DSN=EDIDB;UID=u;PWD={a}}b{c};");
}

TEST(SqlText, QuotesAreDoubled) {
    EXPECT_EQ(database::Sql_Text("C01"), "C01");
    EXPECT_EQ(database::Sql_Text("O'Hara''"), "O''Hara''''");
}
