#include "platform/forms/dispatch.h"
#include "platform/forms/runtime.h"
#include <QString>
#include <stdexcept>

namespace forms {
namespace {

FailureHandler& failureHandler() {
    static FailureHandler handler;
    return handler;
}

} // namespace

void setFailureHandler(FailureHandler handler) {
    failureHandler() = std::move(handler);
}

namespace detail {

void reportFailure(const QString& what) {
    if (const auto& handler = failureHandler()) {
        handler(std::runtime_error(what.toStdString()));
        return;
    }
    setMousePointer(0);
    MsgBox(what, 16);
}

void reportFailure(const std::exception& e) {
    if (const auto& handler = failureHandler()) {
        handler(e);
        return;
    }
    const QString text = QString::fromUtf8(e.what());
    reportFailure(text.isEmpty() || text == QLatin1String("std::exception")
                      ? QStringLiteral("予期しないエラーが発生しました")
                      : text);
}

} // namespace detail
} // namespace forms
