#include "shell/guard.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"

namespace shell {

void reportFailure(const std::exception& failure) {
    const QString failed = QStringLiteral("データベースの処理でエラーが発生しました");
    forms::setMousePointer(0);
    // Anything but a database error is a fault of the program, not of the operator's input:
    // the operator is told in the screen's own words, never in the toolkit's English.
    // A lost link is named in the program's words: the driver's text is long, English and
    // names the server's address.
    const auto* e = dynamic_cast<const odbc::Error*>(&failure);
    if (e && odbc::isLinkFailure(*e))
        forms::MsgBox(failed + QStringLiteral("\n[%1] 接続エラー").arg(e->sqlState()), 48);
    else if (e)
        forms::MsgBox(failed + QStringLiteral("\n[%1] %2").arg(e->sqlState(), e->message()), 48);
    else
        forms::MsgBox(failed, 48);
}

void guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        reportFailure(e);
    } catch (...) {
        reportFailure(std::exception());
    }
}

} // namespace shell
