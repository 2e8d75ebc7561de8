// Updates on Linux: the feed fetched over HTTPS, and the agent of a per-user copy
// (~/.local/bin/dovrik) replaced by a downloaded release once its length and Ed25519 signature
// check out.
#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QString>
#include <chrono>

#include "core/platform/UpdateService.h"

namespace dovrik::qt {

class QtUpdateService : public UpdateService {
 public:
  // No feed address means this build has no feed. `publicKeyBase64` is the release key's raw 32
  // bytes; `executablePath` is the running program. `silence` is how long the server may stay
  // quiet during a transfer.
  QtUpdateService(QString feedUrl, QByteArray publicKeyBase64, QString executablePath,
                  std::chrono::milliseconds silence = std::chrono::seconds(30));

  bool hasFeed() const override;
  InstallKind installKind() const override;
  void fetchFeed(std::function<void(FeedResult)> done) override;
  void install(const AppcastItem& item,
               std::function<void(std::optional<std::string> error)> done) override;

 private:
  // The program's real place, past symbolic links.
  QString programPath() const;

  QString feedUrl_;
  QByteArray publicKey_;
  QString executablePath_;
  std::chrono::milliseconds silence_;
  // Owns the transfers under way: they end, without answering, when the service does.
  QNetworkAccessManager network_;
};

}  // namespace dovrik::qt
