// Reading the kernel's table of mounts.
#include "linux/files/MountInfo.h"

#include <sstream>
#include <vector>

namespace dovrik::files {
namespace {

// The kernel writes a space, tab, line break and backslash in a field as three octal digits.
std::string unescaped(const std::string& field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const bool octal = field[i] == '\\' && i + 3 < field.size() &&
                       field.find_first_not_of("01234567", i + 1) >= i + 4;
    if (octal) {
      text += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
      i += 3;
    } else {
      text += field[i];
    }
  }
  return text;
}

}  // namespace

std::optional<std::string> deviceMountedAt(std::string_view mountinfo,
                                           const std::filesystem::path& mountPoint) {
  std::optional<std::string> device;
  std::istringstream lines{std::string(mountinfo)};
  for (std::string line; std::getline(lines, line);) {
    // ID, parent, major:minor, root, mount point, options, optional fields, "-", type, source.
    std::istringstream words(line);
    std::vector<std::string> fields;
    for (std::string word; words >> word;)
      fields.push_back(word);
    std::size_t separator = 6;
    while (separator < fields.size() && fields[separator] != "-")
      ++separator;
    if (separator + 2 >= fields.size())
      continue;
    if (unescaped(fields[4]) == mountPoint.string())
      device = unescaped(fields[separator + 2]);
  }
  return device;
}

}  // namespace dovrik::files
