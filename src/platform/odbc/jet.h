#pragma once
#include <QString>

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

} // namespace odbc
