// What every settings panel is made of: the page header, section captions, cards of rows,
// switches, sliders, buttons, warnings and the inline confirmation. A panel describes itself
// in `build` from its model; the page builds it again when the model changes, keeping the
// keyboard focus on the control of the same name.
#pragma once

#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/settings/ClipboardShortcutRow.h"
#include "core/settings/Confirmation.h"
#include "core/settings/SettingSlider.h"
#include "core/support/Signal.h"
#include "core/theme/ColorScheme.h"
#include "core/theme/ColorToken.h"
#include "ui/settings/SettingsCard.h"
#include "ui/settings/SettingsSwitch.h"
#include "ui/settings/ShortcutBadge.h"

class QComboBox;
class QLabel;

namespace dovrik::ui {

class SettingsPage : public QWidget {
 public:
  struct Context {
    ColorScheme scheme = ColorScheme::light;
    ShortcutBadge::RecordKeys recordKeys;
  };

  SettingsPage(Context context, QWidget* parent);
  ~SettingsPage() override;

 protected:
  virtual void build() = 0;
  // Builds the page again on the next turn of the event loop, once, so a control may ask from
  // its own click.
  void scheduleRebuild();
  void rebuild();
  // Builds the page again whenever `signal` is raised.
  void watch(Signal<>& signal);

  ColorScheme scheme() const { return context_.scheme; }
  const Context& context() const { return context_; }
  QColor color(ColorToken token) const;

  void addHeader(std::string_view symbol, std::string_view title, QWidget* trailing = nullptr);
  void addSection(std::string_view title, QWidget* trailing = nullptr);
  SettingsCard* addCard();
  void addWarning(std::string_view text);
  void addNote(std::string_view text);
  void addWidget(QWidget* widget);
  // The question before something that cannot be undone, asked inline at the top of the page.
  void addConfirmation(const Confirmation& confirmation, std::function<void()> confirm,
                       std::function<void()> cancel);

  // A padded row: an optional symbol (in `tint`, else the secondary text colour), the title
  // with a secondary line under it, and controls on the right.
  QWidget* row(std::string_view symbol, std::string_view title, std::string_view subtitle,
               const std::vector<QWidget*>& trailing, std::optional<QColor> tint = {});
  // The same with an image of its own at the left, such as an application's icon.
  QWidget* imageRow(const QPixmap& leading, std::string_view title, std::string_view subtitle,
                    const std::vector<QWidget*>& trailing);
  // An application's icon as its desktop entry names it, at the size of a row's image; the
  // symbol `fallback` for an application not installed here or whose entry names none.
  QPixmap applicationPixmap(const std::optional<std::string>& iconValue,
                            std::string_view fallback) const;
  // A wrapping line of text in the theme's type and `token`'s colour.
  QLabel* styledText(std::string_view text, ColorToken token, int pixelSize, bool semibold = false);
  // A symbol `size` pixels square in `tint`.
  QLabel* symbolImage(std::string_view symbol, const QColor& tint, int size);
  // A short value shown at the right of a row, such as a count.
  QLabel* valueLabel(std::string_view text);
  SettingsSwitch* toggle(std::string_view name, bool on, std::function<void(bool)> set);
  QPushButton* button(std::string_view title, std::function<void()> action,
                      bool destructive = false);
  QPushButton* symbolButton(std::string_view symbol, std::string_view name,
                            std::function<void()> action);
  struct MenuEntry {
    std::string_view title;
    std::function<void()> action;
    // Set apart below a divider and marked as one that removes something.
    bool destructive = false;
  };
  // A "…" button that opens a menu of `entries`.
  QPushButton* menuButton(std::string_view name, const std::vector<MenuEntry>& entries);
  // What a list shows while it has nothing: a large symbol, a title, one line saying how to
  // fill it, and the button that does, if any.
  void addEmptyState(std::string_view symbol, std::string_view title, std::string_view text,
                     QWidget* action = nullptr);
  // A drop-down list of `items` with the one at `current` chosen, in the theme's colours;
  // `choose` is told the index the user picks.
  QComboBox* picker(std::string_view name, const std::vector<std::string>& items, int current,
                    std::function<void(int)> choose);
  // Gives a drop-down list built elsewhere on the page the theme's colours.
  void themePicker(QComboBox& control) const;
  ShortcutBadge* badge(ShortcutRecorder& recorder, const std::optional<KeyboardShortcut>& shortcut,
                       std::string_view name);
  // The clipboard popup's shortcut with its reset button, as two panels show it.
  QWidget* clipboardShortcutRow(ClipboardShortcutRow& model, std::string_view title,
                                std::string_view subtitle);
  // The slider with its value text at the right. The page is not rebuilt while the slider is
  // held; `released` runs when it is let go.
  QWidget* slider(const SettingSlider& range, std::string_view name, double value,
                  std::function<void(double)> set, std::function<std::string()> valueText,
                  std::function<void()> released = {});

 private:
  void clear();
  QColor ringColor(bool onDanger) const;
  // A symbol button that does nothing yet when clicked.
  QPushButton* bareSymbolButton(std::string_view symbol, std::string_view name);
  QString sliderStyle() const;

  Context context_;
  QVBoxLayout* layout_;
  bool rebuildPending_ = false;
  bool holdingSlider_ = false;
  std::vector<std::pair<Signal<>*, Signal<>::Connection>> watched_;
};

}  // namespace dovrik::ui
