// One release as an update feed lists it: its version, when it was published, what changed,
// and the file to download with its length and signature.
#pragma once

#include <cstdint>
#include <string>

namespace dovrik {

struct AppcastItem {
  std::string title;
  // The release's version, compared with the running one ("1.4.2").
  std::string shortVersion;
  // The build number, when the feed gives one.
  std::string buildVersion;
  // As the feed writes it (RFC 822).
  std::string publicationDate;
  // Plain text; the feed's markup is left out.
  std::string releaseNotes;
  std::string url;
  std::uint64_t length = 0;
  // Base64 of the Ed25519 signature of the whole file.
  std::string edSignature;

  friend bool operator==(const AppcastItem&, const AppcastItem&) = default;
};

}  // namespace dovrik
