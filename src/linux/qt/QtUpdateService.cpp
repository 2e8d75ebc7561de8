// Fetching the feed and installing a release. A release is the agent, which carries its client;
// the download goes to a temporary file in the agent's own folder, so that the final step is a
// rename on one file system: the agent is either the old file or the new one, never a
// half-written one. The new agent renews the client when it starts.
#include "linux/qt/QtUpdateService.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

#include "linux/files/AgentPaths.h"
#include "linux/files/FileIo.h"
#include "linux/qt/AppcastParser.h"
#include "linux/qt/Ed25519Signature.h"
#include "linux/qt/UpdateTransfer.h"

namespace dovrik::qt {
namespace {

constexpr qint64 kMaxFeedBytes = 1024 * 1024;
// Far beyond any release; a feed naming more would only fill the disk.
constexpr std::uint64_t kMaxReleaseBytes = 1024 * 1024 * 1024;

std::optional<QString> installRefusal(UpdateService::InstallKind kind) {
  switch (kind) {
    case UpdateService::InstallKind::perUser:
      return std::nullopt;
    case UpdateService::InstallKind::packaged:
      return QStringLiteral(
          "Dovrik was installed by the system's package manager, which also updates it; "
          "nothing was installed.");
    case UpdateService::InstallKind::unmanaged:
      break;
  }
  return QStringLiteral(
      "Only a copy of Dovrik in ~/.local/bin replaces itself with an update; nothing was "
      "installed.");
}

QString systemError(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

// The release file between download and rename. Removing the temporary file is the default;
// only a completed rename keeps it, under the program's name.
struct Download {
  AppcastItem item;
  QString target;
  QByteArray publicKey;
  QTemporaryFile file;
  qint64 written = 0;
  std::function<void(std::optional<std::string>)> done;

  void fail(const QString& why) {
    if (file.isOpen())
      file.remove();
    done(why.toStdString());
  }

  // Checks the whole file and puts it in the program's place.
  std::optional<QString> replaceTarget() {
    const auto length = static_cast<qint64>(item.length);
    if (written < length)
      return QStringLiteral("The download was shorter than the feed says (%1 of %2 bytes).")
          .arg(written)
          .arg(length);
    if (!file.flush() || ::fsync(file.handle()) != 0)
      return QStringLiteral("The update could not be saved next to Dovrik (%1).")
          .arg(systemError(errno));
    uchar* contents = file.map(0, length);
    const bool matches =
        contents != nullptr &&
        ed25519SignatureMatches(QByteArrayView(reinterpret_cast<const char*>(contents), length),
                                QByteArray::fromStdString(item.edSignature), publicKey);
    if (contents != nullptr)
      file.unmap(contents);
    if (!matches)
      return QStringLiteral("The update's signature does not match; nothing was installed.");
    if (::fchmod(file.handle(), 0755) != 0 ||
        std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0)
      return QStringLiteral("The update could not replace Dovrik (%1); nothing was installed.")
          .arg(systemError(errno));
    file.setAutoRemove(false);
    return std::nullopt;
  }
};

}  // namespace

QtUpdateService::QtUpdateService(QString feedUrl, QByteArray publicKeyBase64,
                                 QString executablePath, std::chrono::milliseconds silence)
    : feedUrl_(std::move(feedUrl)),
      publicKey_(std::move(publicKeyBase64)),
      executablePath_(std::move(executablePath)),
      silence_(silence) {}

QString QtUpdateService::programPath() const {
  const QFileInfo program(executablePath_);
  return program.exists() ? program.canonicalFilePath() : program.absoluteFilePath();
}

bool QtUpdateService::hasFeed() const {
  return !feedUrl_.isEmpty();
}

// Judged by where the program really lies, past any symbolic links, so that a link in
// ~/.local/bin to a packaged or build copy never makes that copy replace itself.
UpdateService::InstallKind QtUpdateService::installKind() const {
  const QString program = programPath();
  const QString userBin = QFileInfo(QDir::homePath() + "/.local/bin").canonicalFilePath();
  if (!program.isEmpty() && !userBin.isEmpty() && program == userBin + "/dovrik")
    return InstallKind::perUser;
  if (program.startsWith("/usr/") && !program.startsWith("/usr/local/"))
    return InstallKind::packaged;
  return InstallKind::unmanaged;
}

void QtUpdateService::fetchFeed(std::function<void(FeedResult)> done) {
  auto feed = std::make_shared<QByteArray>();
  UpdateTransfer::start(
      network_, QUrl(feedUrl_),
      {kMaxFeedBytes, QStringLiteral("The update feed is larger than 1 MB."), silence_},
      [feed](QByteArrayView piece, QString&) {
        feed->append(piece);
        return true;
      },
      [feed, done = std::move(done)](std::optional<QString> error) {
        done(error ? FeedResult{{}, error->toStdString()} : parseAppcast(*feed));
      });
}

void QtUpdateService::install(const AppcastItem& item,
                              std::function<void(std::optional<std::string> error)> done) {
  auto download = std::make_shared<Download>();
  download->item = item;
  download->target = QFile::decodeName(QByteArray::fromStdString(
      files::installedAgentOf(QFile::encodeName(programPath()).toStdString()).native()));
  download->publicKey = publicKey_;
  download->done = std::move(done);
  std::optional<QString> refusal = installRefusal(installKind());
  if (!refusal && publicKey_.isEmpty())
    refusal = QStringLiteral("This build has no key to check updates with; nothing was installed.");
  if (!refusal && item.length > kMaxReleaseBytes)
    refusal = QStringLiteral("The update is larger than 1 GB; nothing was installed.");
  const QString folder = QFileInfo(download->target).path();
  download->file.setFileTemplate(folder + "/.dovrik-update-XXXXXX");
  if (!refusal && files::createFolders(QFile::encodeName(folder).toStdString()))
    refusal = QStringLiteral("The update could not be saved next to Dovrik (cannot make %1).")
                  .arg(folder);
  if (!refusal && !download->file.open())
    refusal = QStringLiteral("The update could not be saved next to Dovrik (%1).")
                  .arg(download->file.errorString());
  if (refusal) {
    // Answered from the event loop like every other outcome, never inside the caller.
    QTimer::singleShot(0, &network_, [download, why = *refusal] { download->fail(why); });
    return;
  }
  const auto length = static_cast<qint64>(item.length);
  UpdateTransfer::start(
      network_, QUrl(QString::fromStdString(item.url)),
      {length,
       QStringLiteral(
           "The download was longer than the feed says (more than %1 bytes); nothing was "
           "installed.")
           .arg(length),
       silence_},
      [download](QByteArrayView piece, QString& error) {
        if (download->file.write(piece.data(), piece.size()) == piece.size()) {
          download->written += piece.size();
          return true;
        }
        error = QStringLiteral("The update could not be saved next to Dovrik (%1).")
                    .arg(download->file.errorString());
        return false;
      },
      [download](std::optional<QString> error) {
        if (!error)
          error = download->replaceTarget();
        if (error)
          download->fail(*error);
        else
          download->done(std::nullopt);
      });
}

}  // namespace dovrik::qt
