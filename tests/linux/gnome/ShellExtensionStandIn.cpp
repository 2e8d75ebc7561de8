#include "ShellExtensionStandIn.h"

#include <QMutexLocker>
#include <QStringList>

#include "ScriptMessages.h"
#include "linux/gnome/GnomeNames.h"

namespace dovrik::gnome::test {

void ShellExtensionStandIn::serve(QDBusConnection shellBus, const QString& dovrik) {
  QMutexLocker lock(&mutex_);
  shellBus_ = shellBus;
  dovrik_ = dovrik;
}

void ShellExtensionStandIn::copy(std::map<QString, QByteArray> content) {
  QStringList types;
  {
    QMutexLocker lock(&mutex_);
    clipboard_ = std::move(content);
    for (const auto& [type, bytes] : clipboard_)
      types.append(type);
  }
  sendToDovrik(QStringLiteral("ClipboardChanged"), {types, false});
}

void ShellExtensionStandIn::setModifiers(uint mask) {
  QMutexLocker lock(&mutex_);
  modifiers_ = mask;
}

void ShellExtensionStandIn::holdReads() {
  QMutexLocker lock(&mutex_);
  holding_ = true;
}

void ShellExtensionStandIn::releaseRead(std::size_t index) {
  QMutexLocker lock(&mutex_);
  shellBus_.send(held_.at(index));
}

std::size_t ShellExtensionStandIn::heldReads() const {
  QMutexLocker lock(&mutex_);
  return held_.size();
}

void ShellExtensionStandIn::refuse(const QString& method) {
  QMutexLocker lock(&mutex_);
  refusing_.insert(method);
}

void ShellExtensionStandIn::sendToDovrik(const QString& signal, const QVariantList& args) {
  QMutexLocker lock(&mutex_);
  QDBusMessage message = QDBusMessage::createTargetedSignal(
      dovrik_, QLatin1String(extensionPath), QLatin1String(extensionInterface), signal);
  message.setArguments(args);
  shellBus_.send(message);
}

std::vector<ExtensionCall> ShellExtensionStandIn::callsOf(const QString& method) const {
  QMutexLocker lock(&mutex_);
  std::vector<ExtensionCall> found;
  for (const ExtensionCall& call : calls_) {
    if (call.method == method)
      found.push_back(call);
  }
  return found;
}

bool ShellExtensionStandIn::refused(const QString& method, const QVariantList& args) {
  QMutexLocker lock(&mutex_);
  calls_.push_back({method, args});
  if (!refusing_.contains(method))
    return false;
  sendErrorReply(QDBusError::Failed, QStringLiteral("refused by the test"));
  return true;
}

QString ShellExtensionStandIn::Hello() {
  refused(QStringLiteral("Hello"), {});
  return QString::fromStdString(scriptreport::test::hello(
      scriptreport::test::outputJson("0", {0, 0, 1280, 800}, {0, 0, 1280, 800}), ""));
}

int ShellExtensionStandIn::Pointer(int& y, uint& modifiers) {
  if (refused(QStringLiteral("Pointer"), {}))
    return 0;
  QMutexLocker lock(&mutex_);
  y = 20;
  modifiers = modifiers_;
  return 10;
}

QByteArray ShellExtensionStandIn::ReadClipboard(const QString& type, uint limit) {
  if (refused(QStringLiteral("ReadClipboard"), {type, limit}))
    return {};
  QMutexLocker lock(&mutex_);
  const auto found = clipboard_.find(type);
  // As the extension does: content it cannot give, or larger than asked for, is an error.
  if (found == clipboard_.end() || found->second.size() > qsizetype(limit)) {
    sendErrorReply(QDBusError::Failed, QStringLiteral("cannot read ") + type);
    return {};
  }
  if (!holding_)
    return found->second;
  setDelayedReply(true);
  held_.push_back(message().createReply(found->second));
  return {};
}

void ShellExtensionStandIn::WriteClipboard(const QString& type, const QByteArray& bytes,
                                           bool alsoPrimary) {
  {
    QMutexLocker lock(&mutex_);
    clipboard_ = {{type, bytes}};
  }
  // mutter announces the new owner while the extension sets it; recorded after, so that a
  // test that saw the write sends anything else after the notice.
  sendToDovrik(QStringLiteral("ClipboardChanged"), {QStringList{type}, true});
  refused(QStringLiteral("WriteClipboard"), {type, bytes, alsoPrimary});
}

void ShellExtensionStandIn::PressKeys(const QList<uint>& keyvals) {
  refused(QStringLiteral("PressKeys"), {QVariant::fromValue(keyvals)});
}

void ShellExtensionStandIn::ShowPreview(int x, int y, int width, int height,
                                        const QByteArray& premultipliedArgb) {
  refused(QStringLiteral("ShowPreview"), {x, y, width, height, premultipliedArgb});
}

void ShellExtensionStandIn::FadePreview(double alpha, uint milliseconds) {
  refused(QStringLiteral("FadePreview"), {alpha, milliseconds});
}

void ShellExtensionStandIn::HidePreview() {
  refused(QStringLiteral("HidePreview"), {});
}

void ShellExtensionStandIn::SuspendEdgeTiling() {
  refused(QStringLiteral("SuspendEdgeTiling"), {});
}

void ShellExtensionStandIn::RestoreEdgeTiling() {
  refused(QStringLiteral("RestoreEdgeTiling"), {});
}

}  // namespace dovrik::gnome::test
