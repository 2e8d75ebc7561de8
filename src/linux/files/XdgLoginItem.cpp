// Launch at login on a freedesktop session: an autostart desktop entry for the running program.
#include "linux/files/XdgLoginItem.h"

#include <string>
#include <string_view>

#include "linux/files/DesktopExec.h"
#include "linux/files/FileIo.h"

namespace dovrik::files {
namespace {

std::string desktopEntry(const std::filesystem::path& executable) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Dovrik\n"
         "Exec=" +
         desktopExecArgument(executable.string()) +
         "\n"
         "Icon=org.dovrik.Dovrik\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace

XdgLoginItem::XdgLoginItem(std::filesystem::path configHome, std::filesystem::path executable)
    : entry_(configHome / "autostart" / "dovrik.desktop"), executable_(std::move(executable)) {}

std::optional<std::string> XdgLoginItem::registerItem() {
  // A relative path would resolve against whatever folder the session starts programs in.
  if (!executable_.is_absolute())
    return "the location of the Dovrik program is unknown";
  return writeFileAtomically(entry_, desktopEntry(executable_), 0600);
}

std::optional<std::string> XdgLoginItem::unregisterItem() {
  return removeFile(entry_);
}

}  // namespace dovrik::files
