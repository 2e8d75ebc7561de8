// Registering Dovrik's combinations with kglobalaccel and passing its presses to the handlers.
#include "linux/kwin/KWinHotkeys.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusServiceWatcher>
#include <QList>

#include "linux/kwin/KWinKeys.h"
#include "linux/kwin/KWinNames.h"

namespace dovrik::kwin {

// A QKeySequence as kglobalaccel sends it: a structure of its four key combinations.
struct DBusKeySequence {
  QList<int> keys;
};

}  // namespace dovrik::kwin

Q_DECLARE_METATYPE(dovrik::kwin::DBusKeySequence)

namespace dovrik::kwin {

QDBusArgument& operator<<(QDBusArgument& argument, const DBusKeySequence& sequence) {
  argument.beginStructure();
  argument << sequence.keys;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusKeySequence& sequence) {
  argument.beginStructure();
  argument >> sequence.keys;
  argument.endStructure();
  return argument;
}

namespace {

// kglobalaccel's flags: the action is present now, and the keys given are the ones to use,
// not ones remembered from an earlier session.
constexpr uint setPresent = 2;
constexpr uint noAutoloading = 4;

QDBusMessage globalAccel(const QString& method) {
  return QDBusMessage::createMethodCall(QString::fromLatin1(globalAccelService),
                                        QStringLiteral("/kglobalaccel"),
                                        QStringLiteral("org.kde.KGlobalAccel"), method);
}

}  // namespace

KWinHotkeys::KWinHotkeys(QDBusConnection connection, QString component)
    : connection_(std::move(connection)), component_(std::move(component)) {
  qDBusRegisterMetaType<DBusKeySequence>();
  qDBusRegisterMetaType<QList<DBusKeySequence>>();
  // Naming the service makes Qt take the signal from that name's owner only.
  connection_.connect(
      QString::fromLatin1(globalAccelService), QStringLiteral("/component/") + component_,
      QStringLiteral("org.kde.kglobalaccel.Component"), QStringLiteral("globalShortcutPressed"),
      this, SLOT(shortcutPressed(QString, QString, qlonglong)));
  watcher_ = new QDBusServiceWatcher(QString::fromLatin1(globalAccelService), connection_,
                                     QDBusServiceWatcher::WatchForRegistration, this);
  connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] { reclaimAll(); });
  releaseLeftovers();
}

KWinHotkeys::~KWinHotkeys() {
  for (const auto& [ref, held] : held_)
    release(held.keyCode, held.modifiers);
}

std::optional<HotkeyHandlerRef> KWinHotkeys::installHandler(HotkeyHandler handler) {
  return table_.installHandler(std::move(handler));
}

void KWinHotkeys::removeHandler(HotkeyHandlerRef handler) {
  table_.removeHandler(handler);
}

void KWinHotkeys::releaseLeftovers() {
  const QDBusMessage names = connection_.call(
      QDBusMessage::createMethodCall(
          QString::fromLatin1(globalAccelService), QStringLiteral("/component/") + component_,
          QStringLiteral("org.kde.kglobalaccel.Component"), QStringLiteral("shortcutNames")),
      QDBus::Block, callTimeoutMs);
  if (names.type() != QDBusMessage::ReplyMessage || names.arguments().isEmpty())
    return;
  for (const QString& name : names.arguments().constFirst().toStringList()) {
    QDBusMessage unregister = globalAccel(QStringLiteral("unregister"));
    unregister << component_ << name;
    connection_.call(unregister, QDBus::Block, callTimeoutMs);
  }
}

bool KWinHotkeys::claim(int keyCode, std::uint32_t modifiers, int combination) {
  const QString name = QString::fromStdString(shortcutName(keyCode, modifiers));
  const QStringList actionId{component_, name, QStringLiteral("Dovrik"),
                             QStringLiteral("Dovrik hotkey")};
  QDBusMessage doRegister = globalAccel(QStringLiteral("doRegister"));
  doRegister << actionId;
  if (connection_.call(doRegister, QDBus::Block, callTimeoutMs).type() !=
      QDBusMessage::ReplyMessage)
    return false;

  QDBusMessage set = globalAccel(QStringLiteral("setShortcutKeys"));
  set << actionId
      << QVariant::fromValue(QList<DBusKeySequence>{DBusKeySequence{{combination, 0, 0, 0}}})
      << (setPresent | noAutoloading);
  const QDBusMessage reply = connection_.call(set, QDBus::Block, callTimeoutMs);
  bool granted = false;
  if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
    const auto given =
        qdbus_cast<QList<DBusKeySequence>>(reply.arguments().constFirst().value<QDBusArgument>());
    granted = !given.isEmpty() && !given.constFirst().keys.isEmpty() &&
              given.constFirst().keys.constFirst() == combination;
  }
  if (!granted)
    release(keyCode, modifiers);
  return granted;
}

void KWinHotkeys::release(int keyCode, std::uint32_t modifiers) {
  QDBusMessage unregister = globalAccel(QStringLiteral("unregister"));
  unregister << component_ << QString::fromStdString(shortcutName(keyCode, modifiers));
  // Waited for, so that once released the combination is free for others.
  connection_.call(unregister, QDBus::Block, callTimeoutMs);
}

HotkeyRegistration KWinHotkeys::registerHotkey(int keyCode, std::uint32_t modifiers,
                                               EventHotKeyID id) {
  if (table_.isHeld(keyCode, modifiers))
    return {eventHotKeyExistsErr, std::nullopt};
  const auto combination = qtKeyCombination(keyCode, modifiers);
  if (!combination)
    return {invalidHotKeyStatus, std::nullopt};
  QDBusConnectionInterface* bus = connection_.interface();
  if (!bus || !bus->isServiceRegistered(QString::fromLatin1(globalAccelService)))
    return {invalidHotKeyStatus, std::nullopt};
  if (!claim(keyCode, modifiers, *combination))
    return {eventHotKeyExistsErr, std::nullopt};
  const HotkeyRef ref = table_.add(keyCode, modifiers, id);
  held_[ref] = Held{keyCode, modifiers, *combination};
  return {noErr, ref};
}

void KWinHotkeys::unregisterHotkey(HotkeyRef hotkey) {
  if (!table_.remove(hotkey))
    return;
  const auto it = held_.find(hotkey);
  if (it == held_.end())
    return;
  release(it->second.keyCode, it->second.modifiers);
  held_.erase(it);
}

void KWinHotkeys::reclaimAll() {
  // A new KWin knows nothing of us. A combination someone else took meanwhile stays
  // registered but silent, as on X11 after a lost regrab.
  for (const auto& [ref, held] : held_)
    claim(held.keyCode, held.modifiers, held.combination);
}

void KWinHotkeys::shortcutPressed(const QString& component, const QString& shortcut, qlonglong) {
  if (component != component_)
    return;
  if (const auto key = shortcutKeyOf(shortcut.toStdString()))
    table_.press(key->keyCode, key->modifiers);
}

}  // namespace dovrik::kwin
