// Launch at login on a freedesktop session: an autostart desktop entry for the running program.
#include "linux/files/XdgLoginItem.h"

#include <string>
#include <string_view>

#include "linux/files/FileIo.h"

namespace dovrik::files {
namespace {

// The program as one Exec argument. The desktop-entry rules apply two layers: inside a quoted
// argument '"', '`', '$' and '\' take a backslash; then the whole value is a string in which
// '\' itself and control characters are escaped. A '%' would start a field code, so it doubles.
std::string execArgument(const std::string& path) {
  std::string quoted = "\"";
  for (const char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\')
      quoted += '\\';
    quoted += c;
  }
  quoted += '"';

  std::string value;
  for (const char c : quoted) {
    switch (c) {
      case '\\':
        value += "\\\\";
        break;
      case '\n':
        value += "\\n";
        break;
      case '\t':
        value += "\\t";
        break;
      case '\r':
        value += "\\r";
        break;
      case '%':
        value += "%%";
        break;
      default:
        value += c;
    }
  }
  return value;
}

std::string desktopEntry(const std::filesystem::path& executable) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Dovrik\n"
         "Exec=" +
         execArgument(executable.string()) +
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
  return writeFileAtomically(entry_, desktopEntry(executable_), 0644);
}

std::optional<std::string> XdgLoginItem::unregisterItem() {
  return removeFile(entry_);
}

}  // namespace dovrik::files
