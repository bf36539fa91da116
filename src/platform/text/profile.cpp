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

// UTF-8 (with or without byte-order mark), else CP932: the program's own files are ANSI.
QString decodeProfile(const QByteArray& raw) {
    if (raw.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(raw.constData() + 3, raw.size() - 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(raw);
    if (!utf8.hasError()) return decoded;
    return fromCp932(raw);
}

std::optional<QString> findValue(const QString& content, QStringView section, QStringView key) {
    bool inSection = false;
    const QStringView all(content);
    qsizetype pos = 0;
    while (pos <= all.size()) {
        qsizetype end = pos;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const QStringView line = trimBlanks(all.mid(pos, end - pos));
        pos = end + 1;

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

QString getPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize, const QString& path) {
    std::optional<QString> value;
    const QStringView wantedKey = trimBlanks(key);
    QFile file(path);
    if (!wantedKey.isEmpty() && file.open(QIODevice::ReadOnly))
        value = findValue(decodeProfile(file.readAll()), trimBlanks(section), wantedKey);
    if (!value) {
        // Windows drops trailing blanks of the default.
        QString def = defaultValue;
        while (def.endsWith(u' '))
            def.chop(1);
        value = def;
    }
    return cp932Left(*value, bufferSize - 1);
}

} // namespace text
