// What every desktop's clipboard adapter does with the bytes it moves: images checked and
// converted to PNG, text mended into valid UTF-8. Each may take long for large content, so
// callers run them off the main thread.
#pragma once

#include <optional>
#include <string>

#include "core/platform/DefaultsValue.h"

namespace dovrik::clipboard {

// PNG bytes of an image in any format Qt reads; nothing when it is not a readable image.
std::optional<Bytes> convertToPNG(const std::string& image);

// Whether `bytes` start like a PNG image of a valid size. Reads the header only: cheap even for
// a large image.
bool isReadablePNG(const Bytes& bytes);

// The text with invalid UTF-8 sequences replaced by U+FFFD.
std::string mendedUtf8(const std::string& bytes);

}  // namespace dovrik::clipboard
