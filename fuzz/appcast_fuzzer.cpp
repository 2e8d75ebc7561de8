// Any bytes at all as an update feed: the reader must not crash, and must keep its bounds.
#include <cstddef>
#include <cstdint>

#include "linux/qt/AppcastParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const dovrik::UpdateService::FeedResult result = dovrik::qt::parseAppcast(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (result.items.size() > 100 || (!result.error.empty() && !result.items.empty()))
    __builtin_trap();
  for (const dovrik::AppcastItem& item : result.items) {
    if (item.url.empty() || item.length == 0 || item.edSignature.empty() ||
        item.shortVersion.empty())
      __builtin_trap();
  }
  return 0;
}
