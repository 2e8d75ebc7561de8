// Rows of the Clipboard panel over its model.
#include "ui/settings/ClipboardPanelView.h"

#include <QComboBox>
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

  addPasteKeys(m.pasteKeys());
  addIgnoredApps(m.ignoredApps());

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

QComboBox* ClipboardPanelView::chordPicker(std::string_view name, PasteChord chosen,
                                           std::function<void(PasteChord)> choose) {
  std::vector<std::string> titles;
  int current = 0;
  for (const PasteChord chord : allPasteChords) {
    if (chord == chosen)
      current = static_cast<int>(titles.size());
    titles.emplace_back(pasteKeyTitle(chord));
  }
  return picker(name, titles, current, [choose = std::move(choose)](int index) {
    choose(allPasteChords[std::size_t(index)]);
  });
}

void ClipboardPanelView::addPasteKeys(PasteKeysSettingsModel& keys) {
  addSection(PasteKeysSettingsModel::section);
  addNote(PasteKeysSettingsModel::explanation);
  SettingsCard* card = addCard();
  for (const PasteKeysSettingsModel::Row& entry : keys.rows()) {
    const std::string appId = entry.appId;
    card->addRow(
        row(PasteKeysSettingsModel::appSymbol, entry.name, appId,
            {chordPicker("Paste keystroke for " + entry.name, entry.chord,
                         [&keys, appId](PasteChord chord) { keys.setChord(appId, chord); }),
             symbolButton(PasteKeysSettingsModel::removeSymbol,
                          "Remove paste keystroke for " + entry.name,
                          [&keys, appId] { keys.remove(appId); })}));
  }

  const auto candidates = keys.candidates();
  std::vector<std::string> names{std::string(PasteKeysSettingsModel::noApplicationEntry)};
  int current = 0;
  for (const auto& candidate : candidates) {
    if (keys.selectedApp() == candidate.appId)
      current = static_cast<int>(names.size());
    names.push_back(candidate.name);
  }
  QComboBox* apps = picker(
      PasteKeysSettingsModel::applicationCaption, names, current, [&keys, candidates](int index) {
        keys.selectApp(index == 0 ? std::nullopt
                                  : std::optional(candidates[std::size_t(index - 1)].appId));
      });
  QPushButton* add = button(PasteKeysSettingsModel::addTitle, [&keys] { keys.add(); });
  add->setAccessibleName(QStringLiteral("Add paste keystroke"));
  add->setEnabled(keys.selectedApp().has_value());
  card->addRow(row({}, PasteKeysSettingsModel::applicationCaption, {},
                   {apps,
                    chordPicker("New paste keystroke", keys.newChord(),
                                [&keys](PasteChord chord) { keys.selectNewChord(chord); }),
                    add}));
}

void ClipboardPanelView::addIgnoredApps(IgnoredAppsSettingsModel& ignored) {
  addSection(IgnoredAppsSettingsModel::section);
  addNote(IgnoredAppsSettingsModel::explanation);
  SettingsCard* card = addCard();
  for (const IgnoredAppsSettingsModel::Row& entry : ignored.rows()) {
    const std::string appId = entry.appId;
    card->addRow(imageRow(
        applicationPixmap(entry.icon, IgnoredAppsSettingsModel::noIconSymbol), entry.name, appId,
        {symbolButton(IgnoredAppsSettingsModel::removeSymbol, "Stop ignoring " + entry.name,
                      [&ignored, appId] { ignored.remove(appId); })}));
  }
  const auto candidates = ignored.candidates();
  std::vector<std::string> names{std::string(IgnoredAppsSettingsModel::addEntry)};
  for (const AppCandidate& candidate : candidates)
    names.push_back(candidate.name);
  card->addRow(
      row({}, {}, {},
          {picker(IgnoredAppsSettingsModel::addEntry, names, 0, [&ignored, candidates](int index) {
            if (index > 0)
              ignored.add(candidates[std::size_t(index - 1)].appId);
          })}));
}

}  // namespace dovrik::ui
