// Expanding include paths and reading the files they name.
#include "linux/sway/SwayIncludes.h"

#include <wordexp.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace dovrik::sway {

namespace {

// Larger is no config: a path that names a log or an image by mistake is not read whole.
constexpr std::uintmax_t largestConfig = 1u << 20;

}  // namespace

std::string swayConfigFolder(const std::string& home, const std::string& configHome) {
  const std::string xdg = configHome.empty() ? home + "/.config" : configHome;
  for (const std::string& config :
       {home + "/.sway/config", xdg + "/sway/config", home + "/.i3/config", xdg + "/i3/config",
        std::string("/etc/sway/config"), std::string("/etc/i3/config")}) {
    std::error_code error;
    if (std::filesystem::is_regular_file(config, error))
      return std::filesystem::path(config).parent_path().string();
  }
  return {};
}

std::vector<std::string> includedFileTexts(const std::string& path,
                                           const std::string& configFolder) {
  const bool anchored = path.starts_with('/') || path.starts_with('~') || path.starts_with('$');
  const std::string word = anchored || configFolder.empty() ? path : configFolder + "/" + path;
  wordexp_t expansion{};
  // WRDE_NOCMD: a `$(…)` in a config is never run on Dovrik's behalf.
  if (wordexp(word.c_str(), &expansion, WRDE_NOCMD) != 0)
    return {};
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < expansion.we_wordc; ++i) {
    const std::filesystem::path file = expansion.we_wordv[i];
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error) ||
        std::filesystem::file_size(file, error) > largestConfig || error)
      continue;
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    if (in)
      texts.push_back(text.str());
  }
  wordfree(&expansion);
  return texts;
}

}  // namespace dovrik::sway
