#include "platform/forms/dispatch.h"
#include "platform/forms/runtime.h"
#include <QString>

namespace forms::detail {

void reportFailure(const QString& what) {
    MsgBox(what, 16);
}

void reportFailure(const std::exception& e) {
    const QString text = QString::fromUtf8(e.what());
    reportFailure(text.isEmpty() || text == QLatin1String("std::exception")
                      ? QStringLiteral("予期しないエラーが発生しました")
                      : text);
}

} // namespace forms::detail
