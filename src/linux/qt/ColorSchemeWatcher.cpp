// Asking the portal over the session bus, listening for its changes, and falling back.
#include "linux/qt/ColorSchemeWatcher.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <cstring>

#include "linux/qt/XSettings.h"
#include "linux/qt/XSettingsWatcher.h"

namespace dovrik::qt {
namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceNamespace = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
// The call is asynchronous, so start-up never waits for it; the time only bounds how long a
// portal being started by the bus may take before it counts as absent.
constexpr int portalTimeoutMs = 3000;

// The value comes wrapped in a variant; the older Read method wraps it once more.
std::optional<std::uint32_t> unwrapValue(QVariant value) {
  while (value.metaType() == QMetaType::fromType<QDBusVariant>())
    value = value.value<QDBusVariant>().variant();
  bool ok = false;
  const std::uint32_t number = value.toUInt(&ok);
  return ok ? std::optional(number) : std::nullopt;
}

bool paletteIsDark() {
  const QPalette palette = QGuiApplication::palette();
  return palette.color(QPalette::Window).lightness() <
         palette.color(QPalette::WindowText).lightness();
}

}  // namespace

ColorSchemeWatcher::ColorSchemeWatcher(QObject* parent)
    : QObject(parent), xsettings_(new XSettingsWatcher(this)) {
  connect(xsettings_, &XSettingsWatcher::themeNameChanged, this, [this] { update(); });
  qApp->installEventFilter(this);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (bus.isConnected()) {
    bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"),
                this, SLOT(onPortalSettingChanged(QDBusMessage)));
    readPortal("ReadOne");
  }
  scheme_ = choose(portalValue_, xsettings_->themeName(), paletteIsDark());
}

ColorScheme ColorSchemeWatcher::choose(std::optional<std::uint32_t> portalValue,
                                       const std::optional<std::string>& themeName,
                                       bool paletteIsDark) {
  if (portalValue == 1)
    return ColorScheme::dark;
  if (portalValue == 2)
    return ColorScheme::light;
  if (themeName)
    return isDarkThemeName(*themeName) ? ColorScheme::dark : ColorScheme::light;
  return paletteIsDark ? ColorScheme::dark : ColorScheme::light;
}

bool ColorSchemeWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
    update();
  return QObject::eventFilter(watched, event);
}

void ColorSchemeWatcher::readPortal(const char* method) {
  QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface,
                                                     QString::fromLatin1(method));
  call << appearanceNamespace << colorSchemeKey;
  auto* watcher = new QDBusPendingCallWatcher(
      QDBusConnection::sessionBus().asyncCall(call, portalTimeoutMs), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, method](QDBusPendingCallWatcher* finished) { onPortalReply(finished, method); });
}

void ColorSchemeWatcher::onPortalReply(QDBusPendingCallWatcher* call, const char* method) {
  call->deleteLater();
  const QDBusPendingReply<QDBusVariant> reply = *call;
  if (reply.isError()) {
    // Portals before version 2 of the interface have only the older Read.
    if (std::strcmp(method, "ReadOne") == 0 && reply.error().type() == QDBusError::UnknownMethod)
      readPortal("Read");
    return;
  }
  portalValue_ = unwrapValue(reply.argumentAt(0));
  update();
}

void ColorSchemeWatcher::onPortalSettingChanged(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (arguments.size() < 3 || arguments[0].toString() != appearanceNamespace ||
      arguments[1].toString() != colorSchemeKey)
    return;
  portalValue_ = unwrapValue(arguments[2]);
  update();
}

void ColorSchemeWatcher::update() {
  const ColorScheme now = choose(portalValue_, xsettings_->themeName(), paletteIsDark());
  if (now == scheme_)
    return;
  scheme_ = now;
  Q_EMIT schemeChanged(scheme_);
}

}  // namespace dovrik::qt
