// A scripted clipboard for tests.
#include "sim/SimPasteboard.h"

#include <algorithm>
#include <array>

namespace dovrik::sim {

bool looksLikePNG(const Bytes& bytes) {
  constexpr std::array<std::uint8_t, 8> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin());
}

std::optional<std::string> SimPasteboard::text() const {
  ++textReads;
  return content_.text;
}

void SimPasteboard::readPNG(std::function<void(std::optional<Bytes>)> done) {
  ++pngReads;
  std::optional<Bytes> result = content_.png;
  if (!result && content_.otherImage)
    result = *content_.otherImage;
  mainQueue_.after(pngReadDelay,
                   [done = std::move(done), result = std::move(result)] { done(result); });
}

ChangeCount SimPasteboard::writeText(const std::string& text, bool alsoPrimary) {
  content_ = SimClipboardContent{.types = {"text/plain;charset=utf-8"}, .text = text};
  writes.push_back(Write{.text = text, .alsoPrimary = alsoPrimary});
  bump();
  return count_;
}

std::optional<ChangeCount> SimPasteboard::writePNG(const Bytes& png, bool alsoPrimary) {
  if (!looksLikePNG(png))
    return std::nullopt;
  content_ = SimClipboardContent{.types = {"image/png"}, .png = png};
  writes.push_back(Write{.png = png, .alsoPrimary = alsoPrimary});
  bump();
  return count_;
}

ChangeCount SimPasteboard::writeRepresentations(
    const std::vector<PasteboardRepresentation>& representations, bool alsoPrimary) {
  content_ = SimClipboardContent{};
  for (const PasteboardRepresentation& representation : representations) {
    content_.types.push_back(representation.type);
    if (representation.type == plainTextType)
      content_.text = representation.bytes;
    else
      content_.formats.push_back(representation);
  }
  writes.push_back(Write{.alsoPrimary = alsoPrimary, .representations = representations});
  bump();
  return count_;
}

void SimPasteboard::copy(SimClipboardContent content) {
  content_ = std::move(content);
  bump();
}

void SimPasteboard::copyText(const std::string& text) {
  copy(SimClipboardContent{.types = {"text/plain;charset=utf-8"}, .text = text});
}

void SimPasteboard::changeOwner() {
  bump();
}

void SimPasteboard::takeContent() {
  mainQueue_.after(0, [this] { contentTaken.emit(); });
}

void SimPasteboard::bump() {
  const ChangeCount now = ++count_;
  mainQueue_.after(0, [this, now] { changed.emit(now); });
}

}  // namespace dovrik::sim
