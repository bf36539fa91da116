#include "platform/vbrt/detail.h"
#include "platform/vbrt/vbrt.h"

#include <vector>

namespace vbrt {
namespace {

// One piece of a date pattern: a run of a date letter (y m d h n s, lower case) or literal text.
struct Token {
    char16_t letter = 0;
    int width = 0;
    QString literal;
};

bool isDateLetter(char16_t c) {
    return c == u'y' || c == u'm' || c == u'd' || c == u'h' || c == u'n' || c == u's';
}

std::vector<Token> tokenize(const QString& pattern) {
    std::vector<Token> tokens;
    auto literal = [&](QStringView text) {
        if (tokens.empty() || tokens.back().letter != 0) tokens.push_back(Token{});
        tokens.back().literal += text;
    };
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t c = pattern[i].toLower().unicode();
        if (c == u'"') {
            const qsizetype close = pattern.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            literal(QStringView(pattern).mid(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == u'\\' && i + 1 < n) {
            literal(QStringView(pattern).mid(i + 1, 1));
            i += 2;
        } else if (isDateLetter(c)) {
            qsizetype run = 1;
            while (i + run < n && pattern[i + run].toLower() == c)
                ++run;
            i += run;
            // "yyyy" and "yy" for years, pairs for the rest; what is left over stands alone.
            while (run > 0) {
                const int width = (c == u'y' && run >= 4) ? 4 : run >= 2 ? 2 : 1;
                tokens.push_back(Token{c, width, {}});
                run -= width;
            }
        } else {
            literal(QStringView(pattern).mid(i, 1));
            ++i;
        }
    }
    return tokens;
}

bool hasDateLetter(const std::vector<Token>& tokens) {
    for (const Token& t : tokens)
        if (t.letter != 0) return true;
    return false;
}

// "m" is the minute when it follows an hour or precedes a second, whatever stands between.
bool isMinute(const std::vector<Token>& tokens, size_t k) {
    for (size_t j = k; j-- > 0;) {
        if (tokens[j].letter != 0) {
            if (tokens[j].letter == u'h') return true;
            break;
        }
    }
    for (size_t j = k + 1; j < tokens.size(); ++j) {
        if (tokens[j].letter != 0) return tokens[j].letter == u's';
    }
    return false;
}

// Date parts are never negative. (QString::arg would do the same, several times slower: a list
// formats every line.)
QString number(int value, int width) {
    QString digits = QString::number(value);
    if (digits.size() < width) digits.prepend(QString(width - digits.size(), u'0'));
    return digits;
}

QString formatTokens(const QDateTime& dt, const std::vector<Token>& tokens) {
    const QDate date = dt.date();
    const QTime time = dt.time();
    QString out;
    for (size_t k = 0; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        switch (t.letter) {
        case u'y':
            out += t.width == 4   ? QString::number(date.year())
                   : t.width == 2 ? number(date.year() % 100, 2)
                                  : QString::number(date.dayOfYear());
            break;
        case u'm':
            out += number(isMinute(tokens, k) ? time.minute() : date.month(), t.width);
            break;
        case u'd':
            out += number(date.day(), t.width);
            break;
        case u'h':
            out += number(time.hour(), t.width);
            break;
        case u'n':
            out += number(time.minute(), t.width);
            break;
        case u's':
            out += number(time.second(), t.width);
            break;
        default:
            out += t.literal;
        }
    }
    return out;
}

} // namespace

QString Format(const QDateTime& value, const QString& pattern) {
    if (!value.isValid()) return QString();
    if (pattern.isEmpty()) return dateToText(value);
    const auto tokens = tokenize(pattern);
    if (hasDateLetter(tokens)) return formatTokens(value, tokens);
    return detail::formatNumber(detail::toSerial(value), pattern);
}

QString Format(const QString& text, const QString& pattern) {
    if (pattern.isEmpty()) return text;
    // A list formats every row with one pattern: keep the last pattern's pieces.
    thread_local QString lastPattern;
    thread_local std::vector<Token> lastTokens;
    if (pattern != lastPattern) {
        lastTokens = tokenize(pattern);
        lastPattern = pattern;
    }
    const std::vector<Token>& tokens = lastTokens;
    const bool datePattern = hasDateLetter(tokens);
    if (const auto dt = CDate(text)) {
        if (datePattern) return formatTokens(*dt, tokens);
        return detail::formatNumber(detail::toSerial(*dt), pattern);
    }
    if (const auto n = toDouble(text)) {
        if (!datePattern) return detail::formatNumber(*n, pattern);
        // A number stands for that many days after 1899-12-30.
        if (const auto dt = detail::fromSerial(*n)) return formatTokens(*dt, tokens);
    }
    return text;
}

} // namespace vbrt
