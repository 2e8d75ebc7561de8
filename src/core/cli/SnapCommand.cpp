// The snap command: the position argument and the snap itself.
#include "core/cli/SnapCommand.h"

#include <cctype>

#include "core/app/App.h"
#include "core/cli/CommandSupport.h"

namespace dovrik::cli {
namespace {

std::string lowerHyphenated(std::string_view text) {
  std::string out;
  for (const char c : text)
    out += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string positionList() {
  std::string list;
  for (const SnapPosition position : allSnapPositions)
    list += (list.empty() ? "" : ", ") + argumentName(position);
  return list;
}

std::string positionTable() {
  std::string table;
  for (const SnapPosition position : allSnapPositions) {
    const std::string name = argumentName(position);
    table +=
        "  " + name + std::string(16 - name.size(), ' ') + std::string(rawValue(position)) + "\n";
  }
  return table;
}

std::optional<std::string> checkSnap(const Arguments& args) {
  if (args.empty())
    return "missing POSITION; valid positions: " + positionList() + ".";
  if (!snapPositionFromArgument(joinedWords(args)))
    return "unknown position \"" + joinedWords(args) + "\"; valid positions: " + positionList() +
           ".";
  return std::nullopt;
}

CommandOutcome runSnap(App& app, const Arguments& args, const Caller&) {
  if (auto refusal = refusalWithoutWindowControl(app))
    return std::move(*refusal);
  if (!app.windowManager().snapOrCycle(*snapPositionFromArgument(joinedWords(args))))
    return CommandOutcome::failure(ExitStatus::failed, "There is no active window to snap.");
  return CommandOutcome::done();
}

}  // namespace

Command snapCommand() {
  return {
      .name = "snap",
      .synopsis = "POSITION",
      .summary = "Snap the active window to a position.",
      .details =
          "Snaps the active window to POSITION, animated when snap animations are on.\n"
          "A position is named either way, in any case: left-half or \"Left Half\".\n"
          "Snapping again to the half or quarter the window is in steps its width (its\n"
          "height for the top and bottom halves) through 1/2, 2/3 and 1/3, unless\n"
          "`dovrik settings snapping cycle-sizes off` turned that off.\n\n"
          "Positions:\n" +
          positionTable(),
      .check = checkSnap,
      .run = runSnap,
  };
}

std::optional<SnapPosition> snapPositionFromArgument(std::string_view text) {
  const std::string wanted = lowerHyphenated(text);
  for (const SnapPosition position : allSnapPositions) {
    if (argumentName(position) == wanted)
      return position;
  }
  return std::nullopt;
}

std::string argumentName(SnapPosition position) {
  return lowerHyphenated(rawValue(position));
}

}  // namespace dovrik::cli
