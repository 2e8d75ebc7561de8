// A simulated desktop with a clipboard history built the way the application builds it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/app/ManagerPorts.h"
#include "core/clipboard/ClipboardManager.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::test {

struct ClipboardFixture : SimWorld {
  static constexpr const char* storeFile = "/home/sim/.local/share/Dovrik/clipboard.json";

  explicit ClipboardFixture(bool buildNow = true) {
    if (buildNow)
      build();
  }

  void build() {
    manager.reset();
    shortcut.reset();
    state = std::make_unique<AppState>(platform.defaults.application(), platform.loginItem,
                                       platform.shell);
    trust = std::make_unique<AccessibilityTrust>(platform.accessibility, platform.scheduler,
                                                 platform.shell, platform.texts, *state);
    shortcut = std::make_unique<ClipboardShortcut>(platform.scheduler, platform.hotkeys, *state,
                                                   [this] { ++presses; });
    manager = std::make_unique<ClipboardManager>(clipboardManagerPorts(platform), *state, *trust,
                                                 *shortcut);
  }

  void copy(const std::string& text) {
    sim.pasteboard.copyText(text);
    clock.advanceBy(0.01);
  }

  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& item : manager->items())
      out.push_back(*item.text + (item.isPinned ? "*" : ""));
    return out;
  }

  static Bytes png(std::uint8_t tag) {
    return Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', tag};
  }

  std::unique_ptr<AppState> state;
  std::unique_ptr<AccessibilityTrust> trust;
  std::unique_ptr<ClipboardShortcut> shortcut;
  std::unique_ptr<ClipboardManager> manager;
  int presses = 0;
};

}  // namespace dovrik::test
