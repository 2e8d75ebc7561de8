// Turning the mirrored outputs into the core's screens.
#include "linux/mirror/MirrorScreens.h"

#include "core/windows/ScreenGeometry.h"
#include "linux/mirror/MirrorSpace.h"

namespace dovrik::mirror {

MirrorScreens::MirrorScreens(WindowMirror& mirror, WindowControl& control, DisplayIdentity identity)
    : mirror_(mirror), control_(control), identity_(std::move(identity)) {
  subscription_ = mirror_.outputsChanged.connect([this] { changed.emit(); });
}

MirrorScreens::~MirrorScreens() {
  mirror_.outputsChanged.disconnect(subscription_);
}

Rect MirrorScreens::toWindowCoordinates(const Rect& desktopFrame) {
  const auto all = screens();
  return all.empty() ? desktopFrame : flipRect(desktopFrame, all.front().frame.height);
}

std::vector<Screen> MirrorScreens::screens() {
  const MirrorSpace space(mirror_.outputs());
  std::vector<Screen> result;
  for (const MirroredOutput& output : mirror_.outputs()) {
    Screen screen;
    screen.displayId = displayIdForName(output.name);
    screen.name = output.name;
    screen.frame = space.toDesktop(output.geometry);
    screen.visibleFrame = space.toDesktop(output.usable);
    if (identity_)
      screen.uuid = identity_(output.name, output.geometry);
    result.push_back(std::move(screen));
  }
  return result;
}

std::optional<Screen> MirrorScreens::mainScreen() {
  const auto all = screens();
  if (all.empty())
    return std::nullopt;
  if (const auto active = mirror_.active()) {
    const MirrorSpace space(mirror_.outputs());
    if (const auto index =
            screenIndexForFrame(all, space.toDesktop(mirror_.window(*active)->frame)))
      return all[*index];
  }
  return all.front();
}

std::optional<Point> MirrorScreens::mouseLocation() {
  if (mirror_.answered())
    control_.askForCursor();
  const auto cursor = mirror_.cursor();
  if (!cursor)
    return std::nullopt;
  return MirrorSpace(mirror_.outputs()).toDesktop(*cursor);
}

}  // namespace dovrik::mirror
