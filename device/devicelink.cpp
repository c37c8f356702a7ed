// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "devicelink.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

DeviceLink::DeviceLink(std::chrono::milliseconds phaseTimeout, QObject *parent)
    : QObject(parent),
      m_manager(this),
      m_idleTimer(this),
      m_deadline(this),
      m_phaseTimeout(phaseTimeout)
{
    // The device is on the local network: a proxy from the environment
    // would only send its address elsewhere.
    m_manager.setProxy(QNetworkProxy::NoProxy);
    m_manager.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    m_manager.setAutoDeleteReplies(false);

    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(m_phaseTimeout);
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(4 * m_phaseTimeout);

    const auto seconds = [](std::chrono::milliseconds ms) {
        return QString::number(double(ms.count()) / 1000.0, 'g', 3);
    };
    connect(&m_idleTimer, &QTimer::timeout, this, [this, seconds] {
        abortWith(tr("Timed out: no response from %1 within %2 s")
                          .arg(m_reply->url().authority(), seconds(m_phaseTimeout)));
    });
    connect(&m_deadline, &QTimer::timeout, this, [this, seconds] {
        abortWith(tr("Timed out: reply from %1 not complete within %2 s")
                          .arg(m_reply->url().authority(), seconds(4 * m_phaseTimeout)));
    });
}

DeviceLink::~DeviceLink()
{
    Abandon();
}

void DeviceLink::Abandon()
{
    if (!m_reply)
        return;
    m_idleTimer.stop();
    m_deadline.stop();
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
    m_password.clear();
}

void DeviceLink::HttpGet(const QUrl &url, const QString &password, const QByteArray &realm,
                         bool sha256Only)
{
    if (m_reply)
        return;
    m_url = url;
    m_password = password;
    m_realm = realm;
    m_sha256Only = sha256Only;
    m_resent = false;
    sendRequest();
}

void DeviceLink::sendRequest()
{
    m_body.clear();
    m_abortReason.clear();

    QNetworkRequest request(m_url);
    if (!m_password.isEmpty() && m_challenge && m_challengeAuthority == m_url.authority()
        && mayAnswer(*m_challenge)) {
        const QByteArray uri = m_url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority);
        quint32 random[4];
        QRandomGenerator::system()->fillRange(random);
        const QByteArray cnonce =
                QByteArray(reinterpret_cast<const char *>(random), sizeof random).toHex();
        request.setRawHeader("Authorization",
                             DigestAuth::Authorization(*m_challenge, User, m_password.toUtf8(),
                                                       "GET", uri, ++m_nonceCount, cnonce));
    }
    m_reply = m_manager.get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &DeviceLink::checkAnnouncedLength);
    connect(m_reply, &QNetworkReply::readyRead, this, &DeviceLink::readBody);
    connect(m_reply, &QNetworkReply::finished, this, &DeviceLink::onReplyFinished);
    m_idleTimer.start();
    m_deadline.start();
}

void DeviceLink::checkAnnouncedLength()
{
    m_idleTimer.start();
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > MaxBodyBytes)
        abortWith(tooLargeText());
}

void DeviceLink::readBody()
{
    m_idleTimer.start();
    if (!takeAvailableBody())
        abortWith(tooLargeText());
}

bool DeviceLink::takeAvailableBody()
{
    m_body += m_reply->read(MaxBodyBytes + 1 - m_body.size());
    return m_body.size() <= MaxBodyBytes;
}

QString DeviceLink::tooLargeText() const
{
    return tr("Reply too large (over 1 MiB) from %1").arg(m_reply->url().authority());
}

void DeviceLink::abortWith(const QString &reason)
{
    if (!m_reply || !m_abortReason.isEmpty())
        return;
    m_abortReason = reason;
    m_reply->abort(); // emits finished(), which reports the reason
}

void DeviceLink::onReplyFinished()
{
    m_idleTimer.stop();
    m_deadline.stop();
    if (m_abortReason.isEmpty() && !takeAvailableBody())
        m_abortReason = tooLargeText();

    HttpResult result;
    result.error = describeFailure();
    result.status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const std::optional<DigestChallenge> challenge = findChallenge();
    const bool sentCredentials = m_reply->request().hasRawHeader("Authorization");
    if (result.ok()) {
        result.body = std::exchange(m_body, {});
        if (sentCredentials) {
            result.realm = m_challenge->realm;
            result.algorithm =
                    m_challenge->algorithm == QCryptographicHash::Md5 ? "MD5" : "SHA-256";
        }
    }

    m_reply->disconnect(this);
    m_reply->deleteLater();
    m_reply = nullptr;
    if (challenge) {
        // Credentials refused with the nonce they were made for are wrong;
        // a new nonce, or one that ran out, may just have replaced it.
        const bool newNonce = !sentCredentials || !m_challenge || challenge->stale
                || challenge->nonce != m_challenge->nonce;
        keepChallenge(*challenge);
        const bool answerable = !m_password.isEmpty() && mayAnswer(*challenge);
        if (answerable && newNonce && !m_resent) {
            m_resent = true;
            sendRequest();
            return;
        }
        result.refusal = answerable ? HttpResult::Refusal::WrongPassword
                                    : HttpResult::Refusal::PasswordNeeded;
        if (!m_password.isEmpty() && !answerable && !m_realm.isEmpty()
            && challenge->realm != m_realm)
            result.error = tr("Another device than %1 answers at %2: the password is not sent")
                                   .arg(QString::fromUtf8(m_realm), m_url.authority());
        else if (!m_password.isEmpty() && !answerable)
            result.error = tr("%1 asks for its password by MD5, where it used SHA-256: the "
                              "password is not sent")
                                   .arg(m_url.authority());
        else
            result.error = (answerable ? tr("Wrong password for %1") : tr("Password needed for %1"))
                                   .arg(m_url.authority());
    }
    m_password.clear();
    Q_EMIT finished(result);
}

std::optional<DigestChallenge> DeviceLink::findChallenge() const
{
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!m_abortReason.isEmpty() || status.toInt() != 401)
        return std::nullopt;
    return DigestAuth::FindChallenge(m_reply->rawHeader("WWW-Authenticate"));
}

bool DeviceLink::mayAnswer(const DigestChallenge &challenge) const
{
    return (m_realm.isEmpty() || challenge.realm == m_realm)
            && (!m_sha256Only || challenge.algorithm != QCryptographicHash::Md5);
}

void DeviceLink::keepChallenge(const DigestChallenge &challenge)
{
    if (!m_challenge || m_challengeAuthority != m_url.authority()
        || m_challenge->nonce != challenge.nonce)
        m_nonceCount = 0;
    m_challenge = challenge;
    m_challengeAuthority = m_url.authority();
}

QString DeviceLink::describeFailure() const
{
    if (!m_abortReason.isEmpty())
        return m_abortReason;

    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() != 200) {
        QString reason = m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        if (reason.size() > MaxReasonChars)
            reason = reason.first(MaxReasonChars - 1) + u'\u2026';
        return u"HTTP %1 %2"_s.arg(status.toInt()).arg(reason);
    }

    const QString host = m_reply->url().host();
    switch (m_reply->error()) {
    case QNetworkReply::NoError:
        return status.isValid() ? QString() : tr("No HTTP answer from %1").arg(host);
    case QNetworkReply::HostNotFoundError:
        return tr("Host not found: %1").arg(host);
    case QNetworkReply::ConnectionRefusedError:
        return tr("Connection refused by %1").arg(m_reply->url().authority());
    case QNetworkReply::RemoteHostClosedError:
        return tr("Connection closed by %1 before the reply was complete").arg(host);
    case QNetworkReply::TimeoutError:
        return tr("Timed out: no response from %1").arg(host);
    default:
        return m_reply->errorString();
    }
}
