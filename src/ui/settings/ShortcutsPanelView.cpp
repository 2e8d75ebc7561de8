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
  // A recorder badge, and a clear button while there is a shortcut to clear.
  const auto addShortcutRow = [&](SettingsCard* card, auto owner, std::string_view symbol) {
    const std::optional<KeyboardShortcut> shortcut = m.shortcut(owner);
    std::vector<QWidget*> trailing{badge(m.recorder(owner), shortcut, rawValue(owner))};
    if (shortcut) {
      trailing.push_back(symbolButton(ShortcutsPanelModel::clearSymbol,
                                      "Clear " + std::string(rawValue(owner)),
                                      [&m, owner] { m.clearShortcut(owner); }));
    }
    card->addRow(row(symbol, rawValue(owner), {}, trailing));
  };
  SettingsCard* snapping = addCard();
  for (const SnapPosition position : allSnapPositions)
    addShortcutRow(snapping, position, icon(position));

  addSection(ShortcutsPanelModel::windowsSection);
  SettingsCard* windows = addCard();
  for (const WindowAction action : allWindowActions)
    addShortcutRow(windows, action, icon(action));

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
