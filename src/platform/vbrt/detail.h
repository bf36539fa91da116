#pragma once
// Helpers shared by the conversion files of vbrt; not part of its interface.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace vbrt::detail {

// A numeric text: a decimal value, or the bits of an "&H"/"&O" literal, whose meaning depends on
// the width of the target type.
struct Number {
    bool radix = false;
    uint64_t bits = 0;
    double value = 0;
};
std::optional<Number> parseNumber(const QString& s);
// Without the white space (blanks, tabs, line ends) around s.
QStringView trimSpace(QStringView s);

// Date values as day numbers since 1899-12-30, the fraction being the time of day.
std::optional<QDateTime> fromSerial(double serial);
double toSerial(const QDateTime& dt);

QString formatNumber(double value, const QString& pattern);

} // namespace vbrt::detail
