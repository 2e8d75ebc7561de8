// One download for the updater, under the rules every update download follows: HTTPS only
// (plain HTTP only to this machine's loopback address), redirects only to addresses that pass
// the same rule, a ceiling on the bytes taken in, and a time-out while the server stays silent.
#pragma once

#include <QByteArrayView>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace dovrik::qt {

class UpdateTransfer : public QObject {
 public:
  struct Limits {
    qint64 maxBytes = 0;
    // Said when the body is, or says it will be, larger than maxBytes.
    QString tooLarge;
    std::chrono::milliseconds silence{30000};
  };
  // Takes each piece of the body as it arrives; false stops the transfer with `error`.
  using Sink = std::function<bool(QByteArrayView piece, QString& error)>;
  // Nothing when the whole body arrived, else why not in plain words.
  using Done = std::function<void(std::optional<QString> error)>;

  // Whether an update may be fetched from `url` at all.
  static bool isAllowedAddress(const QUrl& url);

  // Starts the download; `done` is called exactly once, never before this returns, unless the
  // network manager (the transfer's parent) goes away first.
  static void start(QNetworkAccessManager& network, const QUrl& url, Limits limits, Sink sink,
                    Done done);

 private:
  UpdateTransfer(QNetworkAccessManager& network, Limits limits, Sink sink, Done done);

  void begin(const QUrl& url);
  void takeAvailable();
  void finishReply();
  void finish(std::optional<QString> error);

  Limits limits_;
  Sink sink_;
  Done done_;
  QPointer<QNetworkReply> reply_;
  QTimer silence_;
  qint64 received_ = 0;
  bool finished_ = false;
};

}  // namespace dovrik::qt
