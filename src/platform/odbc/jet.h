#pragma once
#include <QString>

namespace odbc {

// Turns the Jet-only forms of a statement into ODBC canonical SQL, leaving quoted strings
// ('...' with '' escapes, and "..." identifiers) untouched:
//  #HH:MM# / #HH:MM:SS# -> {t 'HH:MM:SS'}; #Y/M/D# or #YYYY-MM-DD# -> {d 'YYYY-MM-DD'};
//  a date and time -> {ts 'YYYY-MM-DD HH:MM:SS'};
//  half-width katakana (U+FF61..U+FF9F) outside quotes -> full-width (NFKC, voiced marks composed);
//  UPDATE t SET t.c = ... -> UPDATE t SET c = ... (qualified SET targets are Jet-only).
QString translateJet(const QString& sql);

} // namespace odbc
