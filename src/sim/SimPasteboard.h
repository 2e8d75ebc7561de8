// A scripted clipboard: tests copy content as other applications would, change its owner, and
// read back what Dovrik wrote. Every change is reported on the main queue, one notice each.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/platform/Pasteboard.h"
#include "core/platform/Scheduler.h"

namespace dovrik::sim {

struct SimClipboardContent {
  std::vector<std::string> types{};
  std::optional<std::string> text{};
  // An image offered as PNG, handed over as it is.
  std::optional<Bytes> png{};
  // An image offered in another format: what converting it to PNG yields, or nothing when the
  // conversion fails.
  std::optional<std::optional<Bytes>> otherImage{};
  // Other forms offered with the text, as an adapter hands them over with it.
  std::vector<PasteboardRepresentation> formats{};
  // The application that copied it.
  PasteboardOwner owner{};
};

class SimPasteboard : public Pasteboard {
 public:
  struct Write {
    std::optional<std::string> text{};
    std::optional<Bytes> png{};
    bool alsoPrimary = false;
    std::vector<PasteboardRepresentation> representations{};
  };

  explicit SimPasteboard(Scheduler& mainQueue) : mainQueue_(mainQueue) {}

  ChangeCount changeCount() const override { return count_; }
  std::vector<std::string> types() const override { return content_.types; }
  std::optional<std::string> text() const override;
  std::vector<PasteboardRepresentation> formats() const override { return content_.formats; }
  PasteboardOwner owner() const override { return content_.owner; }
  void readPNG(std::function<void(std::optional<Bytes>)> done) override;
  ChangeCount writeText(const std::string& text, bool alsoPrimary) override;
  std::optional<ChangeCount> writePNG(const Bytes& png, bool alsoPrimary) override;
  ChangeCount writeRepresentations(const std::vector<PasteboardRepresentation>& representations,
                                   bool alsoPrimary) override;

  // Another application takes the clipboard with this content.
  void copy(SimClipboardContent content);
  void copyText(const std::string& text);
  // The owner changes while the content stays.
  void changeOwner();
  // An application pastes what Dovrik wrote: the taking is reported on the main queue.
  void takeContent();

  const SimClipboardContent& content() const { return content_; }
  std::vector<Write> writes;
  // How often the core asked for text and for PNG bytes.
  mutable int textReads = 0;
  int pngReads = 0;
  // How long the owner takes to hand over an image.
  double pngReadDelay = 0;

 private:
  void bump();

  Scheduler& mainQueue_;
  SimClipboardContent content_;
  ChangeCount count_ = 0;
};

// Whether the bytes start with the PNG signature; the simulated clipboard accepts only those
// as an image.
bool looksLikePNG(const Bytes& bytes);

}  // namespace dovrik::sim
