// Following mutter's clipboard through the extension's notices, and owning it for Dovrik's
// writes.
#include "linux/gnome/GnomePasteboard.h"

#include <algorithm>

#include "linux/clipboard/ClipboardBytes.h"

namespace dovrik::gnome {
namespace {

constexpr char pngType[] = "image/png";

}  // namespace

GnomePasteboard::GnomePasteboard(GnomeShell& shell, Scheduler& mainQueue, Background& background)
    : FetchingPasteboard(mainQueue, background), shell_(shell) {
  changeSubscription_ =
      shell_.clipboardChanged.connect([this](const std::vector<std::string>& types, bool byDovrik) {
        clipboardChanged(types, byDovrik);
      });
}

GnomePasteboard::~GnomePasteboard() {
  shell_.clipboardChanged.disconnect(changeSubscription_);
}

void GnomePasteboard::clipboardChanged(const std::vector<std::string>& types, bool byDovrik) {
  // Dovrik's own write was counted when it was made.
  if (byDovrik)
    return;
  const ChangeCount generation = notice();
  Content content;
  content.types = types;
  content.owner = activeOwner();
  fetch(generation, std::move(content));
}

void GnomePasteboard::receive(const std::string& type, std::size_t limit, Received done) {
  shell_.readClipboard(type, limit, std::move(done));
}

ChangeCount GnomePasteboard::writeText(const std::string& text, bool alsoPrimary) {
  Content content;
  content.types = {std::string(plainTextType)};
  content.text = text;
  return own(std::string(plainTextType), text, std::move(content), alsoPrimary);
}

std::optional<ChangeCount> GnomePasteboard::writePNG(const Bytes& png, bool alsoPrimary) {
  if (!clipboard::isReadablePNG(png))
    return std::nullopt;
  Content content;
  content.types = {pngType};
  content.png = png;
  return own(pngType, std::string(png.begin(), png.end()), std::move(content), alsoPrimary);
}

ChangeCount GnomePasteboard::writeRepresentations(
    const std::vector<PasteboardRepresentation>& representations, bool alsoPrimary) {
  // GNOME's memory source, the one the extension can set, holds a single type: the plain
  // text serves the most applications, and without it the form the caller put first.
  auto chosen = std::ranges::find(representations, plainTextType, &PasteboardRepresentation::type);
  if (chosen == representations.end())
    chosen = representations.begin();
  if (chosen == representations.end())
    return writeText("", alsoPrimary);
  if (chosen->type == plainTextType)
    return writeText(chosen->bytes, alsoPrimary);
  Content content;
  content.types = {chosen->type};
  content.formats = {*chosen};
  return own(chosen->type, chosen->bytes, std::move(content), alsoPrimary);
}

ChangeCount GnomePasteboard::own(const std::string& type, const std::string& bytes, Content content,
                                 bool alsoPrimary) {
  shell_.writeClipboard(type, bytes, alsoPrimary);
  const ChangeCount generation = notice();
  publish(generation, std::move(content));
  return generation;
}

}  // namespace dovrik::gnome
