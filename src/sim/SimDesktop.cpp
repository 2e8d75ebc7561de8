// The simulated desktop's element tree, screens and applications.
#include "sim/SimDesktop.h"

#include <algorithm>

namespace dovrik::sim {
namespace {

// Accessibility space grows downward, so the top and left edges are inside.
bool contains(const Rect& r, Point p) {
  return p.x >= r.minX() && p.x < r.maxX() && p.y >= r.minY() && p.y < r.maxY();
}

}  // namespace

SimDesktop::SimDesktop(const Clock& clock) : clock_(clock) {}

// --- Screens ---

std::vector<Screen> SimDesktop::screens() {
  return screens_;
}

std::optional<Screen> SimDesktop::mainScreen() {
  for (const Screen& s : screens_) {
    if (s.displayId == mainDisplay_)
      return s;
  }
  if (screens_.empty())
    return std::nullopt;
  return screens_.front();
}

std::uint32_t SimDesktop::addScreen(Rect frame, Rect visibleFrame,
                                    std::optional<std::string> uuid) {
  const std::uint32_t id = nextDisplay_++;
  screens_.push_back(
      Screen{id, "Screen " + std::to_string(id), frame, visibleFrame, std::move(uuid)});
  if (mainDisplay_ == 0)
    mainDisplay_ = id;
  changed.emit();
  return id;
}

void SimDesktop::removeScreen(std::uint32_t displayId) {
  std::erase_if(screens_, [&](const Screen& s) { return s.displayId == displayId; });
  if (mainDisplay_ == displayId)
    mainDisplay_ = screens_.empty() ? 0 : screens_.front().displayId;
  changed.emit();
}

void SimDesktop::moveScreen(std::uint32_t displayId, Rect frame, Rect visibleFrame) {
  for (Screen& s : screens_) {
    if (s.displayId == displayId) {
      s.frame = frame;
      s.visibleFrame = visibleFrame;
    }
  }
  changed.emit();
}

void SimDesktop::setMainScreen(std::uint32_t displayId) {
  mainDisplay_ = displayId;
}

// --- Applications ---

std::optional<RunningApp> SimDesktop::frontmostApplication() {
  if (!frontmost_)
    return std::nullopt;
  if (const App* app = appFor(*frontmost_))
    return app->info;
  return std::nullopt;
}

std::vector<RunningApp> SimDesktop::runningApplications() {
  std::vector<RunningApp> result;
  for (const App& app : apps_)
    result.push_back(app.info);
  return result;
}

void SimDesktop::addApp(RunningApp info) {
  if (App* existing = appFor(info.pid)) {
    existing->info = std::move(info);
    return;
  }
  const ProcessId pid = info.pid;
  const std::uint64_t element = newElement(Element{.kind = Kind::Application, .pid = pid});
  apps_.push_back(App{std::move(info), element, false});
}

void SimDesktop::launchApp(RunningApp info) {
  addApp(info);
  didLaunch.emit(info);
}

void SimDesktop::terminateApp(ProcessId pid) {
  if (App* app = appFor(pid))
    app->info.isTerminated = true;
}

void SimDesktop::setFrontmostApp(std::optional<ProcessId> pid) {
  frontmost_ = pid;
}

SimDesktop::App* SimDesktop::appFor(ProcessId pid) {
  for (App& app : apps_) {
    if (app.info.pid == pid)
      return &app;
  }
  return nullptr;
}

// --- Windows and elements ---

std::uint64_t SimDesktop::newElement(Element element) {
  const std::uint64_t handle = nextHandle_++;
  elements_.emplace(handle, std::move(element));
  return handle;
}

SimDesktop::Element* SimDesktop::find(std::uint64_t handle) {
  const auto it = elements_.find(handle);
  return it == elements_.end() ? nullptr : &it->second;
}

const SimDesktop::Element* SimDesktop::find(std::uint64_t handle) const {
  const auto it = elements_.find(handle);
  return it == elements_.end() ? nullptr : &it->second;
}

AXElement SimDesktop::applicationElement(ProcessId pid) {
  const App* app = appFor(pid);
  return {app ? app->element : 0};
}

AXElement SimDesktop::addWindow(ProcessId pid, Rect frame, std::optional<std::string> title,
                                bool minimized) {
  App* app = appFor(pid);
  if (!app)
    return {0};
  const std::uint64_t handle = newElement(Element{.kind = Kind::Window,
                                                  .pid = pid,
                                                  .parent = app->element,
                                                  .role = "AXWindow",
                                                  .frame = frame,
                                                  .title = std::move(title),
                                                  .minimized = minimized});
  find(app->element)->children.push_back(handle);
  zOrder_.insert(zOrder_.begin(), AXElement{handle});
  return {handle};
}

AXElement SimDesktop::addChild(AXElement parent, std::string role, Rect frame) {
  Element* owner = find(parent.handle);
  if (!owner || owner->kind == Kind::Application)
    return {0};
  const ProcessId pid = owner->pid;
  const std::uint64_t handle = newElement(Element{.kind = Kind::Child,
                                                  .pid = pid,
                                                  .parent = parent.handle,
                                                  .role = std::move(role),
                                                  .frame = frame});
  find(parent.handle)->children.push_back(handle);
  return {handle};
}

void SimDesktop::removeWindow(AXElement window) {
  Element* element = find(window.handle);
  if (!element || element->kind != Kind::Window)
    return;
  if (Element* app = find(element->parent))
    std::erase(app->children, window.handle);
  std::erase(zOrder_, window);
  std::vector<std::uint64_t> doomed = {window.handle};
  while (!doomed.empty()) {
    const std::uint64_t handle = doomed.back();
    doomed.pop_back();
    if (const Element* e = find(handle))
      doomed.insert(doomed.end(), e->children.begin(), e->children.end());
    elements_.erase(handle);
  }
}

void SimDesktop::raiseWindow(AXElement window) {
  const auto it = std::find(zOrder_.begin(), zOrder_.end(), window);
  if (it != zOrder_.end())
    std::rotate(zOrder_.begin(), it, it + 1);
}

void SimDesktop::setMinimized(AXElement window, bool minimized) {
  if (Element* element = find(window.handle))
    element->minimized = minimized;
}

Rect SimDesktop::frameOf(AXElement element) const {
  const Element* e = find(element.handle);
  return e ? e->frame : Rect{};
}

std::optional<AXElement> SimDesktop::frontWindowOf(ProcessId pid) const {
  for (const AXElement& w : zOrder_) {
    const Element* e = find(w.handle);
    if (e && e->pid == pid && !e->minimized)
      return w;
  }
  return std::nullopt;
}

// --- Faults ---

void SimDesktop::setUnresponsive(ProcessId pid, bool unresponsive) {
  if (App* app = appFor(pid))
    app->unresponsive = unresponsive;
}

void SimDesktop::failAttribute(AXElement element, AXAttribute attribute) {
  faults_.insert_or_assign({element.handle, attribute}, std::nullopt);
}

void SimDesktop::overrideAttribute(AXElement element, AXAttribute attribute, AXValue value) {
  faults_.insert_or_assign({element.handle, attribute}, std::move(value));
}

void SimDesktop::setSizeRule(AXElement window, SizeRule rule) {
  if (Element* element = find(window.handle))
    element->sizeRule = std::move(rule);
}

void SimDesktop::setHeldInPlace(AXElement window, bool held) {
  if (Element* element = find(window.handle))
    element->heldInPlace = held;
}

bool SimDesktop::answers(const Element& element) const {
  for (const App& app : apps_) {
    if (app.info.pid == element.pid)
      return !app.unresponsive;
  }
  return false;
}

// --- Accessibility ---

void SimDesktop::setMessagingTimeout(AXElement element, double seconds) {
  timeouts_.insert_or_assign(element.handle, seconds);
}

std::optional<double> SimDesktop::messagingTimeout(AXElement element) const {
  const auto it = timeouts_.find(element.handle);
  if (it == timeouts_.end())
    return std::nullopt;
  return it->second;
}

std::optional<AXElement> SimDesktop::elementAtPosition(AXElement systemWide, Point point) {
  if (!trusted_ || systemWide.handle != systemWideHandle)
    return std::nullopt;
  for (const AXElement& w : zOrder_) {
    const Element* window = find(w.handle);
    if (!window || window->minimized || !contains(window->frame, point))
      continue;
    // The application under the pointer is asked; if it does not answer, the query fails.
    if (!answers(*window))
      return std::nullopt;
    return AXElement{deepestAt(w.handle, point)};
  }
  return std::nullopt;
}

std::uint64_t SimDesktop::deepestAt(std::uint64_t handle, Point point) const {
  const Element* element = find(handle);
  for (auto it = element->children.rbegin(); it != element->children.rend(); ++it) {
    const Element* child = find(*it);
    if (child && contains(child->frame, point))
      return deepestAt(*it, point);
  }
  return handle;
}

std::optional<AXValue> SimDesktop::copyAttribute(AXElement element, AXAttribute attribute) {
  ++readCount_;
  if (!trusted_)
    return std::nullopt;
  const Element* e = find(element.handle);
  if (!e || !answers(*e))
    return std::nullopt;
  const auto fault = faults_.find({element.handle, attribute});
  if (fault != faults_.end())
    return fault->second;
  return read(*e, attribute);
}

std::optional<AXValue> SimDesktop::read(const Element& e, AXAttribute attribute) const {
  const bool isApp = e.kind == Kind::Application;
  const bool isWindow = e.kind == Kind::Window;
  switch (attribute) {
    case AXAttribute::FocusedWindow:
    case AXAttribute::MainWindow:
      if (!isApp)
        return std::nullopt;
      if (auto w = frontWindowOf(e.pid))
        return AXValue{*w};
      return std::nullopt;
    case AXAttribute::Windows: {
      if (!isApp)
        return std::nullopt;
      std::vector<AXElement> windows;
      for (std::uint64_t child : e.children)
        windows.push_back({child});
      return AXValue{std::move(windows)};
    }
    case AXAttribute::Minimized:
      return isWindow ? std::optional<AXValue>(e.minimized) : std::nullopt;
    case AXAttribute::Position:
      return isApp ? std::nullopt : std::optional<AXValue>(e.frame.origin());
    case AXAttribute::Size:
      return isApp ? std::nullopt : std::optional<AXValue>(e.frame.size());
    case AXAttribute::Title:
      if (isWindow && e.title)
        return AXValue{*e.title};
      return std::nullopt;
    case AXAttribute::Role:
      return AXValue{isApp ? std::string("AXApplication") : e.role};
    case AXAttribute::Parent:
      if (isApp)
        return std::nullopt;
      return AXValue{AXElement{e.parent}};
  }
  return std::nullopt;
}

void SimDesktop::setAttribute(AXElement element, AXAttribute attribute, const AXValue& value) {
  Element* e = find(element.handle);
  const bool applied = trusted_ && e && answers(*e) && write(*e, attribute, value);
  writes_.push_back(Write{clock_.now(), element, attribute, value, applied});
}

std::optional<Rect> SimDesktop::copyFrame(AXElement window) {
  const auto position = copyAttribute(window, AXAttribute::Position);
  if (!position)
    return std::nullopt;
  const auto size = copyAttribute(window, AXAttribute::Size);
  if (!size)
    return std::nullopt;
  const Point origin = std::get<Point>(*position);
  const Size extent = std::get<Size>(*size);
  return Rect{origin.x, origin.y, extent.width, extent.height};
}

void SimDesktop::setFrame(AXElement window, const Rect& frame) {
  setAttribute(window, AXAttribute::Position, frame.origin());
  setAttribute(window, AXAttribute::Size, frame.size());
}

std::string SimDesktop::untrustedReason() {
  return trusted_ ? std::string() : std::string("The simulated desktop withholds window control.");
}

bool SimDesktop::write(Element& e, AXAttribute attribute, const AXValue& value) {
  if (e.kind != Kind::Window || e.heldInPlace)
    return false;
  if (attribute == AXAttribute::Position) {
    const Point* p = std::get_if<Point>(&value);
    if (!p)
      return false;
    const double dx = p->x - e.frame.x;
    const double dy = p->y - e.frame.y;
    // Children travel with their window.
    std::vector<std::uint64_t> pending = e.children;
    while (!pending.empty()) {
      Element* child = find(pending.back());
      pending.pop_back();
      if (!child)
        continue;
      child->frame.x += dx;
      child->frame.y += dy;
      pending.insert(pending.end(), child->children.begin(), child->children.end());
    }
    e.frame.x = p->x;
    e.frame.y = p->y;
    return true;
  }
  if (attribute == AXAttribute::Size) {
    const Size* s = std::get_if<Size>(&value);
    if (!s)
      return false;
    const Size kept = e.sizeRule ? e.sizeRule(*s) : *s;
    e.frame.width = kept.width;
    e.frame.height = kept.height;
    return true;
  }
  return false;
}

}  // namespace dovrik::sim
