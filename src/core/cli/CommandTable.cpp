// The command table; a new command is one more entry here.
#include "core/cli/CommandTable.h"

#include "core/cli/AppsCommand.h"
#include "core/cli/ClipboardCommand.h"
#include "core/cli/DragCommand.h"
#include "core/cli/LayoutCommand.h"
#include "core/cli/LifecycleCommands.h"
#include "core/cli/OnboardingCommand.h"
#include "core/cli/RulesCommand.h"
#include "core/cli/SettingsCommand.h"
#include "core/cli/ShelfCommand.h"
#include "core/cli/ShortcutsCommand.h"
#include "core/cli/SnapCommand.h"
#include "core/cli/UpdateCommand.h"

namespace dovrik::cli {

const std::vector<Command>& commandTable() {
  static const std::vector<Command> table = {
      snapCommand(),       layoutCommand(), clipboardCommand(), shelfCommand(),
      shortcutsCommand(),  rulesCommand(),  appsCommand(),      settingsCommand(),
      onboardingCommand(), updateCommand(), quitCommand(),      relaunchCommand(),
      dragCommand(),
  };
  return table;
}

const Command* findCommand(std::string_view name) {
  for (const Command& command : commandTable()) {
    if (command.name == name)
      return &command;
  }
  return nullptr;
}

}  // namespace dovrik::cli
