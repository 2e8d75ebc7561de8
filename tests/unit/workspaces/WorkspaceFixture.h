// A simulated desktop for layout tests: a primary display with a UUID, a second display that
// tests plug in, and saved layouts written to the defaults store before the store reads them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/app/ManagerPorts.h"
#include "core/model/AppState.h"
#include "core/windows/WindowManager.h"
#include "core/workspaces/WorkspaceManager.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::test {

inline const std::string kDisplayA = "AAAAAAAA-0000-4000-8000-000000000001";
inline const std::string kDisplayB = "BBBBBBBB-0000-4000-8000-000000000002";
inline constexpr ProcessId kEditor = SimWorld::appPid;
inline const Rect kLeftHalf{0, 0, 0.5, 1};
inline const Rect kRightHalf{0.5, 0, 0.5, 1};

struct WorkspaceWorld {
  WorkspaceWorld() {
    desktop.removeScreen(world.primary);
    displayA = desktop.addScreen({0, 0, 1440, 900}, {0, 0, 1440, 875}, kDisplayA);
  }

  // To the right of A, taller; its top-left corner is at y = -180 in accessibility space.
  std::uint32_t plugB() { return desktop.addScreen(frameB, frameB, kDisplayB); }

  static Workspace layout(const std::string& name, std::vector<WorkspaceWindow> windows,
                          const std::string& signature = kDisplayA, bool autoRestore = false) {
    return Workspace{Uuid::random(), name,  std::move(windows), signature, autoRestore,
                     std::nullopt,   1000.5};
  }
  static WorkspaceWindow editorWindow(std::string title, std::int64_t index, Rect fractions,
                                      const std::string& display = kDisplayA) {
    return {"com.example.editor", "Editor", std::move(title), index, display, fractions};
  }
  void storeLayouts(const std::vector<Workspace>& list) {
    const std::string text = *encodeWorkspaces(list);
    world.sim.defaults.application().set(WorkspaceManager::storageKey,
                                         Bytes(text.begin(), text.end()));
  }

  WorkspaceManager& manager() {
    if (!store) {
      state = std::make_unique<AppState>(world.platform.defaults.application(),
                                         world.platform.loginItem, world.platform.shell);
      trust = std::make_unique<AccessibilityTrust>(world.platform.accessibility,
                                                   world.platform.scheduler, world.platform.shell,
                                                   world.platform.texts, *state);
      windows = std::make_unique<WindowManager>(windowManagerPorts(world.platform), *state);
      store = std::make_unique<WorkspaceManager>(workspaceManagerPorts(world.platform), *state,
                                                 *trust, *windows);
      store->lastRestoredChanged.connect([this] {
        if (store->lastRestoredID())
          restored.push_back(*store->lastRestoredID());
      });
    }
    return *store;
  }

  const Rect frameB{1440, 0, 1920, 1080};
  SimWorld world;
  sim::SimDesktop& desktop = world.desktop;
  std::uint32_t displayA = 0;
  std::unique_ptr<AppState> state;
  std::unique_ptr<AccessibilityTrust> trust;
  std::unique_ptr<WindowManager> windows;
  std::unique_ptr<WorkspaceManager> store;
  std::vector<Uuid> restored;  // every restore, in order
};

}  // namespace dovrik::test
