// Hotkeys on GNOME: mutter's refusals told as taken combinations, presses by action number, and
// grabs made again whenever the extension comes (back); signals of other programs unheard.
#include "ShellStandIn.h"
#include "linux/gnome/GnomeAccelerator.h"
#include "linux/gnome/GnomeHotkeys.h"

namespace dovrik::gnome::test {
namespace {

using GnomeHotkeysTest = ShellTest;

constexpr int leftArrowCode = 123;
constexpr int jCode = 38;

TEST(GnomeAcceleratorTest, WritesModifiersAndKeysAsMutterReadsThem) {
  EXPECT_EQ(acceleratorText(leftArrowCode, controlKey | optionKey), "<Control><Alt>Left");
  EXPECT_EQ(acceleratorText(jCode, cmdKey | shiftKey), "<Super><Shift>j");
  EXPECT_EQ(acceleratorText(-1, controlKey), std::nullopt);
}

TEST_F(GnomeHotkeysTest, ACombinationGnomeHoldsIsRefusedAndAFreeOneIsPressed) {
  extension.holdAccelerators({QStringLiteral("<Control><Alt>Left")});
  GnomeHotkeys hotkeys(*shell);
  std::vector<std::uint32_t> pressed;
  hotkeys.installHandler([&](const EventHotKeyID& id) {
    pressed.push_back(id.id);
    return noErr;
  });
  EXPECT_EQ(hotkeys.registerHotkey(leftArrowCode, controlKey | optionKey, {0, 1}).status,
            eventHotKeyExistsErr);
  const auto free = hotkeys.registerHotkey(jCode, controlKey | optionKey, {0, 2});
  ASSERT_EQ(free.status, noErr);
  extension.press(100);
  ASSERT_TRUE(waitUntil([&] { return !pressed.empty(); }));
  EXPECT_EQ(pressed, std::vector<std::uint32_t>{2});

  hotkeys.unregisterHotkey(*free.ref);
  EXPECT_EQ(awaitCalls("UngrabAccelerator", 1)[0].value(0).toUInt(), 100u);
}

// Registered while the extension does not answer, a combination is held and grabbed once it
// does; after the extension was turned off and on, every combination is grabbed afresh and
// its presses come by the new action number.
TEST_F(GnomeHotkeysTest, CombinationsAreGrabbedWheneverTheExtensionComes) {
  extension.refuse(QStringLiteral("GrabAccelerator"));
  GnomeHotkeys hotkeys(*shell);
  int presses = 0;
  hotkeys.installHandler([&](const EventHotKeyID&) {
    ++presses;
    return noErr;
  });
  ASSERT_EQ(hotkeys.registerHotkey(jCode, controlKey, {0, 1}).status, noErr);
  extension.answer(QStringLiteral("GrabAccelerator"));
  extension.restart();
  ASSERT_EQ(awaitCalls("GrabAccelerator", 2).size(), 2u);
  extension.restart();
  ASSERT_EQ(awaitCalls("GrabAccelerator", 3).size(), 3u);
  extension.press(100);
  extension.press(101);
  // A report sent after the presses comes after them.
  extension.report(QStringLiteral(
      R"({"type":"windowAdded","window":{"id":"w","frame":{"x":0,"y":0,"width":1,"height":1}}})"));
  ASSERT_TRUE(waitUntil([&] { return mirror.handleOf("w").has_value(); }));
  EXPECT_EQ(presses, 1) << "the first grab's number is stale";
}

TEST_F(GnomeHotkeysTest, AnotherProgramCannotPressDovriksHotkeys) {
  GnomeHotkeys hotkeys(*shell);
  int presses = 0;
  hotkeys.installHandler([&](const EventHotKeyID&) {
    ++presses;
    return noErr;
  });
  ASSERT_EQ(hotkeys.registerHotkey(jCode, controlKey, {0, 1}).status, noErr);
  const QDBusConnection stranger = bus.connect(QStringLiteral("stranger"));
  extension.signalFrom(stranger, "Accelerator", {100u});
  extension.press(100);
  ASSERT_TRUE(waitUntil([&] { return presses > 0; }));
  extension.report(QStringLiteral(
      R"({"type":"windowAdded","window":{"id":"w","frame":{"x":0,"y":0,"width":1,"height":1}}})"));
  ASSERT_TRUE(waitUntil([&] { return mirror.handleOf("w").has_value(); }));
  EXPECT_EQ(presses, 1);
  QDBusConnection::disconnectFromBus(QStringLiteral("stranger"));
}

}  // namespace
}  // namespace dovrik::gnome::test
