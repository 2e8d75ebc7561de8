// Fetching a new clipboard content's hint, text and kept formats in turn, and its image on
// demand.
#include "linux/clipboard/FetchingPasteboard.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "core/platform/KeptFormats.h"
#include "linux/clipboard/ClipboardBytes.h"
#include "linux/clipboard/ClipboardTypes.h"

namespace dovrik::clipboard {
namespace {

bool offersType(const std::vector<std::string>& types, std::string_view type) {
  return std::ranges::find(types, type) != types.end();
}

}  // namespace

FetchingPasteboard::FetchingPasteboard(Scheduler& mainQueue, Background& background)
    : mainQueue_(mainQueue), background_(background), changes_(mainQueue, changed) {}

void FetchingPasteboard::fetch(ChangeCount generation, Content content) {
  fetchHint(generation, std::move(content));
}

void FetchingPasteboard::fetchHint(ChangeCount generation, Content content) {
  if (!offersType(content.types, passwordHintType))
    return fetchText(generation, std::move(content));
  receiveGuarded(
      std::string(passwordHintType), readLimit,
      [this, generation, content = std::move(content)](std::optional<std::string> bytes) mutable {
        if (changes_.isStale(generation))
          return;
        if (bytes == "secret") {
          content.types.emplace_back(concealedContentType);
          // A secret is never pulled into Dovrik's memory: the history skips it.
          return publish(generation, std::move(content));
        }
        fetchText(generation, std::move(content));
      });
}

void FetchingPasteboard::fetchText(ChangeCount generation, Content content) {
  const auto type = textTypeAmong(content.types);
  if (!type || (keepsNothingOf && keepsNothingOf(content.owner)))
    return publish(generation, std::move(content));
  receiveGuarded(
      *type, readLimit,
      [this, generation, content = std::move(content)](std::optional<std::string> bytes) mutable {
        if (changes_.isStale(generation))
          return;
        if (!bytes)
          return publish(generation, std::move(content));
        // Mending a large text takes long enough to be felt: off the main thread.
        mendInBackground(background_, std::move(*bytes),
                         lifetime_.guard([this, generation,
                                          content = std::move(content)](std::string text) mutable {
                           if (changes_.isStale(generation))
                             return;
                           content.text = std::move(text);
                           fetchFormats(generation, std::move(content), 0);
                         }));
      });
}

void FetchingPasteboard::fetchFormats(ChangeCount generation, Content content, std::size_t next) {
  for (; next < keptFormats.size(); ++next) {
    const KeptFormat format = keptFormats[next];
    if (!offersType(content.types, format.type))
      continue;
    receiveGuarded(std::string(format.type), format.maxBytes,
                   [this, generation, next, format,
                    content = std::move(content)](std::optional<std::string> bytes) mutable {
                     if (changes_.isStale(generation))
                       return;
                     if (bytes && keepsFormat(format.type, bytes->size()))
                       content.formats.push_back({std::string(format.type), std::move(*bytes)});
                     fetchFormats(generation, std::move(content), next + 1);
                   });
    return;
  }
  publish(generation, std::move(content));
}

void FetchingPasteboard::publish(ChangeCount generation, Content content) {
  content_ = std::move(content);
  changes_.publish(generation);
}

void FetchingPasteboard::receiveGuarded(const std::string& type, std::size_t limit, Received done) {
  receive(type, limit, lifetime_.guard(std::move(done)));
}

void FetchingPasteboard::readPNG(std::function<void(std::optional<Bytes>)> done) {
  if (content_.png) {
    mainQueue_.after(0, [done = std::move(done), png = *content_.png] { done(png); });
    return;
  }
  const auto type = imageTypeAmong(content_.types);
  if (!type) {
    mainQueue_.after(0, [done = std::move(done)] { done(std::nullopt); });
    return;
  }
  const bool isPng = *type == "image/png";
  receiveGuarded(*type, readLimit,
                 [this, isPng, done = std::move(done)](std::optional<std::string> image) {
                   if (!image)
                     return done(std::nullopt);
                   // An image may be tens of megabytes: even copying it is kept off the main
                   // thread, let alone converting it.
                   pngInBackground(background_, std::move(*image), isPng, done);
                 });
}

}  // namespace dovrik::clipboard
