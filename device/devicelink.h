// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "digestauth.h"
#include "httpresult.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <optional>

class QNetworkReply;

// One HTTP GET at a time to the device, without blocking the event loop.
// Every phase (name lookup, connect, send, receive) must show progress
// within the phase time-out, and each request (at most two an exchange)
// must end within four of them, so a device that trickles bytes cannot hold
// a poll open forever.
class DeviceLink : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 MaxBodyBytes = 1024 * 1024;
    // The most of a device's reason phrase a failure line takes.
    static constexpr qsizetype MaxReasonChars = 80;
    // The one user of a device that has a password.
    static constexpr char User[] = "admin";

    explicit DeviceLink(std::chrono::milliseconds phaseTimeout = std::chrono::seconds(5),
                        QObject *parent = nullptr);
    ~DeviceLink() override;

    // Starts a GET of `url`; the outcome arrives through finished(). Does
    // nothing while an earlier exchange is still under way. With a password,
    // the request answers the device's last Digest challenge, and a refusal
    // with a new nonce is answered once more: at most two requests. The
    // password is forgotten when the exchange ends. A password that belongs
    // to the device of `realm` answers no other realm's challenge; with
    // `sha256Only`, no challenge by MD5 (the device used SHA-256 before: one
    // that asks for MD5 now may be another, after a response easier to guess).
    void HttpGet(const QUrl &url, const QString &password = QString(),
                 const QByteArray &realm = QByteArray(), bool sha256Only = false);
    // Ends the exchange under way, if any, without a result: finished() is
    // not emitted for it.
    void Abandon();
    [[nodiscard]] bool isBusy() const { return m_reply != nullptr; }

Q_SIGNALS:
    void finished(const HttpResult &result);

private:
    void sendRequest();
    [[nodiscard]] std::optional<DigestChallenge> findChallenge() const;
    [[nodiscard]] bool mayAnswer(const DigestChallenge &challenge) const;
    void keepChallenge(const DigestChallenge &challenge);
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
    QUrl m_url;
    QString m_password;
    QByteArray m_realm;
    bool m_sha256Only = false;
    bool m_resent = false;
    // The last Digest challenge, from the device at m_challengeAuthority,
    // and the number of requests made with its nonce.
    std::optional<DigestChallenge> m_challenge;
    QString m_challengeAuthority;
    quint32 m_nonceCount = 0;
};
