#pragma once
// Internal: what the program adds to a psqlODBC connection string. A silently dead link (a cut
// cable, a VPN that drops every packet) is noticed in seconds instead of the ~15 minutes the
// TCP stack retransmits for, and every call of the program costs one round trip to the server:
// the time-outs travel in the login, each statement goes as one message with its values, and
// the driver runs no cursor, savepoint or catalog query of its own.
#include <QString>

namespace odbc::detail {

struct SessionOptions {
    int linkTimeout = 0;   // seconds; 0: none
    int queryTimeout = -1; // seconds; negative: none
    int lockTimeout = -1;  // seconds; negative: none
};

struct DriverString {
    QString connectionString;
    // psqlODBC with the options below: statements may be joined by ";" into one message, and
    // results read in batches through a cursor of the program's own.
    bool psqlodbc = false;
    // The query and lock time-outs are the session's from its login on (libpq's options).
    bool timeoutsInSession = false;
};

// For psqlODBC:
// - libpq's TCP settings for a link that stops answering within linkTimeout: keep-alives every
//   linkTimeout/3 once the link has been silent that long (a statement waiting for its
//   answer), and the TCP user time-out (data or a login the server never acknowledged);
// - the query and lock time-outs as the session's statement_timeout and lock_timeout, set by
//   the login itself (the driver would otherwise send a SET around statements), unless the
//   data source's own pqopt has options of its own;
// - plain reads (UseDeclareFetch=0: a cursor only where the program opens one), values put into
//   the statement by the driver (UseServerSidePrepare=0: a statement, a transaction's BEGIN
//   and a COMMIT joined to it travel as one message) and a failed statement rolling back its
//   transaction (Protocol=7.4-1: no savepoint before every statement; the program rolls back
//   the whole transaction on any failure anyway).
// psqlODBC takes the keep-alives as KeepaliveTime/KeepaliveInterval and the rest through pqopt,
// which replaces the data source's own pqopt, so `dsnPqopt` (the data source's pqopt, or the
// connection string's own) goes in first; libpq keeps the last value of a key.
DriverString addPsqlodbcOptions(const QString& connectionString, const QString& dsnPqopt,
                                const SessionOptions& options);

// The connection string with the options of its driver added, where the driver is psqlODBC
// (found through the DRIVER= of the string or the data source's Driver entry in odbc.ini and
// odbcinst.ini); otherwise the string as given.
DriverString withDriverOptions(const QString& connectionString, const SessionOptions& options);

// The value of attribute `key` of an ODBC connection string (braces removed, "}}" undone), or a
// null string when the string has none.
QString connectionAttribute(const QString& connectionString, const QString& key);

} // namespace odbc::detail
