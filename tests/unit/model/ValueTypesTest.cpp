// Snap positions, keyboard shortcuts, shortcut actions and animation speeds.
#include <gtest/gtest.h>

#include <unordered_set>

#include "core/model/AnimationSpeed.h"
#include "core/model/KeyboardShortcut.h"
#include "core/model/ShortcutAction.h"
#include "core/model/SnapPosition.h"

namespace dovrik {
namespace {

TEST(SnapPositionTest, RawValuesRoundTripAndOnlyExactTextDecodes) {
  for (SnapPosition p : allSnapPositions) {
    EXPECT_EQ(snapPositionFromJson(toJson(p)), p);
  }
  EXPECT_EQ(snapPositionFromJson(Json("Top Left")), SnapPosition::topLeft);
  EXPECT_EQ(snapPositionFromJson(Json("topLeft")), std::nullopt);
  EXPECT_EQ(snapPositionFromJson(Json("top left")), std::nullopt);
  EXPECT_EQ(snapPositionFromJson(Json(3)), std::nullopt);
  EXPECT_EQ(toJson(SnapPosition::bottomRight).dump(), "\"Bottom Right\"");
  EXPECT_EQ(icon(SnapPosition::center), "rectangle.center.inset.filled");
  EXPECT_EQ(rawValue(allSnapPositions.front()), "Left Half");
  EXPECT_EQ(rawValue(allSnapPositions.back()), "Center");
}

KeyboardShortcut shortcut(Key key, KeyboardShortcut::ModifierSet modifiers) {
  return KeyboardShortcut{key, modifiers};
}

TEST(KeyboardShortcutTest, ModifierOrderInJsonCarriesNoMeaning) {
  const auto a = KeyboardShortcut::fromJsonBytes(R"({"key":"a","modifiers":["option","control"]})");
  const auto b = KeyboardShortcut::fromJsonBytes(R"({"modifiers":["control","option"],"key":"a"})");
  ASSERT_TRUE(a && b);
  EXPECT_EQ(*a, *b);
  EXPECT_EQ(std::hash<KeyboardShortcut>()(*a), std::hash<KeyboardShortcut>()(*b));
  EXPECT_EQ(a->displayString(), "⌃⌥A");
}

TEST(KeyboardShortcutTest, DecodingIsStrict) {
  EXPECT_FALSE(KeyboardShortcut::fromJsonBytes(R"({"key":"a"})"));
  EXPECT_FALSE(KeyboardShortcut::fromJsonBytes(R"({"modifiers":[]})"));
  EXPECT_FALSE(KeyboardShortcut::fromJsonBytes(R"({"key":"A","modifiers":[]})"));
  EXPECT_FALSE(KeyboardShortcut::fromJsonBytes(R"({"key":"f1","modifiers":[]})"));
  EXPECT_FALSE(KeyboardShortcut::fromJsonBytes(R"({"key":"a","modifiers":["hyper"]})"));
  EXPECT_FALSE(KeyboardShortcut::fromJsonBytes(R"({"key":"a","modifiers":"control"})"));
  EXPECT_FALSE(KeyboardShortcut::fromJsonBytes("not json"));
  EXPECT_FALSE(KeyboardShortcut::fromJsonBytes(""));
  const auto extra = KeyboardShortcut::fromJsonBytes(R"({"key":"z","modifiers":[],"x":1})");
  ASSERT_TRUE(extra);
  EXPECT_EQ(extra->key, Key::z);
}

TEST(KeyboardShortcutTest, JsonRoundTripsEveryKeyAndModifierSet) {
  for (int k = 0; k < KeyboardShortcut::keyCount; ++k) {
    for (unsigned bits = 0; bits < 16; ++bits) {
      KeyboardShortcut s{static_cast<Key>(k), {}};
      for (Modifier m : KeyboardShortcut::allModifiers) {
        if (bits & (1u << static_cast<int>(m)))
          s.modifiers.insert(m);
      }
      const auto back = KeyboardShortcut::fromJson(s.toJson());
      ASSERT_TRUE(back);
      EXPECT_EQ(*back, s);
    }
  }
  EXPECT_EQ(shortcut(Key::v, {Modifier::command, Modifier::shift}).toJson().dump(),
            R"({"key":"v","modifiers":["command","shift"]})");
}

TEST(KeyboardShortcutTest, DisplayStringUsesFixedModifierOrder) {
  EXPECT_EQ(shortcut(Key::leftArrow, {Modifier::option, Modifier::control}).displayString(), "⌃⌥←");
  EXPECT_EQ(shortcut(Key::v, {Modifier::shift, Modifier::command}).displayString(), "⇧⌘V");
  EXPECT_EQ(
      shortcut(Key::z, {Modifier::command, Modifier::shift, Modifier::option, Modifier::control})
          .displayString(),
      "⌃⌥⇧⌘Z");
  EXPECT_EQ(shortcut(Key::downArrow, {}).displayString(), "↓");
  EXPECT_EQ(shortcut(Key::upArrow, {}).displayString(), "↑");
  EXPECT_EQ(shortcut(Key::rightArrow, {}).displayString(), "→");
}

TEST(KeyboardShortcutTest, KeyCodesMapBothWaysAndUnknownCodesGiveNoKey) {
  EXPECT_EQ(keyFromKeyCode(0), Key::a);
  EXPECT_EQ(keyFromKeyCode(9), Key::v);
  EXPECT_EQ(keyFromKeyCode(123), Key::leftArrow);
  EXPECT_EQ(keyFromKeyCode(125), Key::downArrow);
  EXPECT_EQ(keyFromKeyCode(126), Key::upArrow);
  EXPECT_EQ(keyFromKeyCode(10), std::nullopt);
  EXPECT_EQ(keyFromKeyCode(18), std::nullopt);
  EXPECT_EQ(keyFromKeyCode(-1), std::nullopt);
  std::unordered_set<int> codes;
  for (int k = 0; k < KeyboardShortcut::keyCount; ++k) {
    const Key key = static_cast<Key>(k);
    EXPECT_EQ(keyFromKeyCode(keyCode(key)), key);
    codes.insert(keyCode(key));
  }
  EXPECT_EQ(codes.size(), 30u);
}

TEST(KeyboardShortcutTest, ModifiersFromFlagsIgnoreLockAndFunctionFlags) {
  const std::uint64_t capsLock = 1u << 16, shift = 1u << 17, control = 1u << 18, option = 1u << 19,
                      command = 1u << 20, numPad = 1u << 21, function = 1u << 23;
  EXPECT_EQ(modifiersFromFlags(capsLock | shift), KeyboardShortcut::ModifierSet{Modifier::shift});
  EXPECT_EQ(
      modifiersFromFlags(control | option | command | numPad | function),
      (KeyboardShortcut::ModifierSet{Modifier::control, Modifier::option, Modifier::command}));
  EXPECT_TRUE(modifiersFromFlags(0).empty());
}

TEST(ShortcutActionTest, DisplayNamesAndEquality) {
  const Uuid id = *Uuid::fromString("1E2D3C4B-5A69-4788-96A5-B4C3D2E1F001");
  const auto lookup = [&](const Uuid& wanted) -> std::optional<std::string> {
    if (wanted == id)
      return "Desk";
    return std::nullopt;
  };
  EXPECT_EQ(ShortcutAction::snap(SnapPosition::leftHalf).displayName(lookup), "Left Half");
  EXPECT_EQ(ShortcutAction::workspace(id).displayName(lookup), "Desk");
  EXPECT_EQ(ShortcutAction::workspace(Uuid{}).displayName(lookup), "a workspace");
  EXPECT_EQ(ShortcutAction::workspace(id).displayName(nullptr), "a workspace");
  EXPECT_EQ(ShortcutAction::clipboardHistory().displayName(lookup), "Clipboard History");
  EXPECT_EQ(ShortcutAction::snap(SnapPosition::center), ShortcutAction::snap(SnapPosition::center));
  EXPECT_NE(ShortcutAction::snap(SnapPosition::center),
            ShortcutAction::snap(SnapPosition::topLeft));
  EXPECT_NE(ShortcutAction::workspace(id), ShortcutAction::workspace(Uuid{}));
  EXPECT_NE(ShortcutAction::clipboardHistory(), ShortcutAction::snap(SnapPosition::leftHalf));
}

TEST(UuidTest, ParsesEitherCaseAndWritesUpperCase) {
  const auto id = Uuid::fromString("1e2d3c4b-5a69-4788-96a5-b4c3d2e1f001");
  ASSERT_TRUE(id);
  EXPECT_EQ(id->toString(), "1E2D3C4B-5A69-4788-96A5-B4C3D2E1F001");
  EXPECT_FALSE(Uuid::fromString("1E2D3C4B5A69-4788-96A5-B4C3D2E1F001-"));
  EXPECT_FALSE(Uuid::fromString("1E2D3C4B-5A69-4788-96A5-B4C3D2E1F00G"));
  EXPECT_FALSE(Uuid::fromString("1E2D3C4B-5A69-4788-96A5-B4C3D2E1F0011"));
  EXPECT_FALSE(Uuid::fromString(""));
}

TEST(AnimationSpeedTest, DurationsAndUnknownTextFallsBackToNormal) {
  EXPECT_DOUBLE_EQ(animationDurationForRawValue("Slow"), 0.5);
  EXPECT_DOUBLE_EQ(animationDurationForRawValue("Normal"), 0.25);
  EXPECT_DOUBLE_EQ(animationDurationForRawValue("Fast"), 0.12);
  EXPECT_DOUBLE_EQ(animationDurationForRawValue("Medium"), 0.25);
  EXPECT_DOUBLE_EQ(animationDurationForRawValue("fast"), 0.25);
  EXPECT_EQ(rawValue(allAnimationSpeeds[0]), "Slow");
}

}  // namespace
}  // namespace dovrik
