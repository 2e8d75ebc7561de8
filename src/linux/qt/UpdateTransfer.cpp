// The guarded update download over QNetworkAccessManager, asynchronous on the main thread.
#include "linux/qt/UpdateTransfer.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace dovrik::qt {
namespace {

QString secondsText(std::chrono::milliseconds duration) {
  const double seconds = static_cast<double>(duration.count()) / 1000.0;
  return QStringLiteral("%1 second%2").arg(seconds).arg(seconds == 1.0 ? "" : "s");
}

QString replyFailure(const QNetworkReply& reply) {
  switch (reply.error()) {
    case QNetworkReply::RemoteHostClosedError:
      return QStringLiteral(
          "The update server closed the connection before the transfer was complete.");
    case QNetworkReply::HostNotFoundError:
      return QStringLiteral("The update server's name could not be found.");
    case QNetworkReply::ConnectionRefusedError:
      return QStringLiteral("The update server refused the connection.");
    case QNetworkReply::SslHandshakeFailedError:
      return QStringLiteral("The update server's certificate could not be trusted (%1).")
          .arg(reply.errorString());
    default:
      break;
  }
  const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status != 0 && status != 200)
    return QStringLiteral("The update server answered with an error (HTTP %1).").arg(status);
  return QStringLiteral("The update server could not be reached (%1).").arg(reply.errorString());
}

}  // namespace

bool UpdateTransfer::isAllowedAddress(const QUrl& url) {
  if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty())
    return false;
  if (url.scheme() == u"https")
    return true;
  // Plain HTTP can be read and changed on the way, so it is only for a server on this machine
  // (the tests'); the literal address, since a name could resolve anywhere.
  const QHostAddress host(url.host());
  return url.scheme() == u"http" && !host.isNull() &&
         (host == QHostAddress::LocalHost || host == QHostAddress::LocalHostIPv6);
}

void UpdateTransfer::start(QNetworkAccessManager& network, const QUrl& url, Limits limits,
                           Sink sink, Done done) {
  auto* transfer = new UpdateTransfer(network, std::move(limits), std::move(sink), std::move(done));
  // Started from the event loop so that `done` never runs inside the caller.
  QTimer::singleShot(0, transfer, [transfer, url] { transfer->begin(url); });
}

UpdateTransfer::UpdateTransfer(QNetworkAccessManager& network, Limits limits, Sink sink, Done done)
    : QObject(&network),
      limits_(std::move(limits)),
      sink_(std::move(sink)),
      done_(std::move(done)) {
  silence_.setSingleShot(true);
  silence_.setInterval(limits_.silence);
  connect(&silence_, &QTimer::timeout, this, [this] {
    finish(QStringLiteral("The update server did not answer within %1.")
               .arg(secondsText(limits_.silence)));
  });
}

void UpdateTransfer::begin(const QUrl& url) {
  if (!isAllowedAddress(url)) {
    finish(QStringLiteral("The update address %1 is not a secure (HTTPS) address; nothing was "
                          "downloaded.")
               .arg(url.toDisplayString(QUrl::RemoveUserInfo)));
    return;
  }
  QNetworkRequest request(url);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::UserVerifiedRedirectPolicy);
  request.setMaximumRedirectsAllowed(5);
  auto* manager = static_cast<QNetworkAccessManager*>(parent());
  reply_ = manager->get(request);
  reply_->setParent(this);
  connect(reply_, &QNetworkReply::redirected, this, [this](const QUrl& target) {
    if (!isAllowedAddress(target)) {
      finish(QStringLiteral("The update server sent the download to an address that is not "
                            "secure (%1); nothing was downloaded.")
                 .arg(target.toDisplayString(QUrl::RemoveUserInfo)));
      return;
    }
    silence_.start();
    Q_EMIT reply_->redirectAllowed();
  });
  connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
    silence_.start();
    const QVariant announced = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (announced.isValid() && announced.toLongLong() > limits_.maxBytes)
      finish(limits_.tooLarge);
  });
  connect(reply_, &QNetworkReply::readyRead, this, &UpdateTransfer::takeAvailable);
  connect(reply_, &QNetworkReply::finished, this, &UpdateTransfer::finishReply);
  silence_.start();
}

void UpdateTransfer::takeAvailable() {
  silence_.start();
  while (!finished_ && reply_ && reply_->bytesAvailable() > 0) {
    const QByteArray piece = reply_->read(64 * 1024);
    received_ += piece.size();
    if (received_ > limits_.maxBytes) {
      finish(limits_.tooLarge);
      return;
    }
    QString error;
    if (!sink_(piece, error)) {
      finish(error);
      return;
    }
  }
}

void UpdateTransfer::finishReply() {
  if (finished_ || !reply_)
    return;
  // A redirect that was not followed ends the reply as well; what it said is already known.
  if (reply_->error() != QNetworkReply::NoError) {
    finish(replyFailure(*reply_));
    return;
  }
  const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status != 200) {
    finish(QStringLiteral("The update server answered with an error (HTTP %1).").arg(status));
    return;
  }
  takeAvailable();
  if (!finished_)
    finish(std::nullopt);
}

void UpdateTransfer::finish(std::optional<QString> error) {
  if (finished_)
    return;
  finished_ = true;
  silence_.stop();
  if (reply_) {
    reply_->disconnect(this);
    reply_->abort();
  }
  Done done = std::move(done_);
  deleteLater();
  done(std::move(error));
}

}  // namespace dovrik::qt
