#pragma once
#include <QString>
#include <vector>

namespace odbc {

// Turns the Jet-only forms of a statement into ODBC canonical SQL, leaving quoted strings
// ('...' with '' escapes, and "..." identifiers) untouched:
//  #HH:MM# / #HH:MM:SS# -> {t 'HH:MM:SS'}; #Y/M/D# or #YYYY-MM-DD# -> {d 'YYYY-MM-DD'};
//  a date and time -> {ts 'YYYY-MM-DD HH:MM:SS'};
//  half-width katakana (U+FF61..U+FF9F) outside quotes -> full-width (NFKC, voiced marks composed);
//  UPDATE t SET t.c = ... -> UPDATE t SET c = ... (qualified SET targets are Jet-only);
//  for a DBMS named "PostgreSQL", which sorts Null as the highest value, every ORDER BY key
//  gets NULLS FIRST (ascending) or NULLS LAST (DESC), so that Null sorts lowest as in Jet.
QString translateJet(const QString& sql, const QString& dbms = {});

// A value of a statement, sent beside its text for one `?` marker.
struct Parameter {
    enum class Type { Text, Date, Time, Timestamp };
    Type type = Type::Text;
    QString value; // Date "YYYY-MM-DD", Time "HH:MM:SS", Timestamp "YYYY-MM-DD HH:MM:SS"
    bool operator==(const Parameter&) const = default;
};

struct BoundStatement {
    QString text;
    std::vector<Parameter> parameters;
};

// translateJet, except that no value stays in the text of a query or data change (SELECT,
// INSERT, UPDATE, DELETE): each '...' literal (its doubled quotes made single) and each date or
// time literal between '#' becomes a `?` marker and a parameter, in order. Other statements
// (schema scripts) cannot take parameters and keep their literals. For ACCESS only the values
// are taken out. Throws MisuseError for a quoted value that is never closed.
BoundStatement bindJet(const QString& sql, const QString& dbms = {});

} // namespace odbc
