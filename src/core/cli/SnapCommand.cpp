// The snap command: the position argument and the snap itself.
#include "core/cli/SnapCommand.h"

#include <cctype>

#include "core/cli/CommandSupport.h"
#include "core/cli/RunningDovrik.h"
#include "core/windows/WindowManager.h"

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
  for (const WindowAction action : allWindowActions)
    list += ", " + argumentName(action);
  return list;
}

std::string tableRow(const std::string& name, std::string_view text) {
  return "  " + name + std::string(18 - name.size(), ' ') + std::string(text) + "\n";
}

std::string positionTable() {
  std::string table;
  for (const SnapPosition position : allSnapPositions)
    table += tableRow(argumentName(position), rawValue(position));
  return table;
}

std::string actionTable() {
  return tableRow(argumentName(WindowAction::nextDisplay),
                  "to the next monitor, left to right, then top to bottom") +
         tableRow(argumentName(WindowAction::previousDisplay), "to the monitor before") +
         tableRow(argumentName(WindowAction::restore),
                  "back to where it was before Dovrik placed it");
}

std::optional<std::string> checkSnap(const Arguments& args) {
  if (args.empty())
    return "missing POSITION; valid positions: " + positionList() + ".";
  if (!snapPositionFromArgument(joinedWords(args)) && !windowActionFromArgument(joinedWords(args)))
    return "unknown position \"" + joinedWords(args) + "\"; valid positions: " + positionList() +
           ".";
  return std::nullopt;
}

CommandOutcome runSnap(RunningDovrik& app, const Arguments& args, const Caller&) {
  if (auto refusal = refusalWithoutWindowControl(app))
    return std::move(*refusal);
  WindowManager& windows = app.windowManager();
  const std::optional<WindowAction> action = windowActionFromArgument(joinedWords(args));
  if (!action) {
    if (!windows.snapOrCycle(*snapPositionFromArgument(joinedWords(args))))
      return CommandOutcome::failure(ExitStatus::failed, "There is no active window to snap.");
    return CommandOutcome::done();
  }
  if (!windows.frontmostWindow())
    return CommandOutcome::failure(ExitStatus::failed, "There is no active window to move.");
  if (!windows.perform(*action))
    return CommandOutcome::failure(ExitStatus::failed,
                                   "Nothing to restore: Dovrik has not placed the active window, "
                                   "or it has been moved since.");
  return CommandOutcome::done();
}

}  // namespace

Command snapCommand() {
  return {
      .name = "snap",
      .synopsis = "POSITION",
      .summary = "Snap the active window to a position, to another monitor, or back.",
      .details =
          "Snaps the active window to POSITION, animated when snap animations are on.\n"
          "A position is named either way, in any case: left-half or \"Left Half\".\n"
          "Snapping again to the half or quarter the window is in steps its width (its\n"
          "height for the top and bottom halves) through 1/2, 2/3 and 1/3, unless\n"
          "`dovrik settings snapping cycle-sizes off` turned that off.\n\n"
          "Positions:\n" +
          positionTable() + "\nInstead of a position, the active window can be moved:\n" +
          actionTable(),
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

std::optional<WindowAction> windowActionFromArgument(std::string_view text) {
  const std::string wanted = lowerHyphenated(text);
  for (const WindowAction action : allWindowActions) {
    if (argumentName(action) == wanted)
      return action;
  }
  return std::nullopt;
}

std::string argumentName(SnapPosition position) {
  return lowerHyphenated(rawValue(position));
}

std::string argumentName(WindowAction action) {
  return lowerHyphenated(rawValue(action));
}

}  // namespace dovrik::cli
