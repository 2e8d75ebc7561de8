#include "core/windows/FrameLanding.h"

#include <cmath>
#include <utility>

#include "core/windows/PlacedFrames.h"

namespace dovrik {

FrameLanding::~FrameLanding() {
  for (const auto& [handle, watch] : watches_)
    scheduler_.cancel(watch.poll);
}

void FrameLanding::watch(AXElement window, const Rect& target, Done done) {
  supersede(window);
  const std::optional<Rect> now = accessibility_.copyFrame(window);
  if (now && hasTakenFrame(*now, target)) {
    done(Landing{});
    return;
  }
  Watch& watch = watches_[window.handle];
  watch.target = target;
  watch.done = std::move(done);
  watch.pollsLeft = static_cast<int>(std::lround(patience / pollInterval));
  schedulePoll(window.handle, watch);
}

void FrameLanding::schedulePoll(std::uint64_t handle, Watch& watch) {
  watch.poll = scheduler_.after(pollInterval, lifetime_.guard([this, handle] { check(handle); }));
}

void FrameLanding::supersede(AXElement window) {
  if (watches_.contains(window.handle))
    finish(window.handle, Landing{});
}

void FrameLanding::check(std::uint64_t handle) {
  const auto it = watches_.find(handle);
  if (it == watches_.end())
    return;
  Watch& watch = it->second;
  const std::optional<Rect> now = accessibility_.copyFrame(AXElement{handle});
  if (now && hasTakenFrame(*now, watch.target)) {
    finish(handle, Landing{});
    return;
  }
  if (!now) {
    finish(handle, Landing{.outcome = Landing::Outcome::vanished});
    return;
  }
  if (--watch.pollsLeft <= 0) {
    finish(handle, Landing{.outcome = Landing::Outcome::missed, .frame = now});
    return;
  }
  schedulePoll(handle, watch);
}

void FrameLanding::finish(std::uint64_t handle, const Landing& landing) {
  const auto it = watches_.find(handle);
  scheduler_.cancel(it->second.poll);
  // Taken out first: the answer may start the next placement of the same window.
  Done done = std::move(it->second.done);
  watches_.erase(it);
  if (done)
    done(landing);
}

}  // namespace dovrik
