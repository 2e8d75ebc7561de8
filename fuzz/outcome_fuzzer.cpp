// Any line as the running Dovrik's answer to a command: the client must end with exactly the
// status that was sent, one a process can end with, and the answer survives being sent again.
#include "FuzzSupport.h"
#include "core/cli/CommandMessages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using dovrik::fuzz::require;
  const std::string_view line = dovrik::fuzz::asText(data, size);
  const auto outcome = dovrik::cli::decodeOutcome(line);
  if (!outcome)
    return 0;
  require(dovrik::Json::parse(line)["exit"] == outcome->exitCode);
  require(outcome->exitCode >= 0 && outcome->exitCode <= 255);
  require(dovrik::cli::decodeOutcome(dovrik::cli::encodeOutcome(*outcome)) == outcome);
  return 0;
}
