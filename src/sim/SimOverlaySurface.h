// The simulated preview window: records frames, content, ordering and alpha, and runs alpha
// animations in virtual time.
#pragma once

#include <optional>
#include <vector>

#include "core/platform/OverlaySurface.h"
#include "core/support/Lifetime.h"
#include "sim/SimClock.h"

namespace dovrik::sim {

class SimOverlaySurface : public OverlaySurface {
 public:
  struct Animation {
    double from = 0;
    double to = 0;
    double start = 0;
    double seconds = 0;
    AnimationCurve curve = AnimationCurve::easeOut;
    friend bool operator==(const Animation&, const Animation&) = default;
  };

  explicit SimOverlaySurface(SimClock& clock) : clock_(clock) {}

  void setFrame(const Rect& desktopFrame) override { frames.push_back(desktopFrame); }
  void setContent(const OverlayContent& content) override { contents.push_back(content); }
  bool isVisible() const override { return visible_; }
  void setAlpha(double alpha) override;
  void orderFront() override;
  void orderOut() override;
  void animateAlpha(double target, double seconds, AnimationCurve curve,
                    std::function<void()> completion) override;

  // The alpha at the present virtual moment, part-way through a running animation.
  double alpha() const;
  std::optional<Rect> frame() const {
    return frames.empty() ? std::nullopt : std::optional<Rect>(frames.back());
  }

  std::vector<Rect> frames;
  std::vector<OverlayContent> contents;
  std::vector<Animation> animations;
  int orderFrontCount = 0;
  int orderOutCount = 0;

 private:
  SimClock& clock_;
  bool visible_ = false;
  double alpha_ = 1.0;
  // Index into `animations` of the one still driving the alpha.
  std::optional<std::size_t> running_;
  Lifetime lifetime_;
};

}  // namespace dovrik::sim
