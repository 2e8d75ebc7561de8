// Keeps the window manager's own edge tiling off while Dovrik's drag snapping is on, since
// both act on the same release and the window manager's wins: a drag into a corner would end
// as the window manager's half. The user's value is recorded in Dovrik's store before anything
// is changed and put back when drag snapping goes off or Dovrik quits, or at the next start
// after a run that could not. Where the desktop does not follow window drags, Dovrik's drag
// snapping never acts, and the window manager's is left to do its work.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/drag/DragZoneManager.h"
#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/platform/Defaults.h"
#include "core/platform/EdgeTiling.h"
#include "core/platform/EventTap.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class EdgeTilingGuard {
 public:
  EdgeTilingGuard(Scheduler& scheduler, DefaultsDomains& defaults, EdgeTiling& edgeTiling,
                  const EventTap& eventTap, AppState& appState, AccessibilityTrust& trust,
                  DragZoneManager& zones);
  EdgeTilingGuard(const EdgeTilingGuard&) = delete;
  EdgeTilingGuard& operator=(const EdgeTilingGuard&) = delete;
  ~EdgeTilingGuard();

  // Brings the window manager's settings in line with the drag-snapping switches, and puts
  // back every value an earlier run left off that this one does not keep off. Settings are
  // read and written only when the switches or the window manager have changed since the
  // last time. Later changes of either are followed by themselves.
  void apply();
  // Dovrik is quitting: puts back every value Dovrik turned off (one that cannot be put back
  // now stays recorded for the next start) and follows no later change of the switches.
  void restoreAll();

  // The running window manager's name; empty when none runs.
  const std::string& windowManager() const { return windowManager_; }
  // Settings of the running window manager that Dovrik holds off now.
  const std::vector<EdgeTilingSetting>& heldOff() const { return heldOff_; }
  // Settings that are on and that Dovrik could not turn off: the user has to.
  const std::vector<EdgeTilingSetting>& leftOn() const { return leftOn_; }
  // What the user has to turn off by hand, in plain words; nothing while that is nobody's job.
  std::optional<std::string> leftOnNotice() const;
  // That Dovrik holds the window manager's edge tiling off, and until when.
  std::optional<std::string> heldOffNotice() const;

  Signal<> changed;

 private:
  struct Applied {
    bool active = false;
    std::string windowManager;
    friend bool operator==(const Applied&, const Applied&) = default;
  };

  bool dragSnappingActive() const;
  void scheduleApply();
  // Answers whether the setting is now held off by Dovrik.
  bool holdOff(const EdgeTilingSetting& setting);
  // Puts `original` back unless the value is back already.
  void restore(const std::string& id, bool original);
  std::map<std::string, bool> originals() const;
  void record(const std::string& id, bool original);
  void forget(const std::string& id);

  Scheduler& scheduler_;
  DefaultsDomains& defaults_;
  EdgeTiling& edgeTiling_;
  const EventTap& eventTap_;
  AppState& appState_;
  AccessibilityTrust& trust_;
  DragZoneManager& zones_;
  Defaults& store_;
  std::optional<Applied> applied_;
  std::string windowManager_;
  std::vector<EdgeTilingSetting> heldOff_;
  std::vector<EdgeTilingSetting> leftOn_;
  std::optional<TaskId> pendingApply_;
  Signal<>::Connection stateObserver_ = 0;
  Signal<>::Connection trustObserver_ = 0;
  Signal<>::Connection zonesObserver_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik
