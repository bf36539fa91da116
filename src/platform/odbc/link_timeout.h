#pragma once
// Internal: the settings that make a driver notice a silently dead link (a cut cable, a VPN that
// drops every packet) in seconds instead of the ~15 minutes the TCP stack retransmits for.
#include <QString>

namespace odbc::detail {

// For psqlODBC: libpq's TCP settings for a link that stops answering within `seconds`:
// keep-alives every seconds/3 once the link has been silent that long (a statement waiting for
// its answer), and the TCP user time-out of `seconds` (data or a login the server never
// acknowledged). psqlODBC takes the keep-alives as KeepaliveTime/KeepaliveInterval and the rest
// through pqopt, which replaces the data source's own pqopt, so `dsnPqopt` (the data source's
// pqopt, or the connection string's own) goes in first; libpq keeps the last value of a key.
QString addPsqlodbcLinkTimeout(const QString& connectionString, const QString& dsnPqopt,
                               int seconds);

// The connection string with the link time-out of its driver added, where the driver is one
// that takes it (psqlODBC, found through the DRIVER= of the string or the data source's Driver
// entry in odbc.ini and odbcinst.ini); otherwise the string as given.
QString withLinkTimeout(const QString& connectionString, int seconds);

// The value of attribute `key` of an ODBC connection string (braces removed, "}}" undone), or a
// null string when the string has none.
QString connectionAttribute(const QString& connectionString, const QString& key);

} // namespace odbc::detail
