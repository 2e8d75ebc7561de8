// The forms a text is copied with besides the text: which are kept and within which bounds,
// that they come back from the history file, and that a paste offers them all again while a
// plain-text paste, from the popup or the command line, offers the text alone.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "core/platform/KeptFormats.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/clipboard/ClipboardFixture.h"

namespace dovrik::test {
namespace {

using Forms = std::vector<PasteboardRepresentation>;

const PasteboardRepresentation html{"text/html", "<b>bold</b> words"};
const PasteboardRepresentation uris{"text/uri-list", "file:///home/sim/a.txt\r\n"};

// A copy from a rich-text editor: the text and the html the editor offers with it.
sim::SimClipboardContent richCopy(const std::string& text, Forms formats) {
  return {.types = {"text/plain;charset=utf-8", "text/html"}, .text = text, .formats = formats};
}

struct ClipboardFormatsTest : ::testing::Test, ClipboardFixture {
  ClipboardFormatsTest() { manager->applyEnabledState(); }
  void copy(sim::SimClipboardContent content) {
    sim.pasteboard.copy(std::move(content));
    clock.advanceBy(0.01);
  }
};

TEST_F(ClipboardFormatsTest, KeepsTheBoundedSetAndSkipsAFormOverItsBoundWhole) {
  const std::string atBound(keptFormatBound("text/uri-list"), 'u');
  const std::string overBound(keptFormatBound("image/png") + 1, 'p');
  copy(richCopy(" bold words\n", {html,
                                  {"text/rtf", "{\\rtf1 bold}"},
                                  {"image/png", overBound},
                                  {"text/uri-list", atBound},
                                  {"text/html-empty", ""}}));
  ASSERT_EQ(manager->items().size(), 1u);
  EXPECT_EQ(manager->items()[0].text, "bold words");
  EXPECT_EQ(manager->items()[0].formats.forms(), (Forms{html, {"text/uri-list", atBound}}));

  // The same text copied again takes the forms of the newer copy.
  copy(richCopy("bold words", {}));
  ASSERT_EQ(manager->items().size(), 1u);
  EXPECT_TRUE(manager->items()[0].formats.empty());
  // Forms never make an image entry: only the text decides what is recorded.
  copy({.types = {"text/html"}, .formats = {html}});
  EXPECT_EQ(manager->items().size(), 1u);
}

TEST_F(ClipboardFormatsTest, FormsComeBackFromTheHistoryFile) {
  copy(richCopy("bold words", {html, uris}));
  copy(richCopy("plain", {}));
  manager->flush();
  build();
  ASSERT_EQ(manager->items().size(), 2u);
  EXPECT_TRUE(manager->items()[0].formats.empty());
  EXPECT_EQ(manager->items()[1].formats.forms(), (Forms{html, uris}));
}

TEST_F(ClipboardFormatsTest, PasteOffersEveryFormAndPlainPasteTheTextAlone) {
  copy(richCopy("bold words", {html, uris}));
  copy(richCopy("no forms", {}));
  copy({.types = {"image/png"}, .png = png(1)});
  const auto items = manager->items();

  manager->paste(items[2]);
  EXPECT_EQ(sim.pasteboard.writes.back().representations,
            (Forms{{std::string(plainTextType), "bold words"}, html, uris}));
  EXPECT_EQ(sim.pasteboard.content().types,
            (std::vector<std::string>{"text/plain;charset=utf-8", "text/html", "text/uri-list"}));
  clock.advanceBy(1);
  // Our own write is not recorded again and keeps the entry's forms.
  ASSERT_EQ(manager->items().size(), 3u);
  EXPECT_EQ(manager->items()[0].formats.forms(), (Forms{html, uris}));

  manager->paste(items[2], PasteForm::plainText);
  EXPECT_EQ(sim.pasteboard.writes.back().text, "bold words");
  EXPECT_TRUE(sim.pasteboard.writes.back().representations.empty());
  EXPECT_EQ(sim.pasteboard.content().types, (std::vector<std::string>{"text/plain;charset=utf-8"}));

  // An entry without forms is written as a text, as it always was; an image has no text and
  // goes back as the image either way.
  manager->copy(items[1]);
  EXPECT_EQ(sim.pasteboard.writes.back().text, "no forms");
  manager->copy(items[0], PasteForm::plainText);
  EXPECT_EQ(sim.pasteboard.writes.back().png, png(1));
  clock.advanceBy(1);
  EXPECT_EQ(manager->items().size(), 3u);
}

// The running application with one rich copy in its history.
struct ClipboardFormatsAppTest : ::testing::Test, SimWorld {
  ClipboardFormatsAppTest() {
    app.start();
    sim.pasteboard.copy(richCopy("bold words", {html}));
    clock.advanceBy(0.01);
  }
  App app{platform};
};

TEST_F(ClipboardFormatsAppTest, ShiftReturnPastesThePlainTextAndReturnEveryForm) {
  ClipboardPopupController& popup = app.clipboardPopupController();

  popup.show();
  sim.popupPanel.press(PopupKey::selectPlainText);
  clock.advanceBy(1);
  EXPECT_FALSE(popup.isVisible());
  EXPECT_EQ(sim.pasteboard.writes.back().text, "bold words");
  EXPECT_TRUE(sim.pasteboard.writes.back().representations.empty());

  popup.show();
  sim.popupPanel.press(PopupKey::select);
  clock.advanceBy(1);
  EXPECT_EQ(sim.pasteboard.writes.back().representations,
            (Forms{{std::string(plainTextType), "bold words"}, html}));
  EXPECT_EQ(sim.keySynth.posts.size(), 2u);
}

TEST_F(ClipboardFormatsAppTest, PlainCopyAndPasteOnTheCommandLine) {
  const auto ask = [&](const std::vector<std::string>& words) {
    return cli::testing::answerNow(app, cli::encodeRequest(words));
  };

  EXPECT_EQ(ask({"clipboard", "copy", "--plain", "1"}), cli::CommandOutcome::done());
  EXPECT_EQ(sim.pasteboard.writes.back().text, "bold words");
  EXPECT_EQ(ask({"clipboard", "copy", "1"}), cli::CommandOutcome::done());
  EXPECT_EQ(sim.pasteboard.writes.back().representations.size(), 2u);
  EXPECT_EQ(ask({"clipboard", "paste", "--plain", "1"}), cli::CommandOutcome::done());
  clock.advanceBy(1);
  EXPECT_EQ(sim.pasteboard.writes.back().text, "bold words");
  EXPECT_EQ(sim.keySynth.posts.size(), 1u);

  const auto usage = [](const std::vector<std::string>& words) {
    return cli::parseCommandLine(words, "1").outcome.err;
  };
  EXPECT_EQ(usage({"clipboard", "paste", "--rich", "1"}),
            "dovrik clipboard: usage: dovrik clipboard paste [--plain] N [M …].\n");
  EXPECT_EQ(usage({"clipboard", "pin", "--plain", "1"}),
            "dovrik clipboard: usage: dovrik clipboard pin N.\n");
  EXPECT_NE(usage({"clipboard", "paste", "--plain"}).find("\"--plain\" is not an entry number"),
            std::string::npos);
  const std::string help = cli::parseCommandLine({"help", "clipboard"}, "1").outcome.out;
  EXPECT_NE(help.find("paste [--plain] N"), std::string::npos) << help;
}

}  // namespace
}  // namespace dovrik::test
