#include "linux/sway/SwayReports.h"

#include <chrono>
#include <map>
#include <variant>

#include "linux/i3ipc/I3Events.h"
#include "linux/i3ipc/I3Tree.h"
#include "linux/i3ipc/I3Workspaces.h"
#include "linux/sway/SwayHotkeyTag.h"
#include "linux/sway/SwayState.h"

namespace dovrik::sway {

SwayReports::SwayReports(i3ipc::I3Client& client, mirror::WindowMirror& mirror)
    : client_(client), mirror_(mirror) {}

SwayReports::~SwayReports() = default;

bool SwayReports::start() {
  subscription_ = i3ipc::I3Subscription::open(
      client_.socketPath(), {"window", "workspace", "binding"}, std::chrono::milliseconds(2000));
  if (!subscription_)
    return false;
  notifier_ = std::make_unique<QSocketNotifier>(subscription_->fd(), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
  refresh();
  // Events that came with the subscription's reply are read already and never signalled.
  readEvents();
  return mirror_.answered();
}

void SwayReports::refresh() {
  // Asked together: a binding waits on this reading.
  const auto replies =
      client_.requestAll({i3ipc::MessageType::getTree, i3ipc::MessageType::getWorkspaces,
                          i3ipc::MessageType::getOutputs});
  if (!replies)
    return;
  const auto windows = i3ipc::decodeTree((*replies)[0]);
  const auto spaces = i3ipc::decodeWorkspaces((*replies)[1]);
  auto described = i3ipc::decodeOutputs((*replies)[2]);
  if (!windows || !spaces || !described)
    return;
  outputs_ = std::move(*described);
  SwayState state = swayState(outputs_, *spaces, *windows);
  if (!mirror_.answered()) {
    mirror_.replaceAll(std::move(state.outputs), state.windows, state.activeId);
    return;
  }
  if (state.outputs != mirror_.outputs())
    mirror_.setOutputs(std::move(state.outputs));
  std::map<std::string, const mirror::MirroredWindow*> now;
  for (const mirror::MirroredWindow& window : state.windows)
    now[window.id] = &window;
  for (const mirror::WindowHandle handle : mirror_.windows()) {
    const mirror::MirroredWindow* known = mirror_.window(handle);
    if (known && !now.contains(known->id))
      mirror_.removeWindow(known->id);
  }
  for (const mirror::MirroredWindow& window : state.windows) {
    const auto handle = mirror_.handleOf(window.id);
    if (!handle)
      mirror_.addWindow(window);
    else if (*mirror_.window(*handle) != window)
      mirror_.changeWindow(window);
  }
  mirror_.setActive(state.activeId);
}

bool SwayReports::take(const i3ipc::I3Window& reported) {
  const auto handle = mirror_.handleOf(std::to_string(reported.conId));
  const mirror::MirroredWindow* known = handle ? mirror_.window(*handle) : nullptr;
  if (!known)
    return false;
  // An event does not say on which output the window is: the one holding most of it, else
  // the one it was on.
  mirror::MirroredWindow window = mirroredWindow(reported);
  window.output = known->output;
  double most = 0;
  for (const mirror::MirroredOutput& output : mirror_.outputs())
    if (const double shared = output.geometry.intersectionArea(window.frame); shared > most) {
      most = shared;
      window.output = output.name;
    }
  if (window != *known)
    mirror_.changeWindow(window);
  return true;
}

void SwayReports::readEvents() {
  if (!subscription_)
    return;
  // One reading for a burst of events (a new window comes with its focus and workspace
  // changes), and one before a binding runs unless the binding reported the focused window
  // itself: sway tells of no move or resize of a floating window, by a command or the pointer,
  // so only a fresh report knows where it is now.
  bool changed = false;
  for (const i3ipc::Frame& frame : subscription_->readAvailable()) {
    const auto event = i3ipc::decodeEvent(frame);
    if (!event)
      continue;
    if (const auto* space = std::get_if<i3ipc::WorkspaceEvent>(&*event);
        space && space->change == "reload")
      configReloaded.emit();
    if (const auto* window = std::get_if<i3ipc::WindowEvent>(&*event);
        window && window->change == i3ipc::WindowEvent::Change::mark && take(window->window))
      continue;
    const auto* binding = std::get_if<i3ipc::BindingEvent>(&*event);
    if (!binding) {
      changed = true;
      continue;
    }
    if (changed || !marksFocusedWindow(binding->command))
      refresh();
    changed = false;
    bindingRan.emit(binding->command);
  }
  if (changed)
    refresh();
  if (subscription_->ended()) {
    notifier_.reset();
    subscription_.reset();
    mirror_.forget();
    ended.emit();
  }
}

}  // namespace dovrik::sway
