// Writing a program's path into a desktop entry's Exec key.
#include "linux/files/DesktopExec.h"

namespace dovrik::files {

// The program as one Exec argument. The desktop-entry rules apply two layers: inside a quoted
// argument '"', '`', '$' and '\' take a backslash; then the whole value is a string in which
// '\' itself and control characters are escaped. A '%' would start a field code, so it doubles.
std::string desktopExecArgument(const std::string& path) {
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

}  // namespace dovrik::files
