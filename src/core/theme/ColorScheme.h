// The appearance a colour is drawn in; anything not recognised as dark draws as light.
#pragma once

namespace dovrik {

enum class ColorScheme { light, dark };

}  // namespace dovrik
