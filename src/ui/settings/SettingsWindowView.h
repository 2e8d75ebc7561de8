// The settings window on the desktop: a normal top-level window built over the content the
// core hands it, centred on the screen under the pointer and activated through the window
// manager. While a shortcut badge records, the window holds the keyboard, so neither the
// window manager's bindings nor other applications see the keys, and hands each press to the
// recorder by key position.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "core/platform/SettingsWindow.h"
#include "core/settings/ShortcutRecorder.h"
#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

class SettingsView;

class SettingsWindowView : public QWidget, public SettingsWindow {
 public:
  // The US-layout key code of the key at an X key code, or -1 for a key without one.
  using KeyPosition = std::function<int(quint32 nativeScanCode)>;

  SettingsWindowView(ColorScheme scheme, KeyPosition keyPosition);
  ~SettingsWindowView() override;

  void show(SettingsContent& content) override;
  // Re-colours the content at once, also while it is shown.
  void setColorScheme(ColorScheme scheme);

  SettingsView* content() const { return view_; }
  // Whether a recording holds the keyboard.
  bool hasKeyboard() const { return hasKeyboard_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void buildView();
  void recordKeys(ShortcutRecorder& recorder);
  void tryToGrabKeyboard();
  void endRecording();

  ColorScheme scheme_;
  KeyPosition keyPosition_;
  SettingsContent* content_ = nullptr;
  SettingsView* view_ = nullptr;
  ShortcutRecorder* recorder_ = nullptr;
  Signal<>::Connection recorderObserver_ = 0;
  bool hasKeyboard_ = false;
  // Another client (a closing menu, the pointer's button) may hold the keyboard for a moment.
  QTimer grabRetry_;
  int grabAttemptsLeft_ = 0;
};

}  // namespace dovrik::ui
