// The clipboard on GNOME through Dovrik's Shell extension, the only way to mutter's selection
// for a program without the keyboard focus. The extension names each new content's types and
// whether Dovrik's own write set it, and carries the bytes both ways. It tells of changes only:
// what the clipboard held when Dovrik started is unknown until it changes, and it does not tell
// when an application takes Dovrik's content, so `contentTaken` is never raised.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/platform/Background.h"
#include "core/platform/Scheduler.h"
#include "linux/clipboard/FetchingPasteboard.h"
#include "linux/gnome/GnomeShell.h"

namespace dovrik::gnome {

class GnomePasteboard : public clipboard::FetchingPasteboard {
 public:
  GnomePasteboard(GnomeShell& shell, Scheduler& mainQueue, Background& background);
  ~GnomePasteboard() override;

  ChangeCount writeText(const std::string& text, bool alsoPrimary) override;
  std::optional<ChangeCount> writePNG(const Bytes& png, bool alsoPrimary) override;
  ChangeCount writeRepresentations(const std::vector<PasteboardRepresentation>& representations,
                                   bool alsoPrimary) override;

 private:
  void receive(const std::string& type, std::size_t limit, Received done) override;
  void clipboardChanged(const std::vector<std::string>& types, bool byDovrik);
  // Takes the clipboard with `bytes` of `type` and counts the change as ours at once.
  ChangeCount own(const std::string& type, const std::string& bytes, Content content,
                  bool alsoPrimary);

  GnomeShell& shell_;
  Signal<const std::vector<std::string>&, bool>::Connection changeSubscription_;
};

}  // namespace dovrik::gnome
