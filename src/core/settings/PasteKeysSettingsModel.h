// The Clipboard panel's table of paste keystrokes chosen per application: a row per choice, whose
// keystroke is changed or removed in place, and a row that adds a choice for a running or
// installed application.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/paste/PasteKeys.h"
#include "core/settings/AppListModel.h"

namespace dovrik {

class PasteKeysSettingsModel : public AppListModel {
 public:
  static constexpr std::string_view section = "Paste Keystroke";
  static constexpr std::string_view explanation =
      "Dovrik pastes with the keystroke each kind of app takes: Ctrl+Shift+V in terminals, "
      "Shift+Insert in xterm and urxvt, Ctrl+V elsewhere. Choose another for an app here.";
  static constexpr std::string_view applicationCaption = "Application";
  // The add row's first entry, which selects no application.
  static constexpr std::string_view noApplicationEntry = "Select an app…";
  static constexpr std::string_view addTitle = "Add";
  static constexpr std::string_view appSymbol = "app.fill";
  static constexpr std::string_view removeSymbol = "trash";

  struct Row {
    std::string appId;
    std::string name;
    PasteChord chord;
  };
  using Candidate = AppCandidate;

  using AppListModel::AppListModel;

  // One row per application with a keystroke of its own, by name.
  std::vector<Row> rows() const;
  void setChord(const std::string& appId, PasteChord chord);
  // Back to the keystroke its kind of application takes.
  void remove(const std::string& appId);

  // The applications without a keystroke of their own, running or installed, once each, by
  // name.
  std::vector<Candidate> candidates() const;
  const std::optional<std::string>& selectedApp() const { return selectedApp_; }
  // Also proposes the keystroke a running application is given now, else Ctrl+V.
  void selectApp(std::optional<std::string> appId);
  PasteChord newChord() const { return newChord_; }
  void selectNewChord(PasteChord chord);
  // Stores the new keystroke for the selected application and clears the selection; nothing
  // without one.
  void add();

 private:
  std::optional<std::string> selectedApp_;
  PasteChord newChord_ = PasteChord::ControlV;
};

}  // namespace dovrik
