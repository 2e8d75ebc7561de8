// The paste keystroke by application.
#include "core/paste/PasteChords.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "core/support/AsciiCase.h"

namespace dovrik {
namespace {

// Known by window class ("XTerm", "UXTerm", "URxvt"), executable or identity.
constexpr std::array<std::string_view, 5> primarySelectionTerminals = {
    "xterm", "uxterm", "urxvt", "rxvt-unicode", "urxvt-unicode"};

// Terminals whose window the system may not tie to a desktop entry, so that no category tells;
// names are the last part of a reverse-domain identity.
constexpr std::array<std::string_view, 8> controlShiftVTerminals = {
    "gnome-terminal", "terminal" /* org.gnome.Terminal */,
    "konsole",        "xfce4-terminal",
    "tilix",          "kitty",
    "alacritty",      "terminator"};

// "org.gnome.Terminal.desktop" → "terminal".
std::string identityName(std::string_view identity) {
  std::string name = asciiLower(identity);
  if (name.ends_with(".desktop"))
    name.resize(name.size() - std::string_view(".desktop").size());
  if (const auto dot = name.rfind('.'); dot != std::string::npos)
    name.erase(0, dot + 1);
  return name;
}

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& names, const std::string& name) {
  return !name.empty() && std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

PasteChord suggestedPasteChord(const RunningApp& app) {
  const std::string identity = identityName(app.bundleIdentifier);
  if (listed(primarySelectionTerminals, asciiLower(app.windowClass)) ||
      listed(primarySelectionTerminals, asciiLower(app.executable)) ||
      listed(primarySelectionTerminals, identity))
    return PasteChord::ShiftInsert;
  if (listed(controlShiftVTerminals, identity) ||
      std::find(app.categories.begin(), app.categories.end(), "TerminalEmulator") !=
          app.categories.end())
    return PasteChord::ControlShiftV;
  return PasteChord::ControlV;
}

PasteChord pasteChordFor(const RunningApp& app, const PasteKeyTable& chosen) {
  if (const auto choice = chosen.find(app.bundleIdentifier); choice != chosen.end())
    return choice->second;
  return suggestedPasteChord(app);
}

}  // namespace dovrik
