// The core's texts, UTF-8 views, as Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace dovrik::ui {

inline QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace dovrik::ui
