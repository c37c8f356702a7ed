// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "httpresult.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>

class QNetworkReply;

// One HTTP GET at a time to the device, without blocking the event loop.
// Every phase (name lookup, connect, send, receive) must show progress
// within the phase time-out, and the whole exchange must end within four
// of them, so a device that trickles bytes cannot hold a poll open forever.
class DeviceLink : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 MaxBodyBytes = 1024 * 1024;

    explicit DeviceLink(std::chrono::milliseconds phaseTimeout = std::chrono::seconds(5),
                        QObject *parent = nullptr);
    ~DeviceLink() override;

    // Starts a GET of `url`; the outcome arrives through finished(). Does
    // nothing while an earlier exchange is still under way.
    void HttpGet(const QUrl &url);
    [[nodiscard]] bool isBusy() const { return m_reply != nullptr; }

Q_SIGNALS:
    void finished(const HttpResult &result);

private:
    void readBody();
    [[nodiscard]] bool takeAvailableBody();
    [[nodiscard]] QString tooLargeText() const;
    void checkAnnouncedLength();
    void abortWith(const QString &reason);
    void onReplyFinished();
    [[nodiscard]] QString describeFailure() const;

    QNetworkAccessManager m_manager;
    QNetworkReply *m_reply = nullptr;
    QTimer m_idleTimer;
    QTimer m_deadline;
    QByteArray m_body;
    QString m_abortReason;
    std::chrono::milliseconds m_phaseTimeout;
};
