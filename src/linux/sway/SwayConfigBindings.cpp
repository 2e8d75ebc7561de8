// Reading bindings out of a sway config.
#include "linux/sway/SwayConfigBindings.h"

#include <algorithm>
#include <string>
#include <utility>

namespace dovrik::sway {

namespace {

std::string_view trimmedLine(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The config's lines, each continued line joined to the next; a comment is never continued.
std::vector<std::string> joinedLines(std::string_view config) {
  std::vector<std::string> lines;
  std::string current;
  std::size_t start = 0;
  while (start < config.size()) {
    const std::size_t newline = config.find('\n', start);
    const bool ended = newline != std::string_view::npos;
    current += config.substr(start, (ended ? newline : config.size()) - start);
    start = ended ? newline + 1 : config.size();
    if (ended && current.ends_with('\\') && !current.starts_with('#')) {
      current.pop_back();
      continue;
    }
    lines.push_back(std::move(current));
    current.clear();
  }
  return lines;
}

// Words split at blanks; a quoted word keeps its quotes and any blanks inside them.
std::vector<std::string> wordsOf(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    std::string word;
    char quote = 0;
    for (; i < line.size() && (quote || (line[i] != ' ' && line[i] != '\t')); ++i) {
      if (quote && line[i] == '\\' && i + 1 < line.size()) {
        word += line[i++];
      } else if (line[i] == quote) {
        quote = 0;
      } else if (!quote && (line[i] == '"' || line[i] == '\'')) {
        quote = line[i];
      }
      word += line[i];
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::string unquoted(const std::string& word) {
  if (word.size() >= 2 && (word.front() == '"' || word.front() == '\'') &&
      word.back() == word.front())
    return word.substr(1, word.size() - 2);
  return word;
}

std::string joinedWords(const std::vector<std::string>& words, std::size_t from, std::size_t to) {
  std::string text;
  for (std::size_t i = from; i < to; ++i) {
    if (i > from)
      text += ' ';
    text += words[i];
  }
  return text;
}

class ConfigReader {
 public:
  explicit ConfigReader(const IncludedFiles& included) : included_(included) {}

  void readText(std::string_view config) {
    const std::vector<std::string> lines = joinedLines(config);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::string line(trimmedLine(lines[i]));
      if (line.empty() || line.starts_with('#'))
        continue;
      if (line == "}") {
        closeBlock();
        continue;
      }
      // A brace alone on the next line that is not blank opens a block with this one.
      if (!line.ends_with('{') && !line.ends_with('}')) {
        std::size_t next = i + 1;
        while (next < lines.size() && trimmedLine(lines[next]).empty())
          ++next;
        if (next < lines.size() && trimmedLine(lines[next]) == "{") {
          line += " {";
          i = next;
        }
      }
      if (const std::string* block = this->block())
        line = *block + " " + line;
      read(wordsOf(line));
    }
  }

  void read(std::vector<std::string> words) {
    if (words.empty())
      return;
    // The command's own name is never a variable, nor the name a `set` defines.
    const bool defines = words[0] == "set";
    for (std::size_t i = defines ? 2 : 1; i < words.size(); ++i)
      words[i] = substituted(words[i]);
    if (words.size() > 1 && words.back() == "{") {
      blocks_.push_back(joinedWords(words, 0, words.size() - 1));
      return;
    }
    if (defines && words.size() >= 3 && words[1].starts_with('$'))
      define(words[1], joinedWords(words, 2, words.size()));
    else if (words[0] == "bindsym")
      bind(words, 1);
    else if (words[0] == "mode")
      bindInMode(words);
    else if (words[0] == "include" && words.size() >= 2)
      include(unquoted(joinedWords(words, 1, words.size())));
  }

  void closeBlock() {
    if (!blocks_.empty())
      blocks_.pop_back();
  }
  // What a line inside the innermost block goes on from.
  const std::string* block() const { return blocks_.empty() ? nullptr : &blocks_.back(); }
  std::vector<SwayCombination> take() { return std::move(bindings_); }

 private:
  void define(const std::string& name, std::string value) {
    const auto it = std::find_if(variables_.begin(), variables_.end(),
                                 [&](const auto& variable) { return variable.first == name; });
    if (it != variables_.end()) {
      it->second = std::move(value);
      return;
    }
    variables_.emplace_back(name, std::move(value));
    // Of two names that both start here, the longer is meant: $mod before $m.
    std::stable_sort(variables_.begin(), variables_.end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
  }

  std::string substituted(const std::string& word) const {
    std::string out;
    for (std::size_t i = 0; i < word.size();) {
      const auto variable =
          word[i] != '$' ? variables_.end()
                         : std::find_if(variables_.begin(), variables_.end(), [&](const auto& v) {
                             return std::string_view(word).substr(i).starts_with(v.first);
                           });
      if (variable == variables_.end()) {
        out += word[i++];
        continue;
      }
      out += variable->second;
      i += variable->first.size();
    }
    return out;
  }

  void bind(const std::vector<std::string>& words, std::size_t from) {
    while (from < words.size() && words[from].starts_with("--"))
      ++from;
    if (from >= words.size())
      return;
    if (auto combination = parseCombination(words[from]))
      bindings_.push_back(std::move(*combination));
  }

  void include(const std::string& path) {
    // sway refuses a file included twice; a bound on the depth keeps a loop of includes from
    // running away however the files are named.
    constexpr int deepestInclude = 8;
    if (!included_ || depth_ >= deepestInclude)
      return;
    ++depth_;
    for (const std::string& text : included_(path))
      readText(text);
    --depth_;
  }

  void bindInMode(const std::vector<std::string>& words) {
    std::size_t name = 1;
    if (name < words.size() && words[name] == "--pango_markup")
      ++name;
    if (name + 1 < words.size() && unquoted(words[name]) == "default" &&
        words[name + 1] == "bindsym")
      bind(words, name + 2);
  }

  const IncludedFiles& included_;
  int depth_ = 0;
  std::vector<std::string> blocks_;
  std::vector<std::pair<std::string, std::string>> variables_;
  std::vector<SwayCombination> bindings_;
};

}  // namespace

std::vector<SwayCombination> defaultModeBindings(std::string_view config,
                                                 const IncludedFiles& included) {
  ConfigReader reader(included);
  reader.readText(config);
  return reader.take();
}

}  // namespace dovrik::sway
