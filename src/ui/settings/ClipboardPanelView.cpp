// Rows of the Clipboard panel over its model.
#include "ui/settings/ClipboardPanelView.h"

#include <QLabel>

namespace dovrik::ui {

ClipboardPanelView::ClipboardPanelView(ClipboardPanelModel& model, Context context, QWidget* parent)
    : SettingsPage(std::move(context), parent), model_(model) {
  watch(model_.changed);
  rebuild();
}

void ClipboardPanelView::build() {
  ClipboardPanelModel& m = model_;
  ClipboardShortcutRow& shortcut = m.shortcutRow();
  ShelfSettingsModel& shelf = m.shelf();
  addHeader("clipboard", "Clipboard");
  if (const auto confirmation = m.clearConfirmation())
    addConfirmation(
        *confirmation, [&m] { m.confirmClear(); }, [&m] { m.cancelClear(); });
  if (const auto confirmation = shelf.clearConfirmation())
    addConfirmation(
        *confirmation, [&shelf] { shelf.confirmClear(); }, [&shelf] { shelf.cancelClear(); });

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
  history->addRow(row({}, ClipboardPanelModel::storedTitle, m.storedCounts(),
                      {valueLabel(m.storedAgainstSize())}));
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

  addSection(ShelfSettingsModel::section);
  SettingsCard* files = addCard();
  files->addRow(row({}, ShelfSettingsModel::switchTitle, ShelfSettingsModel::switchSubtitle,
                    {toggle(ShelfSettingsModel::switchTitle, shelf.enabled(),
                            [&shelf](bool on) { shelf.setEnabled(on); })}));
  files->addRow(row({}, shelf.sizeTitle(), {},
                    {slider(
                        ShelfSettingsModel::sizeSlider, "File shelf size", shelf.size(),
                        [&shelf](double value) { shelf.setSize(value); },
                        [&shelf] { return std::to_string(static_cast<int>(shelf.size())); },
                        [&shelf] { shelf.releaseSizeSlider(); })}));
  files->addRow(row({}, ShelfSettingsModel::storedTitle, shelf.storedCounts(),
                    {valueLabel(shelf.storedAgainstSize())}));
  files->addRow(
      row({}, ShelfSettingsModel::clearTitle, ShelfSettingsModel::clearHelp,
          {button(
              ShelfSettingsModel::clearTitle, [&shelf] { shelf.requestClear(); }, true)}));

  addSection(ClipboardPanelModel::storageSection);
  SettingsCard* storage = addCard();
  storage->addRow(row({}, ClipboardPanelModel::clearTitle, ClipboardPanelModel::clearHelp,
                      {button(
                          ClipboardPanelModel::clearTitle, [&m] { m.requestClear(); }, true)}));
}

}  // namespace dovrik::ui
