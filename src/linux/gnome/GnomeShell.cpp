// Calls to the extension and its signals, on the main loop.
#include "linux/gnome/GnomeShell.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QVariant>
#include <algorithm>
#include <limits>
#include <utility>

#include "linux/gnome/GnomeNames.h"
#include "linux/scriptreport/ScriptReportFeed.h"

namespace dovrik::gnome {

namespace {

QVariant rounded(double value) {
  return QVariant::fromValue(static_cast<int>(value < 0 ? value - 0.5 : value + 0.5));
}

}  // namespace

GnomeShell::GnomeShell(QDBusConnection connection, mirror::WindowMirror& mirror)
    : connection_(std::move(connection)), mirror_(mirror) {
  qDBusRegisterMetaType<QList<uint>>();
  const auto listen = [this](const char* signal, const char* slot) {
    // Naming the service makes Qt take the signal from that name's owner only.
    connection_.connect(QString::fromLatin1(shellService), QString::fromLatin1(extensionPath),
                        QString::fromLatin1(extensionInterface), QString::fromLatin1(signal), this,
                        slot);
  };
  listen("Ready", SLOT(onReady()));
  listen("Closing", SLOT(onClosing()));
  listen("Report", SLOT(onReport(QString)));
  listen("Accelerator", SLOT(onAccelerator(uint)));
  listen("ClipboardChanged", SLOT(onClipboardChanged(QStringList, bool)));
  shellWatcher_ = new QDBusServiceWatcher(QString::fromLatin1(shellService), connection_,
                                          QDBusServiceWatcher::WatchForOwnerChange, this);
  // A new Shell loads the extension afresh, which then says it is ready.
  connect(shellWatcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
          [this](const QString&, const QString&, const QString& owner) {
            lose();
            if (owner.isEmpty())
              shellGone.emit();
          });
  ownsName_ = connection_.registerService(QString::fromLatin1(dovrikService));
  if (ownsName_)
    hello();
}

GnomeShell::~GnomeShell() {
  // Going away with the name lets the extension release what Dovrik held at once.
  if (ownsName_)
    connection_.unregisterService(QString::fromLatin1(dovrikService));
}

QDBusMessage GnomeShell::call(const char* method) const {
  QDBusMessage message = QDBusMessage::createMethodCall(
      QString::fromLatin1(shellService), QString::fromLatin1(extensionPath),
      QString::fromLatin1(extensionInterface), QString::fromLatin1(method));
  message.setAutoStartService(false);
  return message;
}

void GnomeShell::send(const QDBusMessage& message) {
  // Calls go out in order on the one connection; their answers say nothing Dovrik waits for,
  // and a missing extension shows in its onboarding, not in each call.
  connection_.call(message, QDBus::NoBlock);
}

void GnomeShell::hello() {
  const int generation = ++helloGeneration_;
  auto* pending =
      new QDBusPendingCallWatcher(connection_.asyncCall(call("Hello"), callTimeoutMs), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this,
          [this, generation](QDBusPendingCallWatcher* reply) {
            reply->deleteLater();
            const QDBusMessage answer = reply->reply();
            if (generation != helloGeneration_ || answer.type() != QDBusMessage::ReplyMessage ||
                answer.arguments().isEmpty())
              return;
            const auto message = scriptreport::parseScriptMessage(
                answer.arguments().constFirst().toString().toStdString());
            if (!message || !std::holds_alternative<scriptreport::HelloMessage>(message->body))
              return;
            scriptreport::applyScriptMessage(mirror_, *message);
            answering_ = true;
            answered.emit();
          });
}

void GnomeShell::lose() {
  ++helloGeneration_;
  const bool wasAnswering = std::exchange(answering_, false);
  mirror_.forget();
  if (wasAnswering)
    closed.emit();
}

void GnomeShell::onReady() {
  lose();
  hello();
}

void GnomeShell::onClosing() {
  lose();
}

void GnomeShell::onReport(const QString& json) {
  // What happened before the extension's first answer is in that answer already.
  if (!answering_)
    return;
  if (const auto message = scriptreport::parseScriptMessage(json.toStdString()))
    scriptreport::applyScriptMessage(mirror_, *message);
}

void GnomeShell::onAccelerator(uint action) {
  if (answering_)
    acceleratorPressed.emit(action);
}

void GnomeShell::onClipboardChanged(const QStringList& types, bool byDovrik) {
  std::vector<std::string> list;
  for (const QString& type : types)
    list.push_back(type.toStdString());
  clipboardChanged.emit(list, byDovrik);
}

void GnomeShell::setFrame(const std::string& id, const Rect& frame) {
  QDBusMessage message = call("SetFrame");
  message << QString::fromStdString(id) << rounded(frame.x) << rounded(frame.y)
          << rounded(frame.width) << rounded(frame.height);
  send(message);
}

void GnomeShell::activate(const std::string& id) {
  QDBusMessage message = call("Activate");
  message << QString::fromStdString(id);
  send(message);
}

std::optional<PointerState> GnomeShell::pointerNow() const {
  const QDBusMessage reply = connection_.call(call("Pointer"), QDBus::Block, callTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 3)
    return std::nullopt;
  const QList<QVariant> values = reply.arguments();
  return PointerState{{values[0].toDouble(), values[1].toDouble()}, values[2].toUInt()};
}

void GnomeShell::askForPointer() {
  auto* pending =
      new QDBusPendingCallWatcher(connection_.asyncCall(call("Pointer"), callTimeoutMs), this);
  connect(
      pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* reply) {
        reply->deleteLater();
        const QDBusMessage answer = reply->reply();
        if (answer.type() == QDBusMessage::ReplyMessage && answer.arguments().size() == 3)
          mirror_.setCursor({answer.arguments()[0].toDouble(), answer.arguments()[1].toDouble()});
      });
}

void GnomeShell::monitors(std::function<void(std::vector<MonitorIdentity>)> done) {
  auto* pending =
      new QDBusPendingCallWatcher(connection_.asyncCall(call("Monitors"), callTimeoutMs), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this,
          [done = std::move(done)](QDBusPendingCallWatcher* reply) {
            reply->deleteLater();
            std::vector<MonitorIdentity> monitors;
            const QDBusMessage answer = reply->reply();
            if (answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty()) {
              const QDBusArgument list = answer.arguments().constFirst().value<QDBusArgument>();
              list.beginArray();
              while (!list.atEnd()) {
                QString connector, vendor, product, serial;
                list.beginStructure();
                list >> connector >> vendor >> product >> serial;
                list.endStructure();
                monitors.push_back({connector.toStdString(), vendor.toStdString(),
                                    product.toStdString(), serial.toStdString()});
              }
              list.endArray();
            }
            done(std::move(monitors));
          });
}

std::optional<std::uint32_t> GnomeShell::grabAccelerator(const std::string& accelerator) {
  QDBusMessage message = call("GrabAccelerator");
  message << QString::fromStdString(accelerator);
  const QDBusMessage reply = connection_.call(message, QDBus::Block, callTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
    return std::nullopt;
  return reply.arguments().constFirst().toUInt();
}

void GnomeShell::ungrabAccelerator(std::uint32_t action) {
  QDBusMessage message = call("UngrabAccelerator");
  message << action;
  send(message);
}

void GnomeShell::readClipboard(const std::string& type, std::size_t limit,
                               std::function<void(std::optional<std::string>)> done) {
  QDBusMessage message = call("ReadClipboard");
  message << QString::fromStdString(type)
          << static_cast<uint>(std::min<std::size_t>(limit, std::numeric_limits<uint>::max()));
  auto* pending = new QDBusPendingCallWatcher(connection_.asyncCall(message, callTimeoutMs), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this,
          [done = std::move(done)](QDBusPendingCallWatcher* reply) {
            reply->deleteLater();
            const QDBusMessage answer = reply->reply();
            if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty()) {
              done(std::nullopt);
              return;
            }
            done(answer.arguments().constFirst().toByteArray().toStdString());
          });
}

void GnomeShell::writeClipboard(const std::string& type, const std::string& bytes,
                                bool alsoPrimary) {
  QDBusMessage message = call("WriteClipboard");
  message << QString::fromStdString(type) << QByteArray::fromStdString(bytes) << alsoPrimary;
  send(message);
}

void GnomeShell::pressKeys(const std::vector<std::uint32_t>& keyvals) {
  QList<uint> list;
  for (std::uint32_t keyval : keyvals)
    list.append(keyval);
  QDBusMessage message = call("PressKeys");
  message << QVariant::fromValue(list);
  send(message);
}

void GnomeShell::showPreview(const Rect& frame, const QByteArray& premultipliedArgb) {
  QDBusMessage message = call("ShowPreview");
  message << rounded(frame.x) << rounded(frame.y) << rounded(frame.width) << rounded(frame.height)
          << premultipliedArgb;
  send(message);
}

void GnomeShell::fadePreview(double alpha, std::uint32_t milliseconds) {
  QDBusMessage message = call("FadePreview");
  message << alpha << milliseconds;
  send(message);
}

void GnomeShell::hidePreview() {
  send(call("HidePreview"));
}

bool GnomeShell::suspendEdgeTiling(bool userValue) {
  QDBusMessage message = call("SuspendEdgeTiling");
  message << userValue;
  return connection_.call(message, QDBus::Block, callTimeoutMs).type() ==
         QDBusMessage::ReplyMessage;
}

bool GnomeShell::restoreEdgeTiling() {
  return connection_.call(call("RestoreEdgeTiling"), QDBus::Block, callTimeoutMs).type() ==
         QDBusMessage::ReplyMessage;
}

}  // namespace dovrik::gnome
