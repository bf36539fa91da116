#pragma once
// Runtime conversions the program relies on, with the results of the original runtime
// (Japanese locale of the original workstation, whatever the machine's locale).
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace vbrt {

// Removes ASCII spaces only (not tabs, not U+3000).
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);

// Decimal with optional sign, point, exponent and surrounding blanks; "&H" hex, "&O" octal.
// Empty or non-numeric text: nullopt.
std::optional<double> toDouble(const QString& s);
// 16-bit integer: rounds half to even; nullopt outside -32768..32767 or non-numeric.
std::optional<int16_t> toInteger(const QString& s);
// 32-bit integer, same rules, range of int32.
std::optional<int32_t> toLong(const QString& s);
// "True"/"False" in any case (blanks around allowed), or a number (0 = false). Else nullopt.
std::optional<bool> toBoolean(const QString& s);

// A text is a date when it reads as a time H:M[:S] (hours 0-23, minutes and seconds 0-59),
// a date Y/M/D or M/D (current year), an ISO YYYY-MM-DD, or a date followed by a time.
// Two-digit years 00-29 are 20xx, 30-99 19xx. A bare number is not a date.
bool IsDate(const QString& s);
// The date/time value of a text that IsDate accepts; a time alone has the date 1899-12-30.
std::optional<QDateTime> CDate(const QString& s);
// Short date text yyyy/MM/dd (and " H:mm:ss" when there is a time part; a time alone gives
// "H:mm:ss"), as the original runtime converted a date to text.
QString dateToText(const QDateTime& dt);

// Format(text, pattern): a date text is formatted with the pattern; a numeric text is taken as a
// number of days since 1899-12-30 (time 00:00) for date patterns and as a number for numeric
// patterns ("00", "0.0", "#,##0"); any other text comes back unchanged.
// Date patterns, case-insensitive: yyyy yy mm dd hh nn ss and literal separators;
// "mm" right after "hh" (or before "ss") means minutes.
QString Format(const QString& text, const QString& pattern);
// The same formatting for a date/time value.
QString Format(const QDateTime& value, const QString& pattern);

} // namespace vbrt
