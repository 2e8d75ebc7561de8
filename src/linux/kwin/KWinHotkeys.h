// The Hotkeys port over KWin's global shortcuts (the kglobalaccel service KWin runs): each
// combination is an action of Dovrik's own component. kglobalaccel does not hand out a
// combination another action holds, so one that KWin or another program owns is refused, as a
// grab another client holds is on X11. Registrations are renewed when KWin comes back.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>

#include "core/hotkeys/HotkeyTable.h"
#include "core/platform/Hotkeys.h"

class QDBusServiceWatcher;

namespace dovrik::kwin {

class KWinHotkeys : public QObject, public Hotkeys {
  Q_OBJECT

 public:
  explicit KWinHotkeys(QDBusConnection connection, QString component = QStringLiteral("dovrik"));
  ~KWinHotkeys() override;

  std::optional<HotkeyHandlerRef> installHandler(HotkeyHandler handler) override;
  void removeHandler(HotkeyHandlerRef handler) override;
  // eventHotKeyExistsErr when this process or any other holder of KWin's global shortcuts has
  // the combination; invalidHotKeyStatus for a key outside the table or without kglobalaccel.
  HotkeyRegistration registerHotkey(int keyCode, std::uint32_t modifiers,
                                    EventHotKeyID id) override;
  void unregisterHotkey(HotkeyRef hotkey) override;

  // Carbon's status for a hotkey that cannot be expressed.
  static constexpr int invalidHotKeyStatus = -9879;

 private Q_SLOTS:
  void shortcutPressed(const QString& component, const QString& shortcut, qlonglong timestamp);

 private:
  // Registers the action and asks for the combination; false, with the action gone again,
  // when kglobalaccel gave it none.
  bool claim(int keyCode, std::uint32_t modifiers, int combination);
  void release(int keyCode, std::uint32_t modifiers);
  // Drops actions an earlier Dovrik left behind, which would hold their combinations against us.
  void releaseLeftovers();
  void reclaimAll();

  QDBusConnection connection_;
  QString component_;
  HotkeyTable table_;
  struct Held {
    int keyCode = 0;
    std::uint32_t modifiers = 0;
    int combination = 0;
  };
  std::map<HotkeyRef, Held> held_;
  QDBusServiceWatcher* watcher_ = nullptr;
};

}  // namespace dovrik::kwin
