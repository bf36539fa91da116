#include "platform/ime/inputmethod.h"
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QString>

namespace ime {

namespace {

// Qt loads the input context plugin that QT_IM_MODULE names.
bool uses(QLatin1String module) {
    return qEnvironmentVariable("QT_IM_MODULE").startsWith(module);
}

// fcitx5's controller switches the most recently focused input context. The Qt frontend sends
// its FocusIn over its own session-bus connection, named "fcitx"; sending on that connection
// keeps this request behind the FocusIn, so it reaches the context that has just got the
// focus.
bool switchOffFcitx() {
    QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fcitx"));
    if (!bus.isConnected()) return false;
    return bus.send(QDBusMessage::createMethodCall(
        QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
        QStringLiteral("org.fcitx.Fcitx.Controller1"), QStringLiteral("Deactivate")));
}

// ibus has no switch of its own; its mozc engine offers "direct input" as a property of the
// input context. Qt's ibus module talks to ibus on a connection named "QIBusProxy", one input
// context for the whole program; asked on that connection, ibus names the context that has
// the focus after the module's FocusIn.
bool switchOffIbus() {
    QDBusConnection bus(QStringLiteral("QIBusProxy"));
    if (!bus.isConnected()) return false;
    const QString service = QStringLiteral("org.freedesktop.IBus");
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(
        QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/IBus"), service,
                                       QStringLiteral("CurrentInputContext"))));
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, pending,
                     [bus, service](QDBusPendingCallWatcher* call) {
                         call->deleteLater();
                         const QDBusPendingReply<QDBusObjectPath> context = *call;
                         if (context.isError()) return;
                         QDBusMessage direct = QDBusMessage::createMethodCall(
                             service, context.value().path(),
                             QStringLiteral("org.freedesktop.IBus.InputContext"),
                             QStringLiteral("PropertyActivate"));
                         direct << QStringLiteral("InputMode.Direct") << 1u; // checked
                         QDBusConnection(bus).send(direct);
                     });
    return true;
}

} // namespace

// The call is not waited for: a missing or busy framework costs the screen nothing.
bool switchOff() {
    if (uses(QLatin1String("fcitx"))) return switchOffFcitx();
    if (uses(QLatin1String("ibus"))) return switchOffIbus();
    return false;
}

} // namespace ime
