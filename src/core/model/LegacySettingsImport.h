// The one-time import of the predecessor's settings into Dovrik's own defaults domain.
#pragma once

#include "core/platform/Defaults.h"
#include "core/platform/Shell.h"

namespace dovrik {

// Copies the predecessor's keys that Dovrik has no value for yet, once per installation; runs
// before anything reads the settings.
void importLegacySettingsIfNeeded(DefaultsDomains& domains, Shell& shell);

}  // namespace dovrik
