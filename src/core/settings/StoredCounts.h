// The counts the Clipboard panel shows for the history and for the shelf: "20 unpinned · 2
// pinned" and the unpinned entries against the size, "20 / 25".
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

namespace dovrik {

struct StoredCounts {
  std::size_t unpinned = 0;
  std::size_t pinned = 0;

  template <typename Items>
  static StoredCounts of(const Items& items) {
    const auto pinned = static_cast<std::size_t>(
        std::count_if(items.begin(), items.end(), [](const auto& i) { return i.isPinned; }));
    return {items.size() - pinned, pinned};
  }

  std::string text() const {
    return std::to_string(unpinned) + " unpinned · " + std::to_string(pinned) + " pinned";
  }
  std::string againstSize(std::int64_t size) const {
    return std::to_string(unpinned) + " / " + std::to_string(size);
  }
};

}  // namespace dovrik
