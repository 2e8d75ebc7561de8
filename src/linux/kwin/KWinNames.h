// The names Dovrik and its KWin script meet under; the script (data/kwin/dovrik.js) spells the
// same ones.
#pragma once

namespace dovrik::kwin {

inline constexpr char dovrikService[] = "org.dovrik.Dovrik";
inline constexpr char bridgePath[] = "/org/dovrik/KWin";
inline constexpr char bridgeInterface[] = "org.dovrik.KWin";
// The script's shortcut without a key that Dovrik invokes when commands wait.
inline constexpr char doorbellShortcut[] = "dovrik-doorbell";

inline constexpr char kwinService[] = "org.kde.KWin";
inline constexpr char globalAccelService[] = "org.kde.kglobalaccel";

// KWin answers its own interfaces at once; a KWin that hangs must not hang Dovrik for long.
inline constexpr int callTimeoutMs = 3000;

}  // namespace dovrik::kwin
