// Any bytes as the app rules.
#include "FuzzSupport.h"
#include "core/rules/AppRule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dovrik::fuzz::requireStableList(dovrik::fuzz::asText(data, size), dovrik::decodeAppRules,
                                  dovrik::encodeAppRules);
  return 0;
}
