// The paste keystroke by application.
#include "core/clipboard/PasteChords.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace dovrik {
namespace {

struct Entry {
  std::string_view name;
  PasteChord chord;
};

// Names are the last part of a reverse-domain id, lower-cased, without ".desktop".
constexpr std::array<Entry, 13> table{{
    {"gnome-terminal", PasteChord::ControlShiftV},
    {"terminal", PasteChord::ControlShiftV},  // org.gnome.Terminal
    {"konsole", PasteChord::ControlShiftV},
    {"xfce4-terminal", PasteChord::ControlShiftV},
    {"tilix", PasteChord::ControlShiftV},
    {"kitty", PasteChord::ControlShiftV},
    {"alacritty", PasteChord::ControlShiftV},
    {"terminator", PasteChord::ControlShiftV},
    {"xterm", PasteChord::ShiftInsert},
    {"uxterm", PasteChord::ShiftInsert},
    {"urxvt", PasteChord::ShiftInsert},
    {"rxvt-unicode", PasteChord::ShiftInsert},
    {"urxvt-unicode", PasteChord::ShiftInsert},
}};

std::string normalised(std::string_view identity) {
  std::string name(identity);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (name.ends_with(".desktop"))
    name.resize(name.size() - std::string_view(".desktop").size());
  if (const auto dot = name.rfind('.'); dot != std::string::npos)
    name.erase(0, dot + 1);
  return name;
}

}  // namespace

PasteChord pasteChordFor(std::string_view identity) {
  const std::string name = normalised(identity);
  for (const Entry& entry : table)
    if (entry.name == name)
      return entry.chord;
  return PasteChord::ControlV;
}

}  // namespace dovrik
