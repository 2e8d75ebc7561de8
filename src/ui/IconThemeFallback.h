// Gives Qt a full icon theme to fall back on where the desktop's own theme has no file-type
// icons, so files and applications are drawn from one family instead of Qt's generic pages.
#pragma once

namespace dovrik::ui {

// Call once, after the application object exists and before the first icon is looked up.
// Leaves a theme that already has file-type icons alone.
void installIconThemeFallback();

}  // namespace dovrik::ui
