// A list kept as the UTF-8 bytes of its JSON text under one settings key.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/platform/Defaults.h"

namespace dovrik {

class StoredList {
 public:
  StoredList(Defaults& defaults, std::string_view key, std::string_view unreadableKey)
      : defaults_(defaults), key_(key), unreadableKey_(unreadableKey) {}

  // The list `decode` (text to an optional list) reads from the stored bytes; nothing when
  // there are none or they do not decode. Bytes that do not decode stay where they are.
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

  // Stores the text. A stored value that could not be read may be the user's only copy
  // (written by a newer version, or damaged): the first save sets it aside under the
  // unreadable key rather than losing it.
  void save(const std::string& text) {
    if (unreadable_) {
      defaults_.set(unreadableKey_, *unreadable_);
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
