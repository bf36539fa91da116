#include "schedule/guard.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/error.h"

namespace common {

void guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const odbc::Error& e) {
        forms::setMousePointer(0);
        forms::MsgBox(QStringLiteral("データベースの処理でエラーが発生しました\n[%1] %2")
                          .arg(e.sqlState(), e.message()),
                      48);
    }
}

} // namespace common
