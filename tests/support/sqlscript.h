#pragma once
#include "platform/odbc/connection.h"
#include <QString>
#include <QStringList>

namespace testsupport {

// Splits a SQL script into its statements: ';' ends a statement unless it is inside quotes, a
// comment or a BEGIN/CASE ... END block (SQLite trigger bodies). Comments are dropped; the
// statements come without their ';'. Not for scripts that use BEGIN as a statement.
QStringList splitSqlScript(const QString& script);

// Executes every statement of the UTF-8 file `path` on `connection`, in order; throws
// std::runtime_error when the file cannot be read and odbc::Error when a statement fails.
void runSqlFile(odbc::Connection& connection, const QString& path);

} // namespace testsupport
