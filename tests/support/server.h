#pragma once
// The throw-away PostgreSQL server of the test run, stopped and started under a running program.
#include <QString>

namespace testsupport {

// Restarts the test cluster (fast shutdown: every session is ended) and waits until it accepts
// connections again. Returns an empty text on success, else what pg_ctl said.
QString restartTestServer();

} // namespace testsupport
