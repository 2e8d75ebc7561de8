// Light or dark, as the desktop says: the XDG desktop portal's appearance setting when a portal
// answers with a preference, else the XSETTINGS theme name, else the lightness of Qt's palette.
// Announces every change while the program runs.
#pragma once

#include <QObject>
#include <cstdint>
#include <optional>
#include <string>

#include "core/theme/ColorScheme.h"

class QDBusMessage;
class QDBusPendingCallWatcher;

namespace dovrik::qt {

class XSettingsWatcher;

class ColorSchemeWatcher : public QObject {
  Q_OBJECT

 public:
  // Asks the portal without waiting for it; until it answers the scheme follows XSETTINGS and
  // the palette. Needs a QGuiApplication.
  explicit ColorSchemeWatcher(QObject* parent = nullptr);

  ColorScheme scheme() const { return scheme_; }

  // The portal's "color-scheme" (1 prefers dark, 2 prefers light, anything else states no
  // preference), then the theme name, then the palette.
  static ColorScheme choose(std::optional<std::uint32_t> portalValue,
                            const std::optional<std::string>& themeName, bool paletteIsDark);

 Q_SIGNALS:
  void schemeChanged(dovrik::ColorScheme scheme);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private Q_SLOTS:
  void onPortalSettingChanged(const QDBusMessage& message);

 private:
  void readPortal(const char* method);
  void onPortalReply(QDBusPendingCallWatcher* call, const char* method);
  void update();

  XSettingsWatcher* xsettings_;
  std::optional<std::uint32_t> portalValue_;
  ColorScheme scheme_ = ColorScheme::light;
};

}  // namespace dovrik::qt
