// The names Dovrik and its GNOME Shell extension meet under; the extension (data/gnome/shell.js)
// spells the same ones.
#pragma once

namespace dovrik::gnome {

inline constexpr char dovrikService[] = "org.dovrik.Dovrik";
inline constexpr char shellService[] = "org.gnome.Shell";
inline constexpr char extensionPath[] = "/org/dovrik/Shell";
inline constexpr char extensionInterface[] = "org.dovrik.Shell1";
inline constexpr char extensionUuid[] = "dovrik@dovrik.org";

// The Shell answers Dovrik's calls from its main loop; a Shell that hangs must not hang Dovrik
// for long.
inline constexpr int callTimeoutMs = 3000;

}  // namespace dovrik::gnome
