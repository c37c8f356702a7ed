// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "notices.h"

#ifdef PALVORIN_DBUS_NOTICES
#  include <QDBusConnection>
#  include <QDBusMessage>
#  include <QDBusReply>
#endif

using namespace Qt::StringLiterals;

#ifdef PALVORIN_DBUS_NOTICES
namespace {
const QString Service = u"org.freedesktop.Notifications"_s;
const QString Path = u"/org/freedesktop/Notifications"_s;
} // namespace
#endif

DesktopNotices::DesktopNotices(QObject *parent) : QObject(parent) { }

bool DesktopNotices::Show(NoticeKind kind, const QString &title, const QString &text)
{
#ifdef PALVORIN_DBUS_NOTICES
    // Clicks on notices come as a signal of the service's, with the action "default". The bus is
    // first used here: where a notification area shows the notices, never.
    if (!std::exchange(m_listening, true)) {
        QDBusConnection::sessionBus().connect(Service, Path, Service, u"ActionInvoked"_s, this,
                                              SLOT(onActionInvoked(uint, QString)));
    }
    // A bare call: an interface object would first ask the service to describe itself.
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Service, u"Notify"_s);
    call << u"Palvorin"_s << uint(0) << u"palvorin"_s << title << text
         << QStringList{ u"default"_s, tr("Show") } << QVariantMap() << int(-1);
    // A service that does not answer soon holds the window up no longer than this.
    const QDBusReply<uint> id = QDBusConnection::sessionBus().call(call, QDBus::Block, 3000);
    if (!id.isValid())
        return false;
    m_shown.insert(id.value(), kind);
    return true;
#else
    Q_UNUSED(kind);
    Q_UNUSED(title);
    Q_UNUSED(text);
    return false;
#endif
}

void DesktopNotices::onActionInvoked(uint id, const QString &action)
{
    if (action == u"default"_s && m_shown.contains(id))
        Q_EMIT clicked(m_shown.value(id));
}
