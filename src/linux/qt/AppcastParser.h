// Reading the update feed: an RSS "appcast" listing releases with their files, lengths and
// Ed25519 signatures, as macOS utilities publish them.
#pragma once

#include <QByteArray>

#include "core/platform/UpdateService.h"

namespace dovrik::qt {

// The feed comes from the network and is read as untrusted: at most 100 items, text fields cut
// to a sensible length, and items that could never be installed (no file address, length or
// signature, or no version) left out. Anything that is not a readable RSS document gives an
// error in plain words instead of items.
UpdateService::FeedResult parseAppcast(const QByteArray& feed);

}  // namespace dovrik::qt
