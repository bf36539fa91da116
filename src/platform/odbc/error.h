#pragma once
#include <QString>
#include <stdexcept>

namespace odbc {

// A failure reported by the driver manager or driver: SQLSTATE and the driver's text
// (first diagnostic record only).
class Error : public std::runtime_error {
public:
    Error(QString sqlState, QString message, int nativeCode = 0);
    const QString& sqlState() const noexcept { return sqlState_; }
    const QString& message() const noexcept { return message_; }
    int nativeCode() const noexcept { return nativeCode_; }

private:
    QString sqlState_;
    QString message_;
    int nativeCode_;
};

// Misuse of the layer: reading a closed result set, a column out of range, an unknown name.
class MisuseError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

} // namespace odbc
