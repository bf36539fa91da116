#pragma once
// Reading of Windows profile files (INI) with the rules of GetPrivateProfileStringA.
#include <QString>
#include <QStringList>

namespace text {

// A profile file read and decoded once, for any number of look-ups. The encoding is decided per
// line: a line that is valid UTF-8 is UTF-8, any other line CP932, so one stray byte spoils
// only its own line. A UTF-8 byte-order mark is skipped; a UTF-16 file is known by its mark.
class ProfileFile {
public:
    // A missing or unreadable file reads as one without sections.
    explicit ProfileFile(const QString& path);

    // The value of key in section, or defaultValue when the file, the section or the key is
    // missing. The result is cut to bufferSize - 1 bytes of its CP932 form (never half a
    // character), as the Windows call does with a buffer of bufferSize bytes.
    QString value(const QString& section, const QString& key, const QString& defaultValue,
                  int bufferSize) const;

private:
    QStringList lines_;
};

// One look-up in the file at path (read for this call alone).
QString getPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize, const QString& path);

} // namespace text
