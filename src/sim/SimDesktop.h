// The simulated desktop: screens, running applications and their windows as accessibility
// elements, with controls for tests, fault injection and a record of every write.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/Accessibility.h"
#include "core/platform/Clock.h"
#include "core/platform/RunningApps.h"
#include "core/platform/Screens.h"

namespace dovrik::sim {

class SimDesktop : public Accessibility, public RunningApps, public Screens {
 public:
  // One attempted write through the accessibility interface.
  struct Write {
    double time = 0;  // the Clock's now() when it was made
    AXElement element;
    AXAttribute attribute = AXAttribute::Position;
    AXValue value;
    bool applied = false;  // false when untrusted, unresponsive or not writable
    friend bool operator==(const Write&, const Write&) = default;
  };

  // The size an application settles on when asked for `requested`.
  using SizeRule = std::function<Size(Size requested)>;

  explicit SimDesktop(const Clock& clock);

  // Screens
  std::vector<Screen> screens() override;
  std::optional<Screen> mainScreen() override;
  std::optional<Point> mouseLocation() override { return mouseLocation_; }
  void setMouseLocation(std::optional<Point> desktopPoint) { mouseLocation_ = desktopPoint; }

  // RunningApps
  std::optional<RunningApp> frontmostApplication() override;
  std::vector<RunningApp> runningApplications() override;
  ProcessId currentProcessId() override { return ownPid_; }

  // Accessibility
  bool isProcessTrusted() override { return trusted_; }
  // Like the system whose words it speaks, the simulated desktop is asked on a timer unless a
  // test makes it announce its changes.
  bool announcesTrustChanges() const override { return announcesTrust_; }
  void promptForTrust() override { ++trustPrompts_; }
  AXElement applicationElement(ProcessId pid) override;
  AXElement systemWideElement() override { return {systemWideHandle}; }
  void setMessagingTimeout(AXElement element, double seconds) override;
  std::optional<AXElement> elementAtPosition(AXElement systemWide, Point point) override;
  std::optional<AXValue> copyAttribute(AXElement element, AXAttribute attribute) override;
  // Two attribute reads, position first, as counted by readCount.
  std::optional<Rect> copyFrame(AXElement window) override;
  // Recorded as the two attribute writes it stands for, position first.
  void setFrame(AXElement window, const Rect& frame) override;
  // One attribute write, recorded whether or not it takes effect.
  void setAttribute(AXElement element, AXAttribute attribute, const AXValue& value);
  std::string untrustedReason() override;
  bool hasPermissionSettings() const override { return hasPermissionSettings_; }
  void setHasPermissionSettings(bool has) { hasPermissionSettings_ = has; }

  // Screen controls, in desktop space (y up). The first screen added is the main one until
  // another is chosen. Answers the new screen's display id. Plugging, unplugging and moving a
  // screen each announce `changed`, as one step of a platform's burst would.
  std::uint32_t addScreen(Rect frame, Rect visibleFrame,
                          std::optional<std::string> uuid = std::nullopt);
  void removeScreen(std::uint32_t displayId);
  void moveScreen(std::uint32_t displayId, Rect frame, Rect visibleFrame);
  void setMainScreen(std::uint32_t displayId);

  // Application controls. Applications are listed in the order they were added. A terminated
  // application stays listed, flagged, and its elements linger until removed, as they do
  // for a moment on a real desktop.
  void addApp(RunningApp app);
  // Adds the application (with no windows yet) and announces its launch.
  void launchApp(RunningApp app);
  void terminateApp(ProcessId pid);
  void setFrontmostApp(std::optional<ProcessId> pid);
  void setOwnPid(ProcessId pid) { ownPid_ = pid; }

  // Window controls. Frames are in accessibility space (top-left origin, y down). A new
  // window goes to the front and to the end of its application's window list. A title of
  // nothing cannot be read. An application's focused and main window is its front-most
  // window that is not minimized; reading either fails when there is none.
  AXElement addWindow(ProcessId pid, Rect frame, std::optional<std::string> title = "",
                      bool minimized = false);
  // A child element (title bar, button …) under a window or another child; later children
  // lie on top of earlier ones.
  AXElement addChild(AXElement parent, std::string role, Rect frame);
  void removeWindow(AXElement window);
  void raiseWindow(AXElement window);
  void setMinimized(AXElement window, bool minimized);
  Rect frameOf(AXElement element) const;
  // Every window, front to back.
  std::vector<AXElement> windowsFrontToBack() const { return zOrder_; }

  // Fault injection.
  void setTrusted(bool trusted) {
    trusted_ = trusted;
    if (announcesTrust_)
      trustMayHaveChanged.emit();
  }
  // From now on every `setTrusted` is announced, as on a platform that watches trust by events.
  void announceTrustChanges() { announcesTrust_ = true; }
  // Reads on the application's elements fail and writes have no effect.
  void setUnresponsive(ProcessId pid, bool unresponsive);
  // Reading this attribute of this element fails.
  void failAttribute(AXElement element, AXAttribute attribute);
  // Reading this attribute of this element answers `value`, of whatever type.
  void overrideAttribute(AXElement element, AXAttribute attribute, AXValue value);
  // The window keeps a size of its own choosing when resized (a minimum size, fixed steps).
  void setSizeRule(AXElement window, SizeRule rule);
  // The window manager keeps the window where it is, as a tiling one does with its tiles:
  // moves and resizes are recorded but have no effect.
  void setHeldInPlace(AXElement window, bool held);

  // Records.
  const std::vector<Write>& writes() const { return writes_; }
  void clearWrites() { writes_.clear(); }
  int readCount() const { return readCount_; }
  int trustPrompts() const { return trustPrompts_; }
  std::optional<double> messagingTimeout(AXElement element) const;

  static constexpr std::uint64_t systemWideHandle = 1;

 private:
  enum class Kind { Application, Window, Child };
  struct Element {
    Kind kind = Kind::Window;
    ProcessId pid = 0;
    std::uint64_t parent = 0;  // 0 for an application
    std::string role = {};
    Rect frame = {};
    std::optional<std::string> title = std::nullopt;
    bool minimized = false;
    std::vector<std::uint64_t> children = {};  // windows of an application, children of others
    SizeRule sizeRule = nullptr;
    bool heldInPlace = false;
  };
  struct App {
    RunningApp info;
    std::uint64_t element = 0;
    bool unresponsive = false;
  };

  Element* find(std::uint64_t handle);
  const Element* find(std::uint64_t handle) const;
  App* appFor(ProcessId pid);
  bool answers(const Element& element) const;
  std::optional<AXElement> frontWindowOf(ProcessId pid) const;
  std::optional<AXValue> read(const Element& element, AXAttribute attribute) const;
  bool write(Element& element, AXAttribute attribute, const AXValue& value);
  std::uint64_t deepestAt(std::uint64_t handle, Point point) const;
  std::uint64_t newElement(Element element);

  const Clock& clock_;
  bool trusted_ = true;
  bool hasPermissionSettings_ = true;
  bool announcesTrust_ = false;
  int trustPrompts_ = 0;
  ProcessId ownPid_ = 1;
  std::vector<Screen> screens_;
  std::uint32_t mainDisplay_ = 0;
  std::optional<Point> mouseLocation_;
  std::uint32_t nextDisplay_ = 1;
  std::vector<App> apps_;
  std::optional<ProcessId> frontmost_;
  std::map<std::uint64_t, Element> elements_;
  std::uint64_t nextHandle_ = systemWideHandle + 1;
  std::vector<AXElement> zOrder_;
  std::map<std::pair<std::uint64_t, AXAttribute>, std::optional<AXValue>> faults_;
  std::map<std::uint64_t, double> timeouts_;
  std::vector<Write> writes_;
  int readCount_ = 0;
};

}  // namespace dovrik::sim
