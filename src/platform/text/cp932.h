#pragma once
// Byte lengths and byte cuts of the CP932 (Shift-JIS) form of a text.
#include <QByteArray>
#include <QString>

namespace text {

// CP932 bytes of s; a character CP932 cannot represent becomes "?" (one byte).
QByteArray toCp932(const QString& s);
// Text of CP932 bytes; invalid sequences become U+FFFD.
QString fromCp932(const QByteArray& bytes);
// Number of bytes of the CP932 form of s (an unrepresentable character counts 1).
int cp932ByteLength(const QString& s);
// The longest leading part of s whose CP932 form has at most maxBytes bytes; never half a
// double-byte character. maxBytes <= 0 gives "".
QString cp932Left(const QString& s, int maxBytes);

} // namespace text
