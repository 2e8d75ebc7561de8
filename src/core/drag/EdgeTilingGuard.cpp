// Holding the window manager's edge tiling off, and giving the user's values back.
#include "core/drag/EdgeTilingGuard.h"

#include <utility>

namespace dovrik {
namespace {

// Setting id → the user's value before Dovrik turned it off. Kept until that value is back,
// so a run that ends without putting it back leaves it for the next one.
constexpr const char* kOriginals = "wmEdgeTilingOriginals";

std::string joined(const std::vector<EdgeTilingSetting>& settings) {
  std::string text;
  for (const EdgeTilingSetting& setting : settings)
    text += (text.empty() ? "" : "; ") + setting.turnOff;
  return text;
}

}  // namespace

EdgeTilingGuard::EdgeTilingGuard(Scheduler& scheduler, DefaultsDomains& defaults,
                                 EdgeTiling& edgeTiling, const EventTap& eventTap,
                                 AppState& appState, AccessibilityTrust& trust,
                                 DragZoneManager& zones)
    : scheduler_(scheduler),
      defaults_(defaults),
      edgeTiling_(edgeTiling),
      eventTap_(eventTap),
      appState_(appState),
      trust_(trust),
      zones_(zones),
      store_(defaults.application()) {
  // The store announces a change before making it: look once it is made. Look again when
  // trust changes, which may come with a window manager that has just started or been replaced.
  stateObserver_ = appState_.willChange.connect([this] { scheduleApply(); });
  trustObserver_ = trust_.changed.connect([this] { scheduleApply(); });
  zonesObserver_ = zones_.changed.connect([this] { scheduleApply(); });
}

EdgeTilingGuard::~EdgeTilingGuard() {
  appState_.willChange.disconnect(stateObserver_);
  trust_.changed.disconnect(trustObserver_);
  zones_.changed.disconnect(zonesObserver_);
  if (pendingApply_)
    scheduler_.cancel(*pendingApply_);
}

bool EdgeTilingGuard::dragSnappingActive() const {
  return eventTap_.followsWindowDrags() && appState_.snappingEnabled() &&
         zones_.dragSnappingEnabled();
}

void EdgeTilingGuard::scheduleApply() {
  if (pendingApply_)
    return;
  pendingApply_ = scheduler_.after(0, lifetime_.guard([this] {
    pendingApply_.reset();
    apply();
  }));
}

void EdgeTilingGuard::apply() {
  const WindowManagerTiling running = edgeTiling_.running();
  const Applied now{dragSnappingActive(), running.windowManager};
  // Settings are read by starting other programs: only when something that matters changed.
  if (applied_ == now)
    return;
  applied_ = now;
  windowManager_ = running.windowManager;
  heldOff_.clear();
  leftOn_.clear();
  std::set<std::string> kept;
  if (now.active) {
    for (const EdgeTilingSetting& setting : running.settings) {
      if (holdOff(setting))
        kept.insert(setting.id);
    }
  }
  for (const auto& [id, original] : originals()) {
    if (!kept.contains(id))
      restore(id, original);
  }
  changed.emit();
}

bool EdgeTilingGuard::holdOff(const EdgeTilingSetting& setting) {
  const std::optional<bool> on = edgeTiling_.isOn(setting.id);
  const bool recorded = originals().contains(setting.id);
  if (!on) {
    leftOn_.push_back(setting);
    return recorded;
  }
  if (!*on) {
    // Off already: by Dovrik in a run that ended without putting it back, or by the user,
    // whose value is then left alone and never recorded.
    if (recorded)
      heldOff_.push_back(setting);
    return recorded;
  }
  // Recorded before anything changes, so that no crash can lose the user's value; a value
  // still recorded from an earlier run is the older truth and stays.
  if (!recorded)
    record(setting.id, true);
  // A store that accepts a value without keeping it (GSettings without a backend keeps it in
  // memory only) must not count as switched.
  if (edgeTiling_.setOn(setting.id, false) && edgeTiling_.isOn(setting.id) == false) {
    heldOff_.push_back(setting);
    return true;
  }
  leftOn_.push_back(setting);
  return false;
}

void EdgeTilingGuard::restore(const std::string& id, bool original) {
  const std::optional<bool> now = edgeTiling_.isOn(id);
  // Unreadable now (the window manager's settings daemon gone with its session): the record
  // stays for a run that can read it.
  if (!now)
    return;
  // Already back: given back by the user, and nothing is written over it.
  if (*now == original || edgeTiling_.setOn(id, original))
    forget(id);
}

void EdgeTilingGuard::restoreAll() {
  // A setting stored while the program winds down must not take the tiling away again.
  appState_.willChange.disconnect(std::exchange(stateObserver_, 0));
  trust_.changed.disconnect(std::exchange(trustObserver_, 0));
  zones_.changed.disconnect(std::exchange(zonesObserver_, 0));
  if (pendingApply_) {
    scheduler_.cancel(*pendingApply_);
    pendingApply_.reset();
  }
  for (const auto& [id, original] : originals())
    restore(id, original);
  applied_.reset();
  heldOff_.clear();
  changed.emit();
}

std::optional<std::string> EdgeTilingGuard::leftOnNotice() const {
  if (leftOn_.empty())
    return std::nullopt;
  return windowManager_ +
         " tiles windows dropped on a screen edge itself, and Dovrik could not turn that off, so "
         "a drag may end where " +
         windowManager_ +
         " puts the window rather than where Dovrik shows. To turn it off: " + joined(leftOn_) +
         ".";
}

std::optional<std::string> EdgeTilingGuard::heldOffNotice() const {
  if (heldOff_.empty())
    return std::nullopt;
  return windowManager_ +
         "'s own edge tiling is off while drag snapping is on; Dovrik turns it back on when drag "
         "snapping is switched off or Dovrik quits.";
}

std::map<std::string, bool> EdgeTilingGuard::originals() const {
  std::map<std::string, bool> values;
  if (const auto stored = store_.object(kOriginals); stored && stored->asDict()) {
    for (const auto& [id, original] : *stored->asDict()) {
      // A value of another type is not Dovrik's writing: nothing to put back.
      if (const auto on = original.asBool())
        values.emplace(id, *on);
    }
  }
  return values;
}

void EdgeTilingGuard::record(const std::string& id, bool original) {
  DefaultsValue::Dict originals;
  if (const auto value = store_.object(kOriginals); value && value->asDict())
    originals = *value->asDict();
  originals[id] = original;
  store_.set(kOriginals, std::move(originals));
}

void EdgeTilingGuard::forget(const std::string& id) {
  const auto value = store_.object(kOriginals);
  if (!value || !value->asDict())
    return;
  DefaultsValue::Dict originals = *value->asDict();
  originals.erase(id);
  if (originals.empty())
    store_.remove(kOriginals);
  else
    store_.set(kOriginals, std::move(originals));
}

}  // namespace dovrik
