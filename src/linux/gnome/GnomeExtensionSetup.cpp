// Asking the Shell's extension service about Dovrik's extension, and installing and turning it on.
#include "linux/gnome/GnomeExtensionSetup.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QFile>
#include <fstream>
#include <system_error>

#include "linux/desktop/SettingsTool.h"
#include "linux/gnome/EnabledExtensions.h"
#include "linux/gnome/GnomeNames.h"

namespace dovrik::gnome {

namespace {

// The Shell's numbers for an extension's state (js/misc/extensionUtils.js).
constexpr int enabledState = 1;
constexpr int errorState = 3;
constexpr int outOfDateState = 4;

QDBusMessage extensionsCall(const char* method) {
  QDBusMessage message = QDBusMessage::createMethodCall(
      QString::fromLatin1(shellService), QStringLiteral("/org/gnome/Shell"),
      QStringLiteral("org.gnome.Shell.Extensions"), QString::fromLatin1(method));
  message << QString::fromLatin1(extensionUuid);
  message.setAutoStartService(false);
  return message;
}

std::filesystem::path extensionFolder(const std::filesystem::path& dataDir) {
  return dataDir / "gnome-shell" / "extensions" / extensionUuid;
}

}  // namespace

GnomeExtensionSetup::GnomeExtensionSetup(QDBusConnection connection, std::filesystem::path dataHome,
                                         std::vector<std::filesystem::path> dataDirs)
    : connection_(std::move(connection)),
      dataHome_(std::move(dataHome)),
      dataDirs_(std::move(dataDirs)) {}

ExtensionState GnomeExtensionSetup::state() const {
  const QDBusMessage reply =
      connection_.call(extensionsCall("GetExtensionInfo"), QDBus::Block, callTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
    return ExtensionState::off;
  const QVariantMap info = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
  // An extension the Shell did not find at its start is unknown to it: empty information.
  if (info.isEmpty()) {
    const auto enabled = readEnabledExtensions();
    const bool turnedOn = enabled && isListed(*enabled, extensionUuid);
    const bool installed =
        installedForEveryone() || std::filesystem::exists(extensionFolder(dataHome_));
    return turnedOn && installed ? ExtensionState::needsLogin : ExtensionState::off;
  }
  switch (info.value(QStringLiteral("state")).toInt()) {
    case enabledState:
      return ExtensionState::running;
    case errorState:
    case outOfDateState:
      return ExtensionState::failed;
    default:
      return ExtensionState::off;
  }
}

ExtensionState GnomeExtensionSetup::enable(std::string* error) {
  if (!installedForEveryone()) {
    if (auto failure = writeUserCopy()) {
      if (error)
        *error = *failure;
      return state();
    }
  }
  const QDBusMessage reply =
      connection_.call(extensionsCall("EnableExtension"), QDBus::Block, callTimeoutMs);
  const bool enabledNow = reply.type() == QDBusMessage::ReplyMessage &&
                          !reply.arguments().isEmpty() && reply.arguments().constFirst().toBool();
  // A Shell that does not know the extension yet turns nothing on; GNOME's settings keep it
  // for the next login.
  if (!enabledNow && !addToEnabledExtensions() && error)
    *error = "GNOME's settings could not be changed (gsettings failed).";
  return state();
}

bool GnomeExtensionSetup::installedForEveryone() const {
  for (const auto& dir : dataDirs_) {
    std::error_code ignored;
    if (std::filesystem::exists(extensionFolder(dir) / "metadata.json", ignored))
      return true;
  }
  return false;
}

std::optional<int> GnomeExtensionSetup::shellMajorVersion() const {
  QDBusMessage get = QDBusMessage::createMethodCall(
      QString::fromLatin1(shellService), QStringLiteral("/org/gnome/Shell"),
      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << QStringLiteral("org.gnome.Shell") << QStringLiteral("ShellVersion");
  const QDBusMessage reply = connection_.call(get, QDBus::Block, callTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
    return std::nullopt;
  const QString version =
      qdbus_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toString();
  bool ok = false;
  const int major = version.section(QLatin1Char('.'), 0, 0).toInt(&ok);
  return ok ? std::optional<int>(major) : std::nullopt;
}

std::optional<std::string> GnomeExtensionSetup::writeUserCopy() const {
  // GNOME 45 made extensions ES modules; the Shells before it load scripts.
  const auto major = shellMajorVersion();
  const QString format =
      major && *major >= 45 ? QStringLiteral("modules") : QStringLiteral("legacy");
  const std::filesystem::path folder = extensionFolder(dataHome_);
  std::error_code failed;
  std::filesystem::create_directories(folder, failed);
  if (failed)
    return "Could not make " + folder.string() + ": " + failed.message();
  for (const char* name : {"metadata.json", "extension.js", "shell.js"}) {
    QFile packaged(QStringLiteral(":/dovrik/gnome-extension/") + format + QLatin1Char('/') +
                   QString::fromLatin1(extensionUuid) + QLatin1Char('/') +
                   QString::fromLatin1(name));
    if (!packaged.open(QIODevice::ReadOnly))
      return std::string("This Dovrik was built without its GNOME Shell extension.");
    const QByteArray bytes = packaged.readAll();
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), bytes.size());
    if (!out.flush())
      return "Could not write " + (folder / name).string() + ".";
  }
  return std::nullopt;
}

bool GnomeExtensionSetup::addToEnabledExtensions() const {
  auto enabled = readEnabledExtensions();
  if (!enabled)
    return false;
  if (isListed(*enabled, extensionUuid))
    return true;
  enabled->push_back(extensionUuid);
  return writeEnabledExtensions(*enabled);
}

}  // namespace dovrik::gnome
