// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QHash>
#include <QObject>
#include <QString>

// The notices the user can switch on and off, each kept in the settings.
enum class NoticeKind { Unreachable, Stopped, Yield };

// The desktop's notification service (org.freedesktop.Notifications) on the session bus, for a
// Linux desktop without a notification area; elsewhere it shows nothing.
class DesktopNotices : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotices(QObject *parent = nullptr);

    // Hands the notice to the service; false where no service took it.
    bool Show(NoticeKind kind, const QString &title, const QString &text);

Q_SIGNALS:
    // The user clicked a notice this program showed.
    void clicked(NoticeKind kind);

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &action);

private:
    // The notices shown, by the id the service gave them.
    QHash<uint, NoticeKind> m_shown;
    bool m_listening = false;
};
