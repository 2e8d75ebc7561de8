// Writing the script out and driving KWin's scripting interface.
#include "linux/kwin/KWinScriptLoader.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

#include "linux/kwin/KWinNames.h"

namespace dovrik::kwin {

namespace {

QDBusMessage scripting(const QString& method) {
  return QDBusMessage::createMethodCall(QString::fromLatin1(kwinService),
                                        QStringLiteral("/Scripting"),
                                        QStringLiteral("org.kde.kwin.Scripting"), method);
}

}  // namespace

KWinScriptLoader::KWinScriptLoader(QDBusConnection connection, QString runtimeFolder,
                                   QString scriptName)
    : connection_(std::move(connection)),
      folder_(std::move(runtimeFolder)),
      name_(std::move(scriptName)) {
  if (folder_.isEmpty())
    folder_ = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
              QStringLiteral("/dovrik");
  watcher_ = new QDBusServiceWatcher(QString::fromLatin1(kwinService), connection_,
                                     QDBusServiceWatcher::WatchForRegistration, this);
  connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
    attemptsLeft_ = maxAttempts;
    load();
  });
  retry_.setSingleShot(true);
  retry_.setInterval(retryIntervalMs);
  connect(&retry_, &QTimer::timeout, this, [this] { load(); });
  QDBusConnectionInterface* bus = connection_.interface();
  if (bus && bus->isServiceRegistered(QString::fromLatin1(kwinService)))
    load();
}

KWinScriptLoader::~KWinScriptLoader() {
  if (!loaded_)
    return;
  QDBusMessage unload = scripting(QStringLiteral("unloadScript"));
  unload << name_;
  connection_.call(unload, QDBus::Block, callTimeoutMs);
}

QByteArray KWinScriptLoader::scriptSource() {
  QFile resource(QStringLiteral(":/dovrik/kwin/dovrik.js"));
  if (!resource.open(QIODevice::ReadOnly))
    return {};
  return resource.readAll();
}

bool KWinScriptLoader::writeScript(QString& path) {
  if (!QDir().mkpath(folder_)) {
    lastError_ = QStringLiteral("cannot create %1").arg(folder_);
    return false;
  }
  QFile::setPermissions(folder_,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  path = folder_ + QStringLiteral("/kwin-script.js");
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(scriptSource()) < 0 || !file.commit()) {
    lastError_ = QStringLiteral("cannot write %1").arg(path);
    return false;
  }
  return true;
}

bool KWinScriptLoader::run(int id) {
  // KWin 6 puts a loaded script at /Scripting/Script<id>, 5.27 at /<id>.
  for (const QString& path :
       {QStringLiteral("/Scripting/Script%1").arg(id), QStringLiteral("/%1").arg(id)}) {
    const QDBusMessage reply =
        connection_.call(QDBusMessage::createMethodCall(QString::fromLatin1(kwinService), path,
                                                        QStringLiteral("org.kde.kwin.Script"),
                                                        QStringLiteral("run")),
                         QDBus::Block, callTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
      lastError_.clear();
      return true;
    }
    lastError_ = reply.errorMessage();
  }
  return false;
}

void KWinScriptLoader::load() {
  loaded_ = attempt();
  // KWin takes its name on the bus before its scripting interface is up: a KWin that has just
  // come is asked again for a little while.
  if (!loaded_ && --attemptsLeft_ > 0)
    retry_.start();
}

bool KWinScriptLoader::attempt() {
  lastError_.clear();
  QString path;
  if (!writeScript(path))
    return false;
  // A script of an earlier Dovrik that did not quit cleanly would report twice.
  QDBusMessage unload = scripting(QStringLiteral("unloadScript"));
  unload << name_;
  connection_.call(unload, QDBus::Block, callTimeoutMs);

  QDBusMessage loadCall = scripting(QStringLiteral("loadScript"));
  loadCall << path << name_;
  const QDBusMessage reply = connection_.call(loadCall, QDBus::Block, callTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
    lastError_ = reply.errorMessage();
    return false;
  }
  const int id = reply.arguments().constFirst().toInt();
  if (id < 0) {
    lastError_ = QStringLiteral("KWin refused the script");
    return false;
  }
  return run(id);
}

}  // namespace dovrik::kwin
