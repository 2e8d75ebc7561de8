// The files a sway include line names, read the way sway finds them: the path expanded as a
// shell would expand a word (~, environment variables, wildcards; never a command), a relative
// one taken from the folder of the config sway reads.
#pragma once

#include <string>
#include <vector>

namespace dovrik::sway {

// The folder of the config sway reads when started without -c: the first of the places sway
// looks in that holds one; empty when none does. `home` and `configHome` are $HOME and
// $XDG_CONFIG_HOME (the latter may be empty).
std::string swayConfigFolder(const std::string& home, const std::string& configHome);

// The texts of the regular files `path` names, in the order of their names; none for a path
// that names nothing readable.
std::vector<std::string> includedFileTexts(const std::string& path,
                                           const std::string& configFolder);

}  // namespace dovrik::sway
