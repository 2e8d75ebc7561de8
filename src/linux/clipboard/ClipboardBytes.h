// What every desktop's clipboard adapter does with the bytes it moves: images checked and
// converted to PNG, text mended into valid UTF-8. Large content makes these slow, so the
// adapters run them on the background pool.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/platform/Background.h"
#include "core/platform/DefaultsValue.h"

namespace dovrik::clipboard {

// PNG bytes of an image in any format Qt reads; nothing when it is not a readable image.
std::optional<Bytes> convertToPNG(const std::string& image);

// Whether `bytes` start like a PNG image of a valid size. Reads the header only: cheap even for
// a large image.
bool isReadablePNG(const Bytes& bytes);

// The text with invalid UTF-8 sequences replaced by U+FFFD.
std::string mendedUtf8(const std::string& bytes);

// `mendedUtf8` of `bytes` off the main thread; `done` gets it on the main queue.
void mendInBackground(Background& background, std::string bytes,
                      std::function<void(std::string)> done);
// PNG bytes of `image` off the main thread: copied when it is PNG already (even that is slow
// for tens of megabytes), converted otherwise.
void pngInBackground(Background& background, std::string image, bool isPng,
                     std::function<void(std::optional<Bytes>)> done);

}  // namespace dovrik::clipboard
