// Any bytes as the clipboard history.
#include "FuzzSupport.h"
#include "core/clipboard/ClipboardItem.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dovrik::fuzz::requireStableList(dovrik::fuzz::asText(data, size), dovrik::decodeClipboardItems,
                                  dovrik::encodeClipboardItems);
  return 0;
}
