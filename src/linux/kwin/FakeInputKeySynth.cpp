// Authenticating with KWin's fake input once, and pressing the paste chords through it.
#include "linux/kwin/FakeInputKeySynth.h"

#include <ranges>

#include <wayland-client.h>

#include "fake-input-client-protocol.h"
#include "linux/wayland/PasteChordKeys.h"

namespace dovrik::kwin {
namespace {

// Version 4 brings keyboard keys.
constexpr std::uint32_t fakeInputVersion = 4;
constexpr std::uint32_t released = 0;
constexpr std::uint32_t pressed = 1;

}  // namespace

FakeInputKeySynth::FakeInputKeySynth(wayland::WaylandConnection& connection)
    : connection_(connection) {
  const auto global = connection_.global("org_kde_kwin_fake_input");
  if (!global || global->version < fakeInputVersion)
    return;
  fakeInput_ = static_cast<org_kde_kwin_fake_input*>(
      connection_.bind(*global, &org_kde_kwin_fake_input_interface, fakeInputVersion));
  if (!fakeInput_)
    return;
  // KWin lets the desktop entry decide; the texts only name the program in its logs.
  org_kde_kwin_fake_input_authenticate(fakeInput_, "Dovrik",
                                       "Pastes the entry chosen from the clipboard history");
  connection_.flush();
}

FakeInputKeySynth::~FakeInputKeySynth() {
  if (fakeInput_) {
    org_kde_kwin_fake_input_destroy(fakeInput_);
    connection_.flush();
  }
}

void FakeInputKeySynth::postPaste(PasteChord chord) {
  if (!isAvailable())
    return;
  const auto keys = wayland::pasteChordKeys(chord);
  for (const std::uint32_t key : keys)
    org_kde_kwin_fake_input_keyboard_key(fakeInput_, key, pressed);
  for (const std::uint32_t key : std::views::reverse(keys))
    org_kde_kwin_fake_input_keyboard_key(fakeInput_, key, released);
  connection_.flush();
}

}  // namespace dovrik::kwin
