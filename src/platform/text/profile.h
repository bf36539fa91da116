#pragma once
// Reading of Windows profile files (INI) with the rules of GetPrivateProfileStringA.
#include <QString>

namespace text {

// The value of key in section of the file at path, or defaultValue when the file, the section
// or the key is missing. The result is cut to bufferSize - 1 bytes of its CP932 form (never half
// a character), as the Windows call does with a buffer of bufferSize bytes.
// The file may be UTF-8 (BOM skipped) or CP932 (a file that is not valid UTF-8).
QString getPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize, const QString& path);

} // namespace text
