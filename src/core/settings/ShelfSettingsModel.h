// The file shelf's rows of the Clipboard panel: its switch, its size, its counts, and clearing
// it behind a confirmation.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/model/AppState.h"
#include "core/settings/ConfirmationRequest.h"
#include "core/settings/SettingSlider.h"
#include "core/shelf/FileShelfManager.h"
#include "core/support/Signal.h"

namespace dovrik {

class ShelfSettingsModel {
 public:
  static constexpr std::string_view section = "File Shelf";
  static constexpr std::string_view switchTitle = "Enable File Shelf";
  static constexpr std::string_view switchSubtitle =
      "Drag files into the clipboard popup to store them temporarily";
  static constexpr std::string_view storedTitle = "Files stored";
  static constexpr std::string_view clearTitle = "Clear Shelf";
  static constexpr std::string_view clearHelp = "Remove all unpinned files from the shelf";
  static constexpr SettingSlider sizeSlider{"", 3, 20, 1, "", 0};

  ShelfSettingsModel(AppState& appState, FileShelfManager& shelf);
  ShelfSettingsModel(const ShelfSettingsModel&) = delete;
  ShelfSettingsModel& operator=(const ShelfSettingsModel&) = delete;
  ~ShelfSettingsModel();

  bool enabled() const { return appState_.fileShelfEnabled(); }
  void setEnabled(bool enabled);

  // "Store up to 10 files".
  std::string sizeTitle() const;
  double size() const { return static_cast<double>(appState_.fileShelfSize()); }
  // Stores the slider's stop; no file leaves the shelf while the slider is held.
  void setSize(double value);
  // The slider was let go: the shelf is cut down to the new size.
  void releaseSizeSlider() { shelf_.enforceLimits(); }
  // "4 unpinned · 1 pinned" and "4 / 10".
  std::string storedCounts() const;
  std::string storedAgainstSize() const;

  void requestClear();
  // The confirmation while it is asked.
  std::optional<Confirmation> clearConfirmation() const { return clear_.shown(); }
  void confirmClear();
  void cancelClear();

  Signal<> changed;

 private:
  AppState& appState_;
  FileShelfManager& shelf_;
  ConfirmationRequest clear_{{"Clear file shelf?",
                              "This will remove all unpinned files. Pinned files are kept.",
                              "Clear File Shelf"}};
  Signal<>::Connection itemsObserver_ = 0;
};

}  // namespace dovrik
