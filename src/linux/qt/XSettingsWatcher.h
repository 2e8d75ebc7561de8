// Follows the desktop's XSETTINGS theme name: the settings manager of the default screen owns
// the selection _XSETTINGS_S<screen> and publishes its settings on the owner window. Runs on its
// own X connection so that the events it asks for never change what Qt's connection receives.
#pragma once

#include <xcb/xcb.h>
#include <QObject>
#include <optional>
#include <string>

class QSocketNotifier;

namespace dovrik::qt {

class XSettingsWatcher : public QObject {
  Q_OBJECT

 public:
  // Without an X display it stays silent and knows no theme name.
  explicit XSettingsWatcher(QObject* parent = nullptr);
  ~XSettingsWatcher() override;
  XSettingsWatcher(const XSettingsWatcher&) = delete;
  XSettingsWatcher& operator=(const XSettingsWatcher&) = delete;

  // "Net/ThemeName" while a settings manager publishes it.
  const std::optional<std::string>& themeName() const { return themeName_; }

 Q_SIGNALS:
  void themeNameChanged();

 private:
  void handleEvents();
  void followOwner();
  void readThemeName();

  xcb_connection_t* connection_ = nullptr;
  QSocketNotifier* notifier_ = nullptr;
  xcb_window_t root_ = XCB_NONE;
  xcb_window_t owner_ = XCB_NONE;
  xcb_atom_t selection_ = XCB_NONE;
  xcb_atom_t settings_ = XCB_NONE;
  xcb_atom_t manager_ = XCB_NONE;
  std::optional<std::string> themeName_;
};

}  // namespace dovrik::qt
