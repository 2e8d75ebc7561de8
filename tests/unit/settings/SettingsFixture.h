// The whole application on the simulated desktop, started, with Dovrik's own hotkeys as the
// settings window's recorders release them.
#pragma once

#include <cstdint>

#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/settings/ManagedHotkeys.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::test {

constexpr std::uint32_t kShiftCmd = shiftKey | cmdKey;
constexpr int kLeftArrowCode = 123;
constexpr int kVCode = 9;
constexpr int kKCode = 40;

struct SettingsFixture : ::testing::Test, SimWorld {
  SettingsFixture() { app.start(); }

  bool holds(int keyCode, std::uint32_t modifiers) const {
    for (const auto& entry : hotkeys.registered()) {
      if (entry.keyCode == keyCode && entry.modifiers == modifiers)
        return true;
    }
    return false;
  }

  App app{platform};
  ManagedHotkeys ownHotkeys{app.shortcutManager(), app.clipboardShortcut(),
                            app.workspaceShortcuts()};
  int& beeps = sim.shell.beeps;
};

}  // namespace dovrik::test
