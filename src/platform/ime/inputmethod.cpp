#include "platform/ime/inputmethod.h"
#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

namespace ime {

namespace {

// Qt loads the input context plugin that QT_IM_MODULE names.
bool usesFcitx() {
    return qEnvironmentVariable("QT_IM_MODULE").startsWith(QLatin1String("fcitx"));
}

} // namespace

// fcitx5's controller switches the most recently focused input context. The Qt frontend sends
// its FocusIn over its own session-bus connection, named "fcitx"; sending on that connection
// keeps this request behind the FocusIn, so it reaches the context that has just got the
// focus. The call is not waited for: a missing or busy fcitx5 costs the screen nothing.
bool switchOff() {
    if (!usesFcitx()) return false;
    QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fcitx"));
    if (!bus.isConnected()) return false;
    return bus.send(QDBusMessage::createMethodCall(
        QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
        QStringLiteral("org.fcitx.Fcitx.Controller1"), QStringLiteral("Deactivate")));
}

} // namespace ime
