// The paste keys on GNOME: which of Clutter's modifier bits count as held, and the keysyms
// each chord is typed with.
#include "ShellFixture.h"
#include "linux/gnome/GnomePasteKeys.h"

namespace dovrik::gnome::test {
namespace {

using GnomePasteKeysTest = ShellFixture;

TEST_F(GnomePasteKeysTest, ShiftControlAltAndSuperCountAsHeldButLocksDoNot) {
  struct Row {
    const char* name;
    uint mask;
    bool held;
  };
  const Row rows[] = {
      {"nothing", 0, false},         {"shift", 1u << 0, true},  {"caps lock", 1u << 1, false},
      {"control", 1u << 2, true},    {"alt", 1u << 3, true},    {"num lock", 1u << 4, false},
      {"mod4 super", 1u << 6, true}, {"super", 1u << 26, true}, {"button 1", 1u << 8, false},
  };
  GnomePasteKeys keys(*shell);
  for (const Row& row : rows) {
    extension.setModifiers(row.mask);
    EXPECT_EQ(keys.modifiersHeld(), row.held) << row.name;
  }
  extension.setModifiers(1u << 2);
  extension.refuse(QStringLiteral("Pointer"));
  EXPECT_FALSE(keys.modifiersHeld()) << "without an answer";
}

TEST_F(GnomePasteKeysTest, ChordsAreTypedAsXKeysyms) {
  GnomePasteKeys keys(*shell);
  keys.postPaste(PasteChord::ControlV);
  keys.postPaste(PasteChord::ControlShiftV);
  keys.postPaste(PasteChord::ShiftInsert);
  ASSERT_TRUE(waitUntil([&] { return callCount("PressKeys") == 3; }));
  const auto presses = extension.callsOf(QStringLiteral("PressKeys"));
  EXPECT_EQ(presses[0].args.value(0).value<QList<uint>>(), (QList<uint>{0xffe3, 0x76}));
  EXPECT_EQ(presses[1].args.value(0).value<QList<uint>>(), (QList<uint>{0xffe3, 0xffe1, 0x76}));
  EXPECT_EQ(presses[2].args.value(0).value<QList<uint>>(), (QList<uint>{0xffe1, 0xff63}));
}

}  // namespace
}  // namespace dovrik::gnome::test
