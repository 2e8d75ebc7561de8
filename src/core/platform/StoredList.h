// A list kept as JSON data under one defaults key, read once and written whole. A stored value
// that does not read (written by a newer version, or damaged) may be the user's only copy, so
// the first write sets it aside under a second key rather than losing it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/platform/Defaults.h"

namespace dovrik {

class StoredList {
 public:
  StoredList(Defaults& defaults, std::string_view key, std::string_view unreadableKey)
      : defaults_(defaults), key_(key), unreadableKey_(unreadableKey) {}

  // What `decode` makes of the stored text; nothing when none is stored or it does not decode.
  template <typename Decode>
  auto load(Decode decode) -> decltype(decode(std::string_view())) {
    const std::optional<DefaultsValue> stored = defaults_.object(key_);
    if (!stored)
      return std::nullopt;
    const Bytes* bytes = stored->asData();
    auto decoded =
        bytes
            ? decode(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()))
            : std::nullopt;
    if (!decoded)
      unreadable_ = *stored;
    return decoded;
  }

  void save(const std::string& text) {
    if (unreadable_) {
      defaults_.set(unreadableKey_, std::move(*unreadable_));
      unreadable_.reset();
    }
    defaults_.set(key_, Bytes(text.begin(), text.end()));
  }

 private:
  Defaults& defaults_;
  std::string_view key_;
  std::string_view unreadableKey_;
  std::optional<DefaultsValue> unreadable_;
};

}  // namespace dovrik
