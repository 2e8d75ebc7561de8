#include "linux/gnome/EnabledExtensions.h"

#include <algorithm>

#include "linux/desktop/SettingsTool.h"

namespace dovrik::gnome {

namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

void skipSpaces(std::string_view text, std::size_t& at) {
  while (at < text.size() && isSpace(text[at]))
    ++at;
}

// One quoted string from `at` on; `at` ends past its closing quote.
std::optional<std::string> quoted(std::string_view text, std::size_t& at) {
  if (at >= text.size() || (text[at] != '\'' && text[at] != '"'))
    return std::nullopt;
  const char quote = text[at++];
  std::string out;
  while (at < text.size()) {
    const char c = text[at++];
    if (c == quote)
      return out;
    if (c == '\\') {
      if (at >= text.size())
        return std::nullopt;
      out += text[at++];
      continue;
    }
    out += c;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::string>> parseStringArray(std::string_view text) {
  std::size_t at = 0;
  skipSpaces(text, at);
  // An empty array carries its type, since nothing else would tell it.
  if (text.substr(at, 3) == "@as") {
    at += 3;
    skipSpaces(text, at);
  }
  if (at >= text.size() || text[at++] != '[')
    return std::nullopt;
  std::vector<std::string> items;
  skipSpaces(text, at);
  if (at < text.size() && text[at] == ']') {
    ++at;
  } else {
    for (;;) {
      skipSpaces(text, at);
      auto item = quoted(text, at);
      if (!item)
        return std::nullopt;
      items.push_back(std::move(*item));
      skipSpaces(text, at);
      if (at >= text.size())
        return std::nullopt;
      const char next = text[at++];
      if (next == ']')
        break;
      if (next != ',')
        return std::nullopt;
    }
  }
  skipSpaces(text, at);
  if (at != text.size())
    return std::nullopt;
  return items;
}

std::string stringArrayText(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0)
      out += ", ";
    out += '\'';
    for (char c : items[i]) {
      if (c == '\'' || c == '\\')
        out += '\\';
      out += c;
    }
    out += '\'';
  }
  return out + "]";
}

bool isListed(const std::vector<std::string>& uuids, std::string_view uuid) {
  return std::find(uuids.begin(), uuids.end(), uuid) != uuids.end();
}

std::optional<std::vector<std::string>> readEnabledExtensions() {
  const auto output =
      desktop::runSettingsTool({"gsettings", "get", "org.gnome.shell", "enabled-extensions"});
  if (!output || output->exitStatus != 0)
    return std::nullopt;
  return parseStringArray(output->out);
}

bool writeEnabledExtensions(const std::vector<std::string>& uuids) {
  const auto output = desktop::runSettingsTool(
      {"gsettings", "set", "org.gnome.shell", "enabled-extensions", stringArrayText(uuids)});
  return output && output->exitStatus == 0;
}

}  // namespace dovrik::gnome
