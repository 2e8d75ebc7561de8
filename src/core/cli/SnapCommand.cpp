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

// The answer waits until the window is seen at its new frame: a window manager that keeps the
// window where it is must not be reported as having moved it.
void runSnap(RunningDovrik& app, const Arguments& args, const Caller&, Command::Answer answer) {
  if (auto refusal = refusalWithoutWindowControl(app)) {
    answer(std::move(*refusal));
    return;
  }
  WindowManager& windows = app.windowManager();
  auto settled = [answer](const Landing& landing) {
    answer(!landing.missed()
               ? CommandOutcome::done()
               : CommandOutcome::failure(ExitStatus::failed,
                                         std::string(WindowManager::placementMissedReason)));
  };
  const std::optional<WindowAction> action = windowActionFromArgument(joinedWords(args));
  if (!action) {
    if (!windows.snapOrCycle(*snapPositionFromArgument(joinedWords(args)), settled))
      answer(CommandOutcome::failure(ExitStatus::failed, "There is no active window to snap."));
    return;
  }
  if (!windows.frontmostWindow()) {
    answer(CommandOutcome::failure(ExitStatus::failed, "There is no active window to move."));
    return;
  }
  if (!windows.perform(*action, settled))
    answer(CommandOutcome::failure(ExitStatus::failed,
                                   "Nothing to restore: Dovrik has not placed the active window, "
                                   "or it has been moved since."));
}

}  // namespace

Command snapCommand() {
  return {
      .name = "snap",
      .synopsis = "POSITION",
      .summary = "Snap the active window to a position, to another monitor, or back.",
      .details =
          "Snaps the active window to POSITION, animated when snap animations are on, and\n"
          "answers once the window is there; it fails when the window manager keeps the\n"
          "window where it is, as tiling window managers do.\n"
          "A position is named either way, in any case: left-half or \"Left Half\".\n"
          "Snapping again to the half or quarter the window is in steps its width (its\n"
          "height for the top and bottom halves) through 1/2, 2/3 and 1/3, unless\n"
          "`dovrik settings snapping cycle-sizes off` turned that off.\n\n"
          "Positions:\n" +
          positionTable() + "\nInstead of a position, the active window can be moved:\n" +
          actionTable(),
      .check = checkSnap,
      .runThenAnswer = runSnap,
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
