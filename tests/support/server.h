#pragma once
// The throw-away PostgreSQL server of the test run, stopped and started under a running program.
#include <QString>

namespace testsupport {

// Restarts the test server of `kind` ("postgresql" or "mariadb"; every session is ended) and
// waits until it accepts connections again. Returns an empty text on success, else what the
// server's tools said.
QString restartTestServer(const QString& kind = QStringLiteral("postgresql"));

} // namespace testsupport
