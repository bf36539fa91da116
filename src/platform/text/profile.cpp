#include "platform/text/profile.h"

#include "platform/text/cp932.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringView>
#include <optional>

namespace text {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\v';
}

QStringView trimBlanks(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

char16_t foldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Names compare with ASCII letters folded only, as the Windows call does.
bool sameName(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i].unicode()) != foldAscii(b[i].unicode())) return false;
    }
    return true;
}

QStringView stripQuotes(QStringView v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

QStringList splitLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\r' || text[i] == u'\n') {
            lines << text.mid(start, i - start).toString();
            start = i + 1;
        }
    }
    return lines;
}

QString decodeLine(QByteArrayView line) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(line);
    if (!utf8.hasError()) return decoded;
    return fromCp932(line.toByteArray());
}

// CP932 never uses CR or LF inside a character, so the bytes split into lines before decoding.
QStringList decodeProfile(QByteArrayView raw) {
    if (raw.startsWith("\xFF\xFE") || raw.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(raw.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                        : QStringDecoder::Utf16BE);
        const QString text = utf16.decode(raw.sliced(2));
        return splitLines(text);
    }
    if (raw.startsWith("\xEF\xBB\xBF")) raw = raw.sliced(3);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= raw.size(); ++i) {
        if (i == raw.size() || raw[i] == '\r' || raw[i] == '\n') {
            lines << decodeLine(raw.sliced(start, i - start));
            start = i + 1;
        }
    }
    return lines;
}

std::optional<QString> findValue(const QStringList& lines, QStringView section, QStringView key) {
    bool inSection = false;
    for (const QString& raw : lines) {
        const QStringView line = trimBlanks(raw);
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            if (close > 0) {
                // Only the first occurrence of a section is searched.
                if (inSection) return std::nullopt;
                inSection = sameName(trimBlanks(line.mid(1, close - 1)), section);
                continue;
            }
        }
        if (!inSection) continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) continue;
        const QStringView name = trimBlanks(line.left(eq));
        if (name.startsWith(u';')) continue;
        if (sameName(name, key)) return stripQuotes(trimBlanks(line.mid(eq + 1))).toString();
    }
    return std::nullopt;
}

} // namespace

ProfileFile::ProfileFile(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) lines_ = decodeProfile(file.readAll());
}

QString ProfileFile::value(const QString& section, const QString& key, const QString& defaultValue,
                           int bufferSize) const {
    std::optional<QString> value;
    const QStringView wantedKey = trimBlanks(key);
    if (!wantedKey.isEmpty()) value = findValue(lines_, trimBlanks(section), wantedKey);
    if (!value) {
        // Windows drops trailing blanks of the default.
        QString def = defaultValue;
        while (def.endsWith(u' '))
            def.chop(1);
        value = def;
    }
    return cp932Left(*value, bufferSize - 1);
}

QString getPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize, const QString& path) {
    return ProfileFile(path).value(section, key, defaultValue, bufferSize);
}

} // namespace text
