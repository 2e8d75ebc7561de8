// Rows of the Shortcuts panel over its model.
#include "ui/settings/ShortcutsPanelView.h"

namespace dovrik::ui {

ShortcutsPanelView::ShortcutsPanelView(ShortcutsPanelModel& model, Context context, QWidget* parent)
    : SettingsPage(std::move(context), parent), model_(model) {
  watch(model_.changed);
  rebuild();
}

void ShortcutsPanelView::build() {
  ShortcutsPanelModel& m = model_;
  addHeader(ShortcutsPanelModel::symbol, ShortcutsPanelModel::title);
  for (const std::string& warning : m.warnings())
    addWarning(warning);
  if (const auto& notice = m.conflictNotice())
    addWarning(*notice);
  addNote(ShortcutsPanelModel::helpText);

  addSection(ShortcutsPanelModel::snappingSection,
             button(ShortcutsPanelModel::resetAllTitle, [&m] { m.resetAll(); }));
  SettingsCard* snapping = addCard();
  for (const SnapPosition position : allSnapPositions) {
    const std::optional<KeyboardShortcut> shortcut = m.shortcut(position);
    std::vector<QWidget*> trailing{badge(m.recorder(position), shortcut, rawValue(position))};
    if (shortcut) {
      trailing.push_back(symbolButton(ShortcutsPanelModel::clearSymbol,
                                      "Clear " + std::string(rawValue(position)),
                                      [&m, position] { m.clearShortcut(position); }));
    }
    snapping->addRow(row(icon(position), rawValue(position), {}, trailing));
  }

  addSection(ShortcutsPanelModel::windowsSection);
  SettingsCard* windows = addCard();
  for (const WindowAction action : allWindowActions) {
    const std::optional<KeyboardShortcut> shortcut = m.shortcut(action);
    std::vector<QWidget*> trailing{badge(m.recorder(action), shortcut, rawValue(action))};
    if (shortcut) {
      trailing.push_back(symbolButton(ShortcutsPanelModel::clearSymbol,
                                      "Clear " + std::string(rawValue(action)),
                                      [&m, action] { m.clearShortcut(action); }));
    }
    windows->addRow(row({}, rawValue(action), {}, trailing));
  }

  addSection(ShortcutsPanelModel::clipboardSection);
  SettingsCard* clipboard = addCard();
  ClipboardShortcutRow& clipboardRow = m.clipboardRow();
  clipboard->addRow(clipboardShortcutRow(clipboardRow, ShortcutsPanelModel::clipboardRowTitle,
                                         ShortcutsPanelModel::clipboardRowSubtitle));
  clipboard->addRow(
      row({}, ClipboardShortcutRow::historySwitchTitle, ShortcutsPanelModel::historySwitchSubtitle,
          {toggle(ClipboardShortcutRow::historySwitchTitle, clipboardRow.historyEnabled(),
                  [&clipboardRow](bool on) { clipboardRow.setHistoryEnabled(on); })}));
  if (const auto warning = clipboardRow.refusalWarning())
    addWarning(*warning);
}

}  // namespace dovrik::ui
