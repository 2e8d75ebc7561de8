// Keeps the mirror in line with sway: reads the windows, workspaces and outputs when Dovrik
// starts, and again whenever sway tells of a change to windows or workspaces, so the mirror
// always holds what sway itself answers (frames, the usable areas bars leave, the focus). A
// window reported on its own (a mark set on it) is taken as reported. Key bindings that ran
// are passed on; the subscription's socket is watched on Qt's event loop.
#pragma once

#include <QSocketNotifier>
#include <memory>
#include <string>
#include <vector>

#include "core/support/Signal.h"
#include "linux/i3ipc/I3Client.h"
#include "linux/i3ipc/I3Outputs.h"
#include "linux/i3ipc/I3Subscription.h"
#include "linux/i3ipc/I3Tree.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::sway {

class SwayReports {
 public:
  SwayReports(i3ipc::I3Client& client, mirror::WindowMirror& mirror);
  SwayReports(const SwayReports&) = delete;
  SwayReports& operator=(const SwayReports&) = delete;
  ~SwayReports();

  // Subscribes and reads everything; false when sway cannot be reached.
  bool start();
  // Reads the windows, workspaces and outputs again and brings the mirror in line with them.
  void refresh();
  // The outputs as sway last described them.
  const std::vector<i3ipc::I3Output>& outputs() const { return outputs_; }

  // The command of a key binding that ran ("nop dovrik:…" for Dovrik's own).
  Signal<const std::string&> bindingRan;
  // sway read its config again and dropped the bindings made at run time.
  Signal<> configReloaded;
  // sway went away: no further reports come.
  Signal<> ended;

 private:
  void readEvents();
  // Brings a window the mirror knows in line with a report of it alone; false for one it does
  // not know, which only a whole reading can place.
  bool take(const i3ipc::I3Window& reported);

  i3ipc::I3Client& client_;
  mirror::WindowMirror& mirror_;
  std::unique_ptr<i3ipc::I3Subscription> subscription_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::vector<i3ipc::I3Output> outputs_;
};

}  // namespace dovrik::sway
