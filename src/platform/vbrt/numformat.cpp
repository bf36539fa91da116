#include "platform/vbrt/detail.h"

#include <cmath>

namespace vbrt::detail {
namespace {

bool isPlaceholder(QChar c) {
    return c == u'0' || c == u'#' || c == u'.' || c == u',';
}

// A numeric pattern: the literal text before and after its digit placeholders, and the
// placeholders themselves. Quoted text and "\x" are literal.
struct NumberPattern {
    QString prefix;
    QString placeholders;
    QString suffix;
};

NumberPattern splitPattern(const QString& pattern) {
    NumberPattern p;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        QChar c = pattern[i];
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        bool literal = quoted;
        if (!quoted && c == u'\\' && i + 1 < pattern.size()) {
            c = pattern[++i];
            literal = true;
        }
        if (!literal && c == u';') break; // only the first section is used
        if (!literal && isPlaceholder(c)) {
            p.suffix.clear(); // literal text between placeholders drops out
            p.placeholders += c;
        } else if (p.placeholders.isEmpty()) {
            p.prefix += c;
        } else {
            p.suffix += c;
        }
    }
    return p;
}

// Adds one unit in the last place of a digit string; "99" becomes "100".
void incrementDigits(QString& digits) {
    for (qsizetype i = digits.size(); i-- > 0;) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
        digits[i] = u'0';
    }
    digits.prepend(u'1');
}

} // namespace

QString formatNumber(double value, const QString& patternText) {
    if (!std::isfinite(value)) return QString::number(value);
    const NumberPattern pattern = splitPattern(patternText);
    const QStringView core(pattern.placeholders);
    const qsizetype point = core.indexOf(u'.');
    const QStringView intPattern = point < 0 ? core : core.left(point);
    const QStringView fracPattern = point < 0 ? QStringView() : core.mid(point + 1);
    const int minInt = static_cast<int>(intPattern.count(u'0'));
    const int minFrac = static_cast<int>(fracPattern.count(u'0'));
    const int maxFrac = minFrac + static_cast<int>(fracPattern.count(u'#'));
    const bool grouping = intPattern.contains(u',');

    // Round the 15 significant digits the runtime works with, half away from zero, so that
    // 1.005 gives 1.01 as it did there.
    const QString sci = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde+XX
    const QString digits = sci.left(1) + sci.mid(2, 14);
    const int intDigits = sci.mid(17).toInt() + 1;
    QString whole;
    QString fraction;
    if (intDigits <= 0) {
        fraction = QString(-intDigits, u'0') + digits;
    } else if (intDigits >= digits.size()) {
        whole = digits + QString(intDigits - digits.size(), u'0');
    } else {
        whole = digits.left(intDigits);
        fraction = digits.mid(intDigits);
    }
    if (fraction.size() > maxFrac) {
        const bool up = fraction[maxFrac] >= u'5';
        fraction.truncate(maxFrac);
        if (up) {
            QString all = whole + fraction;
            incrementDigits(all);
            whole = all.left(all.size() - maxFrac);
            fraction = all.right(maxFrac);
        }
    }
    while (fraction.size() > minFrac && fraction.endsWith(u'0'))
        fraction.chop(1);
    while (!whole.isEmpty() && whole.front() == u'0')
        whole.remove(0, 1);
    if (whole.size() < minInt) whole.prepend(QString(minInt - whole.size(), u'0'));
    if (grouping) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, u',');
    }

    QString out = pattern.prefix;
    if (value < 0) out += u'-';
    out += whole;
    if (point >= 0) out += u'.' + fraction;
    return out + pattern.suffix;
}

} // namespace vbrt::detail
