// Bytes that never change once made, shared by every copy. A clipboard image is copied into
// views and into the snapshot each save works from; copying the bytes each time would cost as
// much as the image, on the main thread.
#pragma once

#include <memory>
#include <optional>
#include <utility>

#include "core/support/Bytes.h"

namespace dovrik {

class SharedBytes {
 public:
  SharedBytes() = default;
  SharedBytes(std::nullopt_t) {}
  SharedBytes(Bytes bytes) : bytes_(std::make_shared<const Bytes>(std::move(bytes))) {}

  explicit operator bool() const { return bytes_ != nullptr; }
  const Bytes& operator*() const { return *bytes_; }
  const Bytes* operator->() const { return bytes_.get(); }

  // Equal contents, not the same copy.
  friend bool operator==(const SharedBytes& a, const SharedBytes& b) {
    return a.bytes_ == b.bytes_ || (a && b && *a == *b);
  }

 private:
  std::shared_ptr<const Bytes> bytes_;
};

}  // namespace dovrik
