// Turning KWin's outputs into the core's screens.
#include "linux/kwin/KWinScreens.h"

#include "core/windows/ScreenGeometry.h"
#include "linux/kwin/KWinSpace.h"

namespace dovrik::kwin {

KWinScreens::KWinScreens(KWinMirror& mirror, CommandSink send, DisplayIdentity identity)
    : mirror_(mirror), send_(std::move(send)), identity_(std::move(identity)) {
  subscription_ = mirror_.outputsChanged.connect([this] { changed.emit(); });
}

KWinScreens::~KWinScreens() {
  mirror_.outputsChanged.disconnect(subscription_);
}

std::vector<Screen> KWinScreens::screens() {
  const KWinSpace space(mirror_.outputs());
  std::vector<Screen> result;
  for (const KWinOutput& output : mirror_.outputs()) {
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

std::optional<Screen> KWinScreens::mainScreen() {
  const auto all = screens();
  if (all.empty())
    return std::nullopt;
  if (const auto active = mirror_.active()) {
    const KWinSpace space(mirror_.outputs());
    if (const auto index =
            screenIndexForFrame(all, space.toDesktop(mirror_.window(*active)->frame)))
      return all[*index];
  }
  return all.front();
}

std::optional<Point> KWinScreens::mouseLocation() {
  if (mirror_.answered())
    send_(CursorCommand{});
  const auto cursor = mirror_.cursor();
  if (!cursor)
    return std::nullopt;
  return KWinSpace(mirror_.outputs()).toDesktop(*cursor);
}

}  // namespace dovrik::kwin
