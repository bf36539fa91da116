#include "schedule/guard.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/error.h"

namespace common {

void guarded(const std::function<void()>& handler) {
    const QString failed = QStringLiteral("データベースの処理でエラーが発生しました");
    try {
        handler();
    } catch (const odbc::Error& e) {
        forms::setMousePointer(0);
        forms::MsgBox(failed + QStringLiteral("\n[%1] %2").arg(e.sqlState(), e.message()), 48);
    } catch (...) {
        // Anything else is a fault of the program, not of the operator's input: the screen
        // stays usable, and the operator is told in the screen's own words.
        forms::setMousePointer(0);
        forms::MsgBox(failed, 48);
    }
}

} // namespace common
