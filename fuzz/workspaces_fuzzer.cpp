// Any bytes as the saved layouts.
#include "FuzzSupport.h"
#include "core/workspaces/Workspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dovrik::fuzz::requireStableList(dovrik::fuzz::asText(data, size), dovrik::decodeWorkspaces,
                                  dovrik::encodeWorkspaces);
  return 0;
}
