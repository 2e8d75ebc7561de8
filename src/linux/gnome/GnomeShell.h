// Dovrik's end of the conversation with its GNOME Shell extension. Owning Dovrik's well-known
// name on the session bus is what lets Dovrik in: the extension answers that name's owner only,
// and sends its signals to it alone. Signals are taken from the owner of org.gnome.Shell only.
//
// The extension's reports keep the mirror current; everything else is a call, answered
// asynchronously unless a port must answer at once.
#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Geometry.h"
#include "core/support/Signal.h"
#include "linux/mirror/WindowMirror.h"

class QDBusMessage;
class QDBusServiceWatcher;

namespace dovrik::gnome {

// A monitor as mutter's display configuration names it, with its EDID's identity.
struct MonitorIdentity {
  std::string connector;
  std::string vendor;
  std::string product;
  std::string serial;
  friend bool operator==(const MonitorIdentity&, const MonitorIdentity&) = default;
};

struct PointerState {
  Point position;
  std::uint32_t modifiers = 0;  // Clutter's modifier mask
};

class GnomeShell : public QObject {
  Q_OBJECT

 public:
  // Takes Dovrik's name on `connection` and asks the extension for everything it knows.
  GnomeShell(QDBusConnection connection, mirror::WindowMirror& mirror);
  ~GnomeShell() override;

  // Whether Dovrik's name is ours; false when another Dovrik holds it.
  bool ownsName() const { return ownsName_; }
  // Whether the extension answered since it last came.
  bool isAnswering() const { return answering_; }

  void setFrame(const std::string& id, const Rect& frame);
  void activate(const std::string& id);
  // The pointer and the modifiers held, asked and waited for; nothing without the extension.
  std::optional<PointerState> pointerNow() const;
  // Reports the pointer to the mirror once the extension answers.
  void askForPointer();
  void monitors(std::function<void(std::vector<MonitorIdentity>)> done);

  // mutter's action number for the accelerator ("<Control><Alt>h"); 0 when mutter refused it
  // (a binding of GNOME's own or another program's holds it); nothing when the extension did
  // not answer.
  std::optional<std::uint32_t> grabAccelerator(const std::string& accelerator);
  void ungrabAccelerator(std::uint32_t action);

  // The clipboard's content in `type`; nothing when it is gone, cannot be read, or has more
  // than `limit` bytes. `done` runs on the main loop.
  void readClipboard(const std::string& type, std::size_t limit,
                     std::function<void(std::optional<std::string>)> done);
  // Takes the clipboard (and the primary selection) with `bytes` of `type`; the extension
  // reports the change as Dovrik's own.
  void writeClipboard(const std::string& type, const std::string& bytes, bool alsoPrimary);

  // Presses the keys in order and releases them in reverse, on the extension's keyboard.
  void pressKeys(const std::vector<std::uint32_t>& keyvals);

  // The preview: a picture of premultiplied ARGB32 pixels (width × height × 4 bytes) shown in
  // the Shell's coordinates, its opacity eased to `alpha` over `milliseconds`, and taken away.
  void showPreview(const Rect& frame, const QByteArray& premultipliedArgb);
  void fadePreview(double alpha, std::uint32_t milliseconds);
  void hidePreview();

  // mutter's edge tiling off while Dovrik asks; `userValue` back after, or when Dovrik or the
  // extension goes. Both answer whether the extension carried it out.
  bool suspendEdgeTiling(bool userValue);
  bool restoreEdgeTiling();

  // The extension answered after it came (or after Dovrik started): everything Dovrik held
  // there (hotkeys) must be asked for again.
  Signal<> answered;
  // The extension went (disabled, or the Shell ended): nothing Dovrik held there is held.
  Signal<> closed;
  // GNOME Shell left the session bus: on Wayland the session ends with it.
  Signal<> shellGone;
  Signal<std::uint32_t> acceleratorPressed;
  // The clipboard's owner changed: the types of the new content, and whether Dovrik wrote it.
  Signal<const std::vector<std::string>&, bool> clipboardChanged;

 private Q_SLOTS:
  void onReady();
  void onClosing();
  void onReport(const QString& json);
  void onAccelerator(uint action);
  void onClipboardChanged(const QStringList& types, bool byDovrik);

 private:
  QDBusMessage call(const char* method) const;
  void send(const QDBusMessage& message);
  void hello();
  void lose();

  QDBusConnection connection_;
  mirror::WindowMirror& mirror_;
  bool ownsName_ = false;
  bool answering_ = false;
  // Hellos overtaken by a later one are ignored.
  int helloGeneration_ = 0;
  QDBusServiceWatcher* shellWatcher_ = nullptr;
};

}  // namespace dovrik::gnome
