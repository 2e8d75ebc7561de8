// The virtual keyboard's keymap and the strokes of each paste chord: the modifier masks must be
// those of the keymap the compositor is handed, or the focused window sees another chord.
#include <gtest/gtest.h>

#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

#include "linux/wayland/PasteChordKeys.h"
#include "linux/wayland/VirtualKeyboardKeymap.h"

namespace dovrik::wayland {
namespace {

using Stroke = VirtualKeyboardKeymap::Stroke;

TEST(VirtualKeyboardKeymapTest, ChordsPressAndReleaseWithTheModifiersTheyHold) {
  // Masks of the US keymap: Shift is its modifier 0, Control its modifier 2.
  constexpr std::uint32_t shift = 1u << 0;
  constexpr std::uint32_t control = 1u << 2;
  struct Row {
    const char* name;
    PasteChord chord;
    std::vector<Stroke> strokes;
  };
  const Row rows[] = {
      {"Ctrl+V",
       PasteChord::ControlV,
       {{KEY_LEFTCTRL, true, control},
        {KEY_V, true, control},
        {KEY_V, false, control},
        {KEY_LEFTCTRL, false, 0}}},
      {"Ctrl+Shift+V",
       PasteChord::ControlShiftV,
       {{KEY_LEFTCTRL, true, control},
        {KEY_LEFTSHIFT, true, control | shift},
        {KEY_V, true, control | shift},
        {KEY_V, false, control | shift},
        {KEY_LEFTSHIFT, false, control},
        {KEY_LEFTCTRL, false, 0}}},
      {"Shift+Insert",
       PasteChord::ShiftInsert,
       {{KEY_LEFTSHIFT, true, shift},
        {KEY_INSERT, true, shift},
        {KEY_INSERT, false, shift},
        {KEY_LEFTSHIFT, false, 0}}},
  };
  const VirtualKeyboardKeymap keymap;
  ASSERT_TRUE(keymap.isValid());
  for (const Row& row : rows)
    EXPECT_EQ(keymap.strokesOf(pasteChordKeys(row.chord)), row.strokes) << row.name;
}

TEST(VirtualKeyboardKeymapTest, TheUploadedTextIsTheUsLayoutWhateverTheUserSet) {
  setenv("XKB_DEFAULT_LAYOUT", "us", 1);
  setenv("XKB_DEFAULT_VARIANT", "dvorak", 1);
  const VirtualKeyboardKeymap keymap;
  unsetenv("XKB_DEFAULT_LAYOUT");
  unsetenv("XKB_DEFAULT_VARIANT");

  // Read back as the compositor reads it.
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
  xkb_keymap* uploaded = xkb_keymap_new_from_string(
      context, keymap.text().c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
  ASSERT_NE(uploaded, nullptr);
  const xkb_keysym_t* symbols = nullptr;
  ASSERT_EQ(xkb_keymap_key_get_syms_by_level(uploaded, KEY_V + 8, 0, 0, &symbols), 1);
  EXPECT_EQ(symbols[0], XKB_KEY_v);
  EXPECT_EQ(xkb_keymap_mod_get_index(uploaded, XKB_MOD_NAME_SHIFT), 0u);
  EXPECT_EQ(xkb_keymap_mod_get_index(uploaded, XKB_MOD_NAME_CTRL), 2u);
  xkb_keymap_unref(uploaded);
  xkb_context_unref(context);
}

}  // namespace
}  // namespace dovrik::wayland
