#include "ShellStandIn.h"

#include "linux/gnome/GnomeNames.h"

namespace dovrik::gnome::test {

void ShellStandIn::serve(const QDBusConnection& shellBus, const QString& dovrik) {
  set([&] {
    shellBus_ = shellBus;
    dovrik_ = dovrik;
  });
}

void ShellStandIn::signalDovrik(const char* name, const QVariantList& args) {
  QDBusMessage signal =
      QDBusMessage::createTargetedSignal(dovrik_, QLatin1String(extensionPath),
                                         QLatin1String(extensionInterface), QLatin1String(name));
  signal.setArguments(args);
  shellBus_.send(signal);
}

void ShellStandIn::press(uint action) {
  QMutexLocker lock(&mutex_);
  signalDovrik("Accelerator", {action});
}

void ShellStandIn::report(const QString& json) {
  QMutexLocker lock(&mutex_);
  signalDovrik("Report", {json});
}

void ShellStandIn::restart() {
  QMutexLocker lock(&mutex_);
  signalDovrik("Closing", {});
  signalDovrik("Ready", {});
}

void ShellStandIn::signalFrom(const QDBusConnection& stranger, const char* name,
                              const QVariantList& args) {
  QDBusMessage signal =
      QDBusMessage::createTargetedSignal(dovrik_, QLatin1String(extensionPath),
                                         QLatin1String(extensionInterface), QLatin1String(name));
  signal.setArguments(args);
  QDBusConnection(stranger).send(signal);
}

void ShellStandIn::copy(std::map<QString, QByteArray> content) {
  QMutexLocker lock(&mutex_);
  clipboard_ = std::move(content);
  QStringList types;
  for (const auto& [type, bytes] : clipboard_)
    types.append(type);
  signalDovrik("ClipboardChanged", {types, false});
}

void ShellStandIn::releaseRead(std::size_t index) {
  QMutexLocker lock(&mutex_);
  shellBus_.send(held_.at(index));
}

std::size_t ShellStandIn::heldReads() {
  QMutexLocker lock(&mutex_);
  return held_.size();
}

std::vector<QVariantList> ShellStandIn::callsOf(const QString& method) {
  QMutexLocker lock(&mutex_);
  std::vector<QVariantList> found;
  for (const QDBusMessage& call : calls_) {
    if (call.member() == method)
      found.push_back(call.arguments());
  }
  return found;
}

bool ShellStandIn::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  QMutexLocker lock(&mutex_);
  const QString method = message.member();
  const QVariantList args = message.arguments();
  calls_.push_back(message);
  QDBusMessage reply = message.createReply();
  if (refusing_.contains(method))
    return connection.send(message.createErrorReply(QDBusError::Failed, QStringLiteral("no")));
  if (method == QLatin1String("Hello")) {
    reply << QStringLiteral(R"({"type":"hello","generation":1,"outputs":[],"windows":[]})");
  } else if (method == QLatin1String("GrabAccelerator")) {
    reply << (heldAccelerators_.contains(args.value(0).toString()) ? 0u : nextAction_++);
  } else if (method == QLatin1String("Pointer")) {
    reply << 10 << 20 << modifiers_;
  } else if (method == QLatin1String("ReadClipboard")) {
    // As the extension does: content it cannot give, or more than asked for, is an error.
    const auto found = clipboard_.find(args.value(0).toString());
    if (found == clipboard_.end() || found->second.size() > args.value(1).toLongLong())
      return connection.send(message.createErrorReply(QDBusError::Failed, QStringLiteral("no")));
    reply << found->second;
    if (holding_) {
      held_.push_back(reply);
      return true;
    }
  } else if (method == QLatin1String("WriteClipboard")) {
    clipboard_ = {{args.value(0).toString(), args.value(1).toByteArray()}};
    // mutter announces the new owner while the extension sets it.
    signalDovrik("ClipboardChanged", {QStringList{args.value(0).toString()}, true});
  }
  return connection.send(reply);
}

void ShellTest::SetUp() {
  if (!dbustest::PrivateBus::available())
    GTEST_SKIP() << "dbus-daemon is not installed";
  extension.moveToThread(&extensionThread);
  extensionThread.start();
  QDBusConnection shellBus = bus.connect(QStringLiteral("shell"));
  ASSERT_TRUE(shellBus.registerVirtualObject(QLatin1String(extensionPath), &extension));
  ASSERT_TRUE(shellBus.registerService(QLatin1String(shellService)));
  QDBusConnection dovrikBus = bus.connect(QStringLiteral("dovrik"));
  extension.serve(shellBus, dovrikBus.baseService());
  shell = std::make_unique<GnomeShell>(dovrikBus, mirror);
  ASSERT_TRUE(waitUntil([&] { return shell->isAnswering(); }));
}

void ShellTest::TearDown() {
  shell.reset();
  extensionThread.quit();
  extensionThread.wait();
  for (const char* name : {"shell", "dovrik"})
    QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
}

bool ShellTest::waitUntil(const std::function<bool()>& condition) {
  return dbustest::waitFor([&] {
    clock.advanceBy(0);
    return condition();
  });
}

std::vector<QVariantList> ShellTest::awaitCalls(const char* method, std::size_t count) {
  EXPECT_TRUE(waitUntil([&] { return extension.callsOf(QLatin1String(method)).size() >= count; }))
      << method;
  return extension.callsOf(QLatin1String(method));
}

}  // namespace dovrik::gnome::test
