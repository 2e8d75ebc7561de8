// Reading and setting edge-tiling settings through GSettings, xfconf and kwinrc.
#include "linux/desktop/DesktopEdgeTiling.h"

#include <sstream>
#include <vector>

#include "linux/desktop/KnownEdgeTiling.h"
#include "linux/desktop/SettingsTool.h"

namespace dovrik::desktop {
namespace {

// "<store> <place> <key>": a GSettings schema and key, an xfconf channel and property, or a
// kwinrc group and key.
struct Address {
  std::string store;
  std::string place;
  std::string key;
};

std::optional<Address> addressOf(std::string_view id) {
  std::istringstream words{std::string(id)};
  Address address;
  std::string extra;
  if (!(words >> address.store >> address.place >> address.key) || (words >> extra))
    return std::nullopt;
  return address;
}

std::optional<bool> booleanIn(const std::string& printed) {
  const auto end = printed.find_last_not_of(" \n");
  const std::string word = end == std::string::npos ? "" : printed.substr(0, end + 1);
  if (word == "true")
    return true;
  if (word == "false")
    return false;
  return std::nullopt;
}

const char* word(bool on) {
  return on ? "true" : "false";
}

// The first of the tool's names that is installed: Plasma 6 renamed its tools.
std::optional<ToolOutput> runFirstInstalled(const std::vector<std::string>& names,
                                            std::vector<std::string> argv) {
  for (const std::string& name : names) {
    argv.front() = name;
    if (auto output = runSettingsTool(argv))
      return output;
  }
  return std::nullopt;
}

bool succeeded(const std::optional<ToolOutput>& output) {
  return output && output->exitStatus == 0;
}

std::optional<bool> readGSettings(const Address& a) {
  const auto output = runSettingsTool({"gsettings", "get", a.place, a.key});
  return succeeded(output) ? booleanIn(output->out) : std::nullopt;
}

bool writeGSettings(const Address& a, bool on) {
  return succeeded(runSettingsTool({"gsettings", "set", a.place, a.key, word(on)}));
}

std::optional<bool> readXfconf(const Address& a, std::string_view id) {
  const auto output = runSettingsTool({"xfconf-query", "-c", a.place, "-p", a.key});
  if (succeeded(output))
    return booleanIn(output->out);
  // xfwm4 keeps its built-in values out of xfconf: a property that is absent from a channel
  // the daemon answers for holds the built-in value. A daemon that does not answer fails
  // the listing too.
  if (!succeeded(runSettingsTool({"xfconf-query", "-c", a.place, "-l"})))
    return std::nullopt;
  return builtInValueOf(id);
}

bool writeXfconf(const Address& a, bool on) {
  return succeeded(runSettingsTool(
      {"xfconf-query", "-c", a.place, "-p", a.key, "-n", "-t", "bool", "-s", word(on)}));
}

std::optional<bool> readKwinrc(const Address& a, std::string_view id) {
  std::vector<std::string> argv = {"", "--file", "kwinrc", "--group", a.place, "--key", a.key};
  if (const auto builtIn = builtInValueOf(id))
    argv.insert(argv.end(), {"--default", word(*builtIn)});
  const auto output = runFirstInstalled({"kreadconfig6", "kreadconfig5"}, argv);
  return succeeded(output) ? booleanIn(output->out) : std::nullopt;
}

bool writeKwinrc(const Address& a, bool on) {
  const auto written = runFirstInstalled(
      {"kwriteconfig6", "kwriteconfig5"},
      {"", "--file", "kwinrc", "--group", a.place, "--key", a.key, "--type", "bool", word(on)});
  // KWin reads its configuration again only when told; without that the file says one thing
  // and KWin does another, which must not count as done.
  return succeeded(written) &&
         succeeded(runSettingsTool({"dbus-send", "--session", "--type=method_call",
                                    "--dest=org.kde.KWin", "/KWin", "org.kde.KWin.reconfigure"}));
}

}  // namespace

WindowManagerTiling DesktopEdgeTiling::running() {
  WindowManagerTiling tiling{.windowManager = windowManagerName_(), .settings = {}};
  tiling.settings = edgeTilingSettingsOf(tiling.windowManager);
  return tiling;
}

std::optional<bool> DesktopEdgeTiling::isOn(std::string_view id) {
  const auto address = addressOf(id);
  if (!address)
    return std::nullopt;
  if (address->store == "gsettings")
    return readGSettings(*address);
  if (address->store == "xfconf")
    return readXfconf(*address, id);
  if (address->store == "kwinrc")
    return readKwinrc(*address, id);
  return std::nullopt;
}

bool DesktopEdgeTiling::setOn(std::string_view id, bool on) {
  const auto address = addressOf(id);
  if (!address)
    return false;
  if (address->store == "gsettings")
    return writeGSettings(*address, on);
  if (address->store == "xfconf")
    return writeXfconf(*address, on);
  if (address->store == "kwinrc")
    return writeKwinrc(*address, on);
  return false;
}

}  // namespace dovrik::desktop
