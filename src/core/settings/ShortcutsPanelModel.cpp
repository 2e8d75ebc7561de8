// Recording, clearing and resetting the snap shortcuts, and what the panel warns about.
#include "core/settings/ShortcutsPanelModel.h"

#include <utility>

namespace dovrik {

ShortcutsPanelModel::ShortcutsPanelModel(ShortcutRecorder::Ports ports, AppState& appState,
                                         ShortcutConflicts& conflicts,
                                         ShortcutManager& shortcutManager,
                                         ClipboardManager& clipboardManager,
                                         ClipboardShortcut& clipboardShortcut,
                                         OwnHotkeys& ownHotkeys)
    : ports_(ports),
      appState_(appState),
      conflicts_(conflicts),
      shortcutManager_(shortcutManager),
      clipboardShortcut_(clipboardShortcut),
      ownHotkeys_(ownHotkeys),
      clipboardRow_(
          ports, appState, conflicts, clipboardManager, clipboardShortcut, ownHotkeys,
          [this](std::optional<std::string> notice) { setConflictNotice(std::move(notice)); }) {
  for (SnapPosition position : allSnapPositions) {
    recorders_.push_back(std::make_unique<ShortcutRecorder>(
        ports, conflicts, ownHotkeys, ShortcutAction::snap(position),
        [this, position](const KeyboardShortcut& shortcut) { storeShortcut(position, shortcut); },
        [this](std::optional<std::string> notice) { setConflictNotice(std::move(notice)); }));
  }
  for (WindowAction action : allWindowActions) {
    windowRecorders_.push_back(std::make_unique<ShortcutRecorder>(
        ports, conflicts, ownHotkeys, ShortcutAction::window(action),
        [this, action](const KeyboardShortcut& shortcut) { storeShortcut(action, shortcut); },
        [this](std::optional<std::string> notice) { setConflictNotice(std::move(notice)); }));
  }
  const auto relay = [this] { changed.emit(); };
  observers_.emplace_back(&shortcutManager_.unavailablePositionsChanged,
                          shortcutManager_.unavailablePositionsChanged.connect(relay));
  observers_.emplace_back(&clipboardShortcut_.isRegisteredChanged,
                          clipboardShortcut_.isRegisteredChanged.connect(relay));
  std::vector<ShortcutRecorder*> all;
  for (auto& recorder : recorders_)
    all.push_back(recorder.get());
  for (auto& recorder : windowRecorders_)
    all.push_back(recorder.get());
  all.push_back(&clipboardRow_.recorder());
  for (ShortcutRecorder* recorder : all) {
    observers_.emplace_back(&recorder->changed, recorder->changed.connect([this, recorder, all] {
      // One key press must not land on two badges: starting one ends the others.
      if (recorder->isRecording()) {
        for (ShortcutRecorder* other : all) {
          if (other != recorder)
            other->cancel();
        }
      }
      changed.emit();
    }));
  }
}

ShortcutsPanelModel::~ShortcutsPanelModel() {
  for (auto [signal, connection] : observers_)
    signal->disconnect(connection);
}

std::vector<std::string> ShortcutsPanelModel::warnings() const {
  std::vector<std::string> result;
  if (!ownHotkeys_.isReleased()) {
    const std::string snap =
        ShortcutManager::refusalNotice(shortcutManager_.unavailablePositions(), ports_.texts,
                                       shortcutManager_.unavailableWindowActions());
    if (!snap.empty())
      result.push_back(snap);
  }
  if (auto clipboard = clipboardRow_.refusalWarning())
    result.push_back(std::move(*clipboard));
  return result;
}

namespace {

template <typename Table>
std::optional<KeyboardShortcut> entry(const Table& table, typename Table::key_type owner) {
  const auto it = table.find(owner);
  if (it == table.end())
    return std::nullopt;
  return it->second;
}

}  // namespace

std::optional<KeyboardShortcut> ShortcutsPanelModel::shortcut(SnapPosition position) const {
  return entry(appState_.shortcuts(), position);
}

ShortcutRecorder& ShortcutsPanelModel::recorder(SnapPosition position) {
  return *recorders_[static_cast<std::size_t>(position)];
}

void ShortcutsPanelModel::clearShortcut(SnapPosition position) {
  storeShortcut(position, std::nullopt);
}

std::optional<KeyboardShortcut> ShortcutsPanelModel::shortcut(WindowAction action) const {
  return entry(appState_.windowActionShortcuts(), action);
}

ShortcutRecorder& ShortcutsPanelModel::recorder(WindowAction action) {
  return *windowRecorders_[static_cast<std::size_t>(action)];
}

void ShortcutsPanelModel::clearShortcut(WindowAction action) {
  storeShortcut(action, std::nullopt);
}

std::optional<std::string> ShortcutsPanelModel::assign(
    const ShortcutAction& action, const std::optional<KeyboardShortcut>& shortcut) {
  if (shortcut) {
    if (const auto owner = conflicts_.conflictingAction(*shortcut, action))
      return conflicts_.conflictNotice(*shortcut, *owner);
  }
  if (const SnapPosition* position = action.snapPosition())
    storeShortcut(*position, shortcut);
  else if (const WindowAction* windowAction = action.windowAction())
    storeShortcut(*windowAction, shortcut);
  else if (action.isClipboardHistory() && shortcut)
    clipboardRow_.store(*shortcut);
  setConflictNotice(std::nullopt);
  return std::nullopt;
}

void ShortcutsPanelModel::resetAll() {
  appState_.setShortcuts(AppState::defaultShortcuts());
  for (const auto& [action, shortcut] : AppState::defaultWindowActionShortcuts())
    appState_.setWindowActionShortcut(action, shortcut);
  if (!ownHotkeys_.isReleased()) {
    shortcutManager_.registerAll();
    clipboardShortcut_.registerHotkey();
  }
  changed.emit();
}

void ShortcutsPanelModel::setConflictNotice(std::optional<std::string> notice) {
  conflictNotice_ = std::move(notice);
  changed.emit();
}

void ShortcutsPanelModel::storeShortcut(SnapPosition position,
                                        const std::optional<KeyboardShortcut>& shortcut) {
  AppState::ShortcutTable table = appState_.shortcuts();
  if (shortcut)
    table[position] = *shortcut;
  else
    table.erase(position);
  appState_.setShortcuts(table);
  shortcutsStored();
}

void ShortcutsPanelModel::storeShortcut(WindowAction action,
                                        const std::optional<KeyboardShortcut>& shortcut) {
  appState_.setWindowActionShortcut(action, shortcut);
  shortcutsStored();
}

void ShortcutsPanelModel::shortcutsStored() {
  // While a recorder listens the hotkeys stay released; they come back from the new table.
  if (!ownHotkeys_.isReleased())
    shortcutManager_.registerAll();
  changed.emit();
}

}  // namespace dovrik
