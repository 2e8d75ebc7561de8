// The one-time import of the predecessor's settings.
#include <gtest/gtest.h>

#include "core/model/LegacySettingsImport.h"
#include "sim/SimPlatform.h"

namespace dovrik {
namespace {

TEST(LegacySettingsImportTest, CopiesOnlyMissingSelectedKeysOnce) {
  sim::SimPlatform sim;
  Defaults& stored = sim.defaults.application();
  const auto migrate = [&] {
    stored.remove("migratedFromQuillmoor");
    importLegacySettingsIfNeeded(sim.defaults, sim.shell);
  };
  // Without a predecessor, or one with nothing selected, only the flag is set.
  migrate();
  EXPECT_EQ(stored.keys(), std::vector<std::string>{"migratedFromQuillmoor"});
  Defaults& legacy = sim.defaults.addDomain("com.quillmoor.app");
  legacy.set("unrelated", "x");
  legacy.set("qlmworkspaces", true);
  migrate();
  EXPECT_EQ(stored.keys(), std::vector<std::string>{"migratedFromQuillmoor"});
  EXPECT_TRUE(sim.shell.logLines.empty());

  // Settings, manager keys and unused preferences travel as they are; present ones stay.
  legacy.set("snappingEnabled", false);
  legacy.set("fileShelfSize", 5);
  legacy.set("qlm.workspaces", Bytes{1, 2, 3});
  legacy.set("dz_edgeSensitivity", 30.5);
  legacy.set("smartSnappingEnabled", true);
  stored.set("fileShelfSize", 8);
  migrate();
  EXPECT_EQ(stored.boolValue("snappingEnabled"), false);
  EXPECT_EQ(stored.integerValue("fileShelfSize"), 8);
  EXPECT_EQ(stored.dataValue("qlm.workspaces"), (Bytes{1, 2, 3}));
  EXPECT_EQ(stored.doubleValue("dz_edgeSensitivity"), 30.5);
  EXPECT_EQ(stored.boolValue("smartSnappingEnabled"), true);
  EXPECT_FALSE(stored.object("unrelated"));
  EXPECT_FALSE(stored.object("qlmworkspaces"));
  EXPECT_EQ(stored.boolValue("migratedFromQuillmoor"), true);
  EXPECT_EQ(sim.shell.logLines,
            std::vector<std::string>{"[Dovrik] migrated 5 settings from the previous bundle id"});

  legacy.set("showSnapPreview", false);
  importLegacySettingsIfNeeded(sim.defaults, sim.shell);
  EXPECT_FALSE(stored.object("showSnapPreview"));
  EXPECT_EQ(sim.shell.logLines.size(), 1u);
}

}  // namespace
}  // namespace dovrik
