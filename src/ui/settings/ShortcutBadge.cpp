// Styles the badge from the recorder's state and forwards clicks to it.
#include "ui/settings/ShortcutBadge.h"

#include "ui/KeyboardFocusRing.h"
#include "ui/ThemeColors.h"

namespace dovrik::ui {

ShortcutBadge::ShortcutBadge(ShortcutRecorder& recorder,
                             const std::optional<KeyboardShortcut>& shortcut, ColorScheme scheme,
                             RecordKeys recordKeys, QWidget* parent)
    : QPushButton(parent) {
  const bool recording = recorder.isRecording();
  const std::string text = recorder.badgeText(shortcut);
  setText(text.empty() ? QStringLiteral("Record Shortcut") : QString::fromStdString(text));
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumWidth(96);
  const QColor edge =
      recording ? themeColor(ColorToken::danger, scheme) : themeColor(ColorToken::hairline, scheme);
  const QColor ink = text.empty() ? themeColor(ColorToken::textSecondary, scheme)
                     : recording  ? themeColor(ColorToken::danger, scheme)
                                  : themeColor(ColorToken::textPrimary, scheme);
  setStyleSheet(QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3;"
                               " border-radius: 6px; padding: 3px 10px; font-weight: 600; }")
                    .arg(themeColor(ColorToken::selection, scheme).name(QColor::HexArgb),
                         ink.name(QColor::HexArgb), edge.name(QColor::HexArgb)) +
                KeyboardFocusRing::rule(QStringLiteral("QPushButton"), accentColor(palette())));
  connect(this, &QPushButton::clicked, this, [&recorder, recordKeys] {
    recorder.click();
    if (recorder.isRecording())
      recordKeys(recorder);
  });
}

}  // namespace dovrik::ui
