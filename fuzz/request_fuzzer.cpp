// Any line as a command request on the single-instance socket, which any local process of the
// user can write to: a request that reads names a command and survives being sent again.
#include "FuzzSupport.h"
#include "core/cli/CommandMessages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using dovrik::fuzz::require;
  const auto request = dovrik::cli::decodeRequest(dovrik::fuzz::asText(data, size));
  if (!request)
    return 0;
  require(!request->words.empty());
  const auto again = dovrik::cli::decodeRequest(
      dovrik::cli::encodeRequest(request->words, request->workingDirectory));
  require(again && again->words == request->words &&
          again->workingDirectory == request->workingDirectory);
  return 0;
}
