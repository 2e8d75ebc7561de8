// Reading and writing the per-application paste keystrokes.
#include "core/paste/PasteKeys.h"

#include "core/support/Json.h"

namespace dovrik {
namespace {

struct Names {
  PasteChord chord;
  std::string_view word;
  std::string_view title;
};

constexpr std::array<Names, 3> names{{
    {PasteChord::ControlV, "ctrl-v", "Ctrl+V"},
    {PasteChord::ControlShiftV, "ctrl-shift-v", "Ctrl+Shift+V"},
    {PasteChord::ShiftInsert, "shift-insert", "Shift+Insert"},
}};

const Names& namesOf(PasteChord chord) {
  for (const Names& entry : names) {
    if (entry.chord == chord)
      return entry;
  }
  return names.front();
}

}  // namespace

std::string_view pasteKeyWord(PasteChord chord) {
  return namesOf(chord).word;
}

std::string_view pasteKeyTitle(PasteChord chord) {
  return namesOf(chord).title;
}

std::optional<PasteChord> pasteChordFromWord(std::string_view word) {
  for (const Names& entry : names) {
    if (entry.word == word)
      return entry.chord;
  }
  return std::nullopt;
}

PasteKeyTable pasteKeyTable(const AppState& appState) {
  const Bytes data = appState.pasteKeysData();
  const Json json = Json::parse(data.begin(), data.end(), nullptr, /*allow_exceptions=*/false);
  PasteKeyTable table;
  if (!json.is_object())
    return table;
  for (const auto& [appId, word] : json.items()) {
    if (!word.is_string())
      continue;
    if (const auto chord = pasteChordFromWord(word.get<std::string>()))
      table[appId] = *chord;
  }
  return table;
}

void setPasteKey(AppState& appState, const std::string& appId, std::optional<PasteChord> chord) {
  PasteKeyTable table = pasteKeyTable(appState);
  if (chord)
    table[appId] = *chord;
  else
    table.erase(appId);
  Json json = Json::object();
  for (const auto& [id, chosen] : table)
    json[id] = std::string(pasteKeyWord(chosen));
  // An identity from a window class may be Latin-1, which JSON cannot hold as it is: it is
  // written with replacement characters rather than failing the write.
  const std::string text = json.dump(-1, ' ', false, Json::error_handler_t::replace);
  appState.setPasteKeysData(Bytes(text.begin(), text.end()));
}

}  // namespace dovrik
