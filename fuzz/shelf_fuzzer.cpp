// Any bytes as the file shelf.
#include "FuzzSupport.h"
#include "core/shelf/FileShelfItem.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dovrik::fuzz::requireStableList(dovrik::fuzz::asText(data, size), dovrik::decodeFileShelfItems,
                                  dovrik::encodeFileShelfItems);
  return 0;
}
