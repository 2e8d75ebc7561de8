// Snap positions, keyboard shortcuts, shortcut actions and identifiers.
#include <gtest/gtest.h>

#include <unordered_set>

#include "core/model/ShortcutAction.h"
#include "core/model/SnapPosition.h"
#include "core/platform/KeyboardShortcut.h"

namespace dovrik {
namespace {

using Mods = KeyboardShortcut::ModifierSet;

TEST(SnapPositionTest, RawValuesRoundTripAndOnlyExactTextDecodes) {
  for (SnapPosition p : allSnapPositions)
    EXPECT_EQ(snapPositionFromJson(toJson(p)), p);
  EXPECT_EQ(snapPositionFromJson(Json("Top Left")), SnapPosition::topLeft);
  for (const Json& wrong : {Json("topLeft"), Json("top left"), Json(3)})
    EXPECT_EQ(snapPositionFromJson(wrong), std::nullopt) << wrong.dump();
  EXPECT_EQ(toJson(SnapPosition::bottomRight).dump(), "\"Bottom Right\"");
}

TEST(KeyboardShortcutTest, DecodingIsStrictButIgnoresModifierOrderAndExtraKeys) {
  for (const char* wrong :
       {R"({"key":"a"})", R"({"modifiers":[]})", R"({"key":"A","modifiers":[]})",
        R"({"key":"f1","modifiers":[]})", R"({"key":"a","modifiers":["hyper"]})",
        R"({"key":"a","modifiers":"control"})", "not json", ""}) {
    EXPECT_FALSE(KeyboardShortcut::fromJsonBytes(wrong)) << wrong;
  }
  const auto extra = KeyboardShortcut::fromJsonBytes(R"({"key":"z","modifiers":[],"x":1})");
  ASSERT_TRUE(extra);
  EXPECT_EQ(extra->key, Key::z);

  const auto a = KeyboardShortcut::fromJsonBytes(R"({"key":"a","modifiers":["option","control"]})");
  const auto b = KeyboardShortcut::fromJsonBytes(R"({"modifiers":["control","option"],"key":"a"})");
  ASSERT_TRUE(a && b);
  EXPECT_EQ(*a, *b);
  EXPECT_EQ(std::hash<KeyboardShortcut>()(*a), std::hash<KeyboardShortcut>()(*b));
}

TEST(KeyboardShortcutTest, JsonRoundTripsEveryKeyAndModifierSet) {
  for (int k = 0; k < KeyboardShortcut::keyCount; ++k) {
    for (unsigned bits = 0; bits < 16; ++bits) {
      KeyboardShortcut s{static_cast<Key>(k), {}};
      for (Modifier m : KeyboardShortcut::allModifiers) {
        if (bits & (1u << static_cast<int>(m)))
          s.modifiers.insert(m);
      }
      EXPECT_EQ(KeyboardShortcut::fromJson(s.toJson()), s);
    }
  }
  EXPECT_EQ((KeyboardShortcut{Key::v, {Modifier::command, Modifier::shift}}).toJson().dump(),
            R"({"key":"v","modifiers":["command","shift"]})");
}

TEST(KeyboardShortcutTest, DisplayStringUsesFixedModifierOrder) {
  const Mods all{Modifier::command, Modifier::shift, Modifier::option, Modifier::control};
  const std::pair<KeyboardShortcut, const char*> cases[] = {
      {{Key::a, {Modifier::option, Modifier::control}}, "⌃⌥A"},
      {{Key::leftArrow, {Modifier::option, Modifier::control}}, "⌃⌥←"},
      {{Key::v, {Modifier::shift, Modifier::command}}, "⇧⌘V"},
      {{Key::z, all}, "⌃⌥⇧⌘Z"},
      {{Key::downArrow, {}}, "↓"},
      {{Key::upArrow, {}}, "↑"},
      {{Key::rightArrow, {}}, "→"},
      {{Key::backspace, {Modifier::option, Modifier::control}}, "⌃⌥⌫"},
  };
  for (const auto& [shortcut, text] : cases)
    EXPECT_EQ(shortcut.displayString(), text);
}

TEST(KeyboardShortcutTest, KeyCodesAndFlagsMapBothWaysAndUnknownCodesGiveNoKey) {
  const std::pair<int, std::optional<Key>> codes[] = {
      {0, Key::a},           {9, Key::v},         {123, Key::leftArrow},
      {125, Key::downArrow}, {126, Key::upArrow}, {51, Key::backspace},
      {10, std::nullopt},    {18, std::nullopt},  {-1, std::nullopt}};
  for (const auto& [code, key] : codes)
    EXPECT_EQ(keyFromKeyCode(code), key) << code;
  std::unordered_set<int> distinct;
  for (int k = 0; k < KeyboardShortcut::keyCount; ++k) {
    const Key key = static_cast<Key>(k);
    EXPECT_EQ(keyFromKeyCode(keyCode(key)), key);
    distinct.insert(keyCode(key));
  }
  EXPECT_EQ(distinct.size(), 31u);

  // Lock, number-pad and function flags carry no modifier.
  const std::uint64_t capsLock = 1u << 16, shift = 1u << 17, control = 1u << 18, option = 1u << 19,
                      command = 1u << 20, numPad = 1u << 21, function = 1u << 23;
  EXPECT_EQ(modifiersFromFlags(capsLock | shift), Mods{Modifier::shift});
  EXPECT_EQ(modifiersFromFlags(control | option | command | numPad | function),
            (Mods{Modifier::control, Modifier::option, Modifier::command}));
  EXPECT_TRUE(modifiersFromFlags(0).empty());
}

TEST(ShortcutActionTest, DisplayNamesLookUpWorkspacesOrFallBack) {
  const Uuid id = *Uuid::fromString("1E2D3C4B-5A69-4788-96A5-B4C3D2E1F001");
  const auto lookup = [&](const Uuid& wanted) {
    return wanted == id ? std::optional<std::string>("Desk") : std::nullopt;
  };
  EXPECT_EQ(ShortcutAction::snap(SnapPosition::leftHalf).displayName(lookup), "Left Half");
  EXPECT_EQ(ShortcutAction::workspace(id).displayName(lookup), "Desk");
  EXPECT_EQ(ShortcutAction::workspace(Uuid{}).displayName(lookup), "a workspace");
  EXPECT_EQ(ShortcutAction::workspace(id).displayName(nullptr), "a workspace");
  EXPECT_EQ(ShortcutAction::clipboardHistory().displayName(lookup), "Clipboard History");
}

TEST(UuidTest, ParsesEitherCaseAndWritesUpperCase) {
  const auto id = Uuid::fromString("1e2d3c4b-5a69-4788-96a5-b4c3d2e1f001");
  ASSERT_TRUE(id);
  EXPECT_EQ(id->toString(), "1E2D3C4B-5A69-4788-96A5-B4C3D2E1F001");
  for (const char* wrong :
       {"1E2D3C4B5A69-4788-96A5-B4C3D2E1F001-", "1E2D3C4B-5A69-4788-96A5-B4C3D2E1F00G",
        "1E2D3C4B-5A69-4788-96A5-B4C3D2E1F0011", ""}) {
    EXPECT_FALSE(Uuid::fromString(wrong)) << wrong;
  }
}

}  // namespace
}  // namespace dovrik
