// Text that never changes once made, shared by every copy. Clipboard entries can be megabytes
// of text and are copied into views and into the snapshot each save works from; copying the
// text each time would cost the main thread as much as the text.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace dovrik {

class SharedText {
 public:
  SharedText() = default;
  SharedText(std::string text) : text_(std::make_shared<const std::string>(std::move(text))) {}
  SharedText(const char* text) : SharedText(std::string(text)) {}

  // An empty text when none was given.
  const std::string& operator*() const { return text_ ? *text_ : empty(); }
  const std::string* operator->() const { return &**this; }

  friend bool operator==(const SharedText& a, const SharedText& b) {
    return a.text_ == b.text_ || *a == *b;
  }
  friend bool operator==(const SharedText& a, std::string_view b) { return *a == b; }
  friend bool operator==(const SharedText& a, const std::string& b) { return *a == b; }
  friend bool operator==(const SharedText& a, const char* b) { return *a == b; }

 private:
  static const std::string& empty() {
    static const std::string none;
    return none;
  }

  std::shared_ptr<const std::string> text_;
};

}  // namespace dovrik
