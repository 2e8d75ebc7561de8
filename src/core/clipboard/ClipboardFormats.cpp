// Kept forms of a text entry and their data URLs.
#include "core/clipboard/ClipboardFormats.h"

#include <algorithm>
#include <utility>

#include "core/support/Base64.h"

namespace dovrik {
namespace {

constexpr std::string_view dataPrefix = "data:";
constexpr std::string_view base64Marker = ";base64,";

std::optional<PasteboardRepresentation> decodeDataURL(std::string_view url) {
  if (!url.starts_with(dataPrefix))
    return std::nullopt;
  url.remove_prefix(dataPrefix.size());
  const std::size_t marker = url.find(base64Marker);
  if (marker == 0 || marker == std::string_view::npos)
    return std::nullopt;
  const auto bytes = base64Decode(url.substr(marker + base64Marker.size()));
  if (!bytes)
    return std::nullopt;
  return PasteboardRepresentation{std::string(url.substr(0, marker)),
                                  std::string(bytes->begin(), bytes->end())};
}

}  // namespace

ClipboardFormats::ClipboardFormats(std::vector<PasteboardRepresentation> forms) {
  if (!forms.empty())
    forms_ = std::make_shared<const std::vector<PasteboardRepresentation>>(std::move(forms));
}

const std::vector<PasteboardRepresentation>& ClipboardFormats::forms() const {
  static const std::vector<PasteboardRepresentation> none;
  return forms_ ? *forms_ : none;
}

std::string ClipboardFormats::encoded() const {
  std::string out;
  for (const PasteboardRepresentation& form : forms()) {
    if (!out.empty())
      out += ' ';
    out += dataPrefix;
    out += form.type;
    out += base64Marker;
    appendBase64(Bytes(form.bytes.begin(), form.bytes.end()), out);
  }
  return out;
}

std::optional<ClipboardFormats> ClipboardFormats::decode(std::string_view text) {
  std::vector<PasteboardRepresentation> forms;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(' '), text.size());
    auto form = decodeDataURL(text.substr(0, end));
    if (!form)
      return std::nullopt;
    forms.push_back(std::move(*form));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return ClipboardFormats(std::move(forms));
}

}  // namespace dovrik
