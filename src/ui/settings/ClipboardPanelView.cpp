// Rows of the Clipboard panel over its model.
#include "ui/settings/ClipboardPanelView.h"

namespace dovrik::ui {

ClipboardPanelView::ClipboardPanelView(ClipboardPanelModel& model, Context context, QWidget* parent)
    : SettingsPage(std::move(context), parent), model_(model) {
  watch(model_.changed);
  rebuild();
}

void ClipboardPanelView::build() {
  ClipboardPanelModel& m = model_;
  ClipboardShortcutRow& shortcut = m.shortcutRow();
  addHeader("clipboard", "Clipboard");
  if (const auto confirmation = m.clearConfirmation())
    addConfirmation(
        *confirmation, [&m] { m.confirmClear(); }, [&m] { m.cancelClear(); });

  addSection(ClipboardPanelModel::historySection);
  SettingsCard* history = addCard();
  history->addRow(row({}, ClipboardShortcutRow::historySwitchTitle,
                      ClipboardPanelModel::historySwitchSubtitle,
                      {toggle(ClipboardShortcutRow::historySwitchTitle, shortcut.historyEnabled(),
                              [&shortcut](bool on) { shortcut.setHistoryEnabled(on); })}));
  history->addRow(clipboardShortcutRow(shortcut, ClipboardPanelModel::shortcutTitle,
                                       ClipboardPanelModel::shortcutSubtitle));
  const std::string sizeTitle = m.sizeTitle();
  history->addRow(row({}, sizeTitle, {},
                      {slider(
                          ClipboardPanelModel::sizeSlider, "History size", m.size(),
                          [&m](double value) { m.setSize(value); },
                          [&m] { return std::to_string(static_cast<int>(m.size())); },
                          [&m] { m.releaseSizeSlider(); })}));
  history->addRow(row({}, ClipboardPanelModel::storedTitle, m.storedCounts(), {}));
  if (const auto& notice = m.conflictNotice())
    addWarning(*notice);
  if (const auto warning = shortcut.refusalWarning())
    addWarning(*warning);

  const auto pinned = m.pinnedRows();
  if (!pinned.empty()) {
    addSection(ClipboardPanelModel::pinnedSection);
    SettingsCard* pins = addCard();
    for (const ClipboardPanelModel::PinnedRow& entry : pinned) {
      const Uuid id = entry.id;
      pins->addRow(row("pin.fill", entry.text, {},
                       {symbolButton("xmark", "Unpin " + entry.text, [&m, id] { m.unpin(id); })}));
    }
  }

  addSection(ClipboardPanelModel::storageSection);
  SettingsCard* storage = addCard();
  storage->addRow(row({}, ClipboardPanelModel::clearTitle, ClipboardPanelModel::clearHelp,
                      {button(
                          ClipboardPanelModel::clearTitle, [&m] { m.requestClear(); }, true)}));
}

}  // namespace dovrik::ui
