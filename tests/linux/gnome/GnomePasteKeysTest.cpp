// Paste keys and edge tiling on GNOME: which of Clutter's modifier bits count as held, the
// keysyms a chord is typed with, and mutter's edge tiling through the extension or the tools.
#include <QDBusArgument>

#include "ShellStandIn.h"
#include "linux/gnome/GnomeEdgeTiling.h"
#include "linux/gnome/GnomePasteKeys.h"
#include "sim/SimEdgeTiling.h"

namespace dovrik::gnome::test {
namespace {

using GnomePasteKeysTest = ShellTest;

TEST_F(GnomePasteKeysTest, ShiftControlAltAndSuperCountAsHeldButLocksAndButtonsDoNot) {
  GnomePasteKeys keys(*shell);
  for (const auto& [mask, held] : std::vector<std::pair<uint, bool>>{{0, false},
                                                                     {1u << 0, true},
                                                                     {1u << 1, false},
                                                                     {1u << 2, true},
                                                                     {1u << 3, true},
                                                                     {1u << 4, false},
                                                                     {1u << 6, true},
                                                                     {1u << 8, false},
                                                                     {1u << 26, true}}) {
    extension.setModifiers(mask);
    EXPECT_EQ(keys.modifiersHeld(), held) << "mask " << mask;
  }
  extension.refuse(QStringLiteral("Pointer"));
  EXPECT_FALSE(keys.modifiersHeld()) << "without an answer";

  keys.postPaste(PasteChord::ControlShiftV);
  const QVariantList typed = awaitCalls("PressKeys", 1)[0];
  EXPECT_EQ(qdbus_cast<QList<uint>>(typed.value(0)), (QList<uint>{0xffe3, 0xffe1, 0x76}));
}

TEST_F(GnomePasteKeysTest, MutterEdgeTilingGoesThroughTheExtensionWhileItAnswers) {
  const std::string mutter = "gsettings org.gnome.mutter edge-tiling";
  const std::string metacity = "gsettings org.gnome.desktop.wm.preferences edge-tiling";
  sim::SimEdgeTiling tools;
  tools.values[mutter] = true;
  GnomeEdgeTiling tiling(*shell, tools);
  EXPECT_TRUE(tiling.setOn(mutter, false));
  ASSERT_EQ(extension.callsOf(QStringLiteral("SuspendEdgeTiling")).size(), 1u);
  EXPECT_EQ(extension.callsOf(QStringLiteral("SuspendEdgeTiling"))[0].value(0).toBool(), true)
      << "the extension puts back the user's value, read before anything changed it";
  // The extension put the user's value back when it went: it is held off again once it is back.
  tools.values[mutter] = false;
  extension.restart();
  ASSERT_EQ(awaitCalls("SuspendEdgeTiling", 2).size(), 2u);
  EXPECT_EQ(extension.callsOf(QStringLiteral("SuspendEdgeTiling"))[1].value(0).toBool(), true)
      << "still the user's value, not the one held off";
  // Put back both ways, so that neither the extension nor a value only the tools set is left.
  EXPECT_TRUE(tiling.setOn(mutter, true));
  EXPECT_EQ(extension.callsOf(QStringLiteral("RestoreEdgeTiling")).size(), 1u);
  extension.restart();
  // Answered again: whatever the answer leads to has been asked by then.
  ASSERT_EQ(awaitCalls("Hello", 3).size(), 3u);
  ASSERT_TRUE(waitUntil([&] { return shell->isAnswering(); }));
  EXPECT_EQ(extension.callsOf(QStringLiteral("SuspendEdgeTiling")).size(), 2u)
      << "not held off once put back";
  EXPECT_TRUE(tiling.setOn(metacity, false));
  extension.refuse(QStringLiteral("SuspendEdgeTiling"));
  EXPECT_TRUE(tiling.setOn(mutter, false));
  EXPECT_EQ(tools.writes, (std::vector<std::pair<std::string, bool>>{
                              {mutter, true}, {metacity, false}, {mutter, false}}));
}

}  // namespace
}  // namespace dovrik::gnome::test
