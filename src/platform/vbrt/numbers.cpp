#include "platform/vbrt/detail.h"
#include "platform/vbrt/vbrt.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vbrt {
namespace detail {
namespace {

bool isSpace(QChar c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

std::optional<Number> parseRadix(QStringView s) {
    const char16_t kind = s[1].toUpper().unicode();
    const int shift = kind == u'H' ? 4 : kind == u'O' ? 3 : 0;
    if (shift == 0 || s.size() < 3) return std::nullopt;
    Number n;
    n.radix = true;
    for (QChar c : s.mid(2)) {
        int digit = -1;
        if (isDigit(c))
            digit = c.unicode() - u'0';
        else if (shift == 4 && c.toUpper() >= u'A' && c.toUpper() <= u'F')
            digit = c.toUpper().unicode() - u'A' + 10;
        if (digit < 0 || digit >= (1 << shift)) return std::nullopt;
        if (n.bits >> (64 - shift)) return std::nullopt; // more than 64 bits
        n.bits = (n.bits << shift) | static_cast<uint64_t>(digit);
    }
    return n;
}

constexpr long kExponentBound = 1'000'000'000;

std::optional<Number> parseDecimal(QStringView s) {
    // sign? digits* [. digits*] [e sign? digits+], at least one mantissa digit
    std::string ascii;
    qsizetype i = 0;
    if (s[i] == u'+' || s[i] == u'-') {
        if (s[i] == u'-') ascii += '-';
        ++i;
    }
    int mantissaDigits = 0;
    int integerDigits = 0;
    bool leading = true;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            ++mantissaDigits;
            if (s[i] != u'0') leading = false;
            if (!point && !leading) ++integerDigits;
        } else if (s[i] == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        ascii += static_cast<char>(s[i].unicode());
    }
    if (mantissaDigits == 0) return std::nullopt;
    long exponent = 0;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            ascii += static_cast<char>(s[i++].unicode());
        const qsizetype expStart = i;
        while (i < s.size() && isDigit(s[i]))
            ascii += static_cast<char>(s[i++].unicode());
        if (i == expStart) return std::nullopt;
        // strtol saturates; the bound keeps the sum below from overflowing, and an exponent
        // that large says all there is to say about the magnitude.
        exponent = std::clamp(std::strtol(ascii.c_str() + ascii.find('e') + 1, nullptr, 10),
                              -kExponentBound, kExponentBound);
    }
    if (i != s.size()) return std::nullopt;

    Number n;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), n.value);
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent is zero; too large is an overflow.
        if (integerDigits + exponent > 0) return std::nullopt;
        n.value = 0;
    } else if (ec != std::errc() || end != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return n;
}

} // namespace

QStringView trimSpace(QStringView s) {
    while (!s.isEmpty() && isSpace(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isSpace(s.back()))
        s.chop(1);
    return s;
}

std::optional<Number> parseNumber(const QString& text) {
    const QStringView s = trimSpace(text);
    if (s.isEmpty()) return std::nullopt;
    if (s.front() == u'&') return s.size() >= 2 ? parseRadix(s) : std::nullopt;
    return parseDecimal(s);
}

} // namespace detail

namespace {

double roundHalfEven(double v) {
    const double r = std::round(v); // half away from zero
    if (std::fabs(v - std::trunc(v)) == 0.5) return 2.0 * std::round(v / 2.0);
    return r;
}

template <typename T> std::optional<T> toIntegral(const QString& s) {
    const auto n = detail::parseNumber(s);
    if (!n) return std::nullopt;
    using U = std::make_unsigned_t<T>;
    if (n->radix) {
        // A literal of the type's width is its bit pattern: "&HFFFF" is -1 as an Integer.
        if (n->bits > std::numeric_limits<U>::max()) return std::nullopt;
        return static_cast<T>(static_cast<U>(n->bits));
    }
    const double r = roundHalfEven(n->value);
    if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max()) return std::nullopt;
    return static_cast<T>(r);
}

} // namespace

std::optional<double> toDouble(const QString& s) {
    const auto n = detail::parseNumber(s);
    if (!n) return std::nullopt;
    if (!n->radix) return n->value;
    // Up to 32 bits a literal is a Long (so "&H80000005" is negative); wider ones are unsigned.
    if (n->bits <= 0xFFFFFFFFu) return static_cast<double>(static_cast<int32_t>(n->bits));
    return static_cast<double>(n->bits);
}

std::optional<int16_t> toInteger(const QString& s) {
    return toIntegral<int16_t>(s);
}

std::optional<int32_t> toLong(const QString& s) {
    return toIntegral<int32_t>(s);
}

std::optional<bool> toBoolean(const QString& s) {
    const QStringView t = detail::trimSpace(s);
    if (t.compare(u"True", Qt::CaseInsensitive) == 0) return true;
    if (t.compare(u"False", Qt::CaseInsensitive) == 0) return false;
    const auto d = toDouble(s);
    if (!d) return std::nullopt;
    return *d != 0;
}

} // namespace vbrt
