#pragma once
// The throw-away PostgreSQL servers of the test run: the one stopped and started under a running
// program, and the one behind a link the tests cut silently (scripts/testdb-up).
#include <QString>

namespace testsupport {

// Restarts the test server of `kind` ("postgresql" or "mariadb"; every session is ended) and
// waits until it accepts connections again. Returns an empty text on success, else what the
// server's tools said.
QString restartTestServer(const QString& kind = QStringLiteral("postgresql"));

// The link to the server in its network namespace: cut silently (iptables DROP inside the
// namespace, nothing is refused) both ways or only from the server to the client (requests
// arrive, answers are lost), and restored. Each returns an empty text or what went wrong.
enum class Cut { BothWays, Answers };
QString cutLink(Cut how);
QString restoreLink();
// Tears down this machine's connections to the server behind the link, as the TCP stack does in
// the end with a connection whose answers are lost for good.
QString dropConnectionsToServer();
// Why the server behind the cuttable link is missing, or empty when it is there.
QString cuttableServerMissing();

// Runs one statement on the server behind the link through its Unix socket, which no cut
// reaches; returns its first value (psql's unaligned output), or an empty text.
QString serverQuery(const QString& sql);

} // namespace testsupport
