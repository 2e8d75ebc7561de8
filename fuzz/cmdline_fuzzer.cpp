// Any arguments, separated by NUL bytes, on the command line: `dovrik` either starts the agent
// (no arguments), answers at once with help or a usage error, or forwards the arguments as
// given in a request the running Dovrik reads back.
#include <vector>

#include "FuzzSupport.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"

namespace {

std::vector<std::string> argumentsIn(std::string_view text) {
  std::vector<std::string> args;
  if (text.empty())
    return args;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\0', start);
    args.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos)
      return args;
    start = end + 1;
  }
}

bool isAscii(const std::string& word) {
  return std::all_of(word.begin(), word.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using dovrik::cli::Invocation;
  using dovrik::fuzz::require;
  const std::vector<std::string> args = argumentsIn(dovrik::fuzz::asText(data, size));
  const Invocation invocation = dovrik::cli::parseCommandLine(args, "1.2.3");
  const dovrik::cli::CommandOutcome& outcome = invocation.outcome;
  switch (invocation.action) {
    case Invocation::Action::startAgent:
      require(args.empty());
      break;
    case Invocation::Action::answerHere:
      // Help goes to the output with success, a usage error to the error stream with status 2.
      require(outcome.exitCode == 0
                  ? !outcome.out.empty() && outcome.err.empty()
                  : outcome.exitCode == 2 && outcome.out.empty() && outcome.err.ends_with('\n'));
      break;
    case Invocation::Action::forward: {
      require(invocation.words == args);
      const auto request =
          dovrik::cli::decodeRequest(dovrik::cli::encodeRequest(invocation.words, "/home/u"));
      require(request && request->words.size() == args.size());
      for (std::size_t i = 0; i < args.size(); ++i)
        require(!isAscii(args[i]) || request->words[i] == args[i]);
      break;
    }
  }
  return 0;
}
