#include "platform/vbrt/detail.h"
#include "platform/vbrt/vbrt.h"

#include <QRegularExpression>
#include <cmath>

namespace vbrt {
namespace {

const QDate kDayZero(1899, 12, 30);
// The runtime's date range: 100-01-01 .. 9999-12-31.
constexpr double kMinSerial = -657434.0;
constexpr double kMaxSerial = 2958466.0;

int expandYear(int y) {
    if (y < 30) return 2000 + y;
    if (y < 100) return 1900 + y;
    return y;
}

// H:M or H:M:S with one or two digits each; scanned by hand because the list fill formats
// every stored time.
std::optional<QTime> parseTime(const QString& s) {
    int parts[3] = {0, 0, 0};
    int count = 0;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (count < 3) {
        int digits = 0;
        int value = 0;
        while (i < n && digits < 3 && s[i] >= u'0' && s[i] <= u'9') {
            value = value * 10 + (s[i].unicode() - u'0');
            ++digits;
            ++i;
        }
        if (digits == 0 || digits > 2) return std::nullopt;
        parts[count++] = value;
        if (i == n) break;
        if (s[i] != u':') return std::nullopt;
        ++i;
    }
    if (i != n || count < 2) return std::nullopt;
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
    return QTime(parts[0], parts[1], parts[2]);
}

std::optional<QDate> validDate(int y, int m, int d) {
    const QDate date(y, m, d);
    if (!date.isValid()) return std::nullopt;
    return date;
}

std::optional<QDate> parseDate(const QString& s) {
    static const QRegularExpression ymd(QStringLiteral("^([0-9]{1,4})/([0-9]{1,2})/([0-9]{1,2})$"));
    static const QRegularExpression pair(QStringLiteral("^([0-9]{1,4})/([0-9]{1,2})$"));
    static const QRegularExpression iso(QStringLiteral("^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})$"));
    if (const auto m = ymd.match(s); m.hasMatch())
        return validDate(expandYear(m.captured(1).toInt()), m.captured(2).toInt(),
                         m.captured(3).toInt());
    if (const auto m = iso.match(s); m.hasMatch())
        return validDate(expandYear(m.captured(1).toInt()), m.captured(2).toInt(),
                         m.captured(3).toInt());
    if (const auto m = pair.match(s); m.hasMatch()) {
        const int a = m.captured(1).toInt();
        const int b = m.captured(2).toInt();
        // Month and day of this year; failing that, a year written in full and a month.
        if (const auto md = validDate(QDate::currentDate().year(), a, b)) return md;
        if (m.capturedLength(1) >= 3) return validDate(expandYear(a), b, 1);
    }
    return std::nullopt;
}

std::optional<QDateTime> parseDateTime(const QString& text) {
    const QString t = detail::trimSpace(text).toString();
    const qsizetype blank = t.indexOf(u' ');
    if (blank < 0) {
        if (const auto time = parseTime(t)) return QDateTime(kDayZero, *time, Qt::UTC);
        if (const auto date = parseDate(t)) return QDateTime(*date, QTime(0, 0), Qt::UTC);
        return std::nullopt;
    }
    const auto date = parseDate(t.left(blank));
    const auto time = parseTime(detail::trimSpace(QStringView(t).mid(blank)).toString());
    if (!date || !time) return std::nullopt;
    return QDateTime(*date, *time, Qt::UTC);
}

} // namespace

namespace detail {

std::optional<QDateTime> fromSerial(double serial) {
    if (!(serial >= kMinSerial && serial < kMaxSerial)) return std::nullopt;
    // Before day zero the fraction still counts forward from midnight: -1.25 is 1899-12-29 06:00.
    double days = std::trunc(serial);
    qint64 secs = std::llround(std::fabs(serial - days) * 86400.0);
    if (secs >= 86400) {
        secs = 0;
        days += serial < 0 ? -1 : 1;
    }
    return QDateTime(kDayZero.addDays(static_cast<qint64>(days)), QTime(0, 0).addSecs(secs),
                     Qt::UTC);
}

double toSerial(const QDateTime& dt) {
    const double days = static_cast<double>(kDayZero.daysTo(dt.date()));
    const double fraction = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return days < 0 ? days - fraction : days + fraction;
}

} // namespace detail

bool IsDate(const QString& s) {
    return parseDateTime(s).has_value();
}

std::optional<QDateTime> CDate(const QString& s) {
    return parseDateTime(s);
}

QString dateToText(const QDateTime& dt) {
    if (!dt.isValid()) return QString();
    const QString time = dt.time().toString(QStringLiteral("H:mm:ss"));
    if (dt.date() == kDayZero) return time;
    const QString date = dt.date().toString(QStringLiteral("yyyy/MM/dd"));
    if (dt.time() == QTime(0, 0)) return date;
    return date + u' ' + time;
}

} // namespace vbrt
