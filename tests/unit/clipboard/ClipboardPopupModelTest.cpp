// The clipboard popup's behaviour: search, kind filter, the shared selection, pasting, the row
// actions, the texts shown and the state of each opening.
#include "core/app/ManagerPorts.h"
#include "core/clipboard/ClipboardPopupModel.h"

#include <gtest/gtest.h>

#include "core/shelf/FileURL.h"
#include "tests/unit/clipboard/ClipboardFixture.h"

namespace dovrik::test {
namespace {

using Texts = std::vector<std::string>;

ClipboardItem entry(ClipboardKind kind, std::string text) {
  ClipboardItem item;
  item.id = Uuid::random();
  item.kind = kind;
  item.text = std::move(text);
  return item;
}

struct ClipboardPopupModelTest : ::testing::Test, ClipboardFixture {
  ClipboardPopupModelTest() {
    shelf = std::make_unique<FileShelfManager>(fileShelfManagerPorts(platform), *state, *trust);
    model = std::make_unique<ClipboardPopupModel>(clipboardPopupModelPorts(platform), *manager,
                                                  *shelf, *state);
    model->changed.connect([this] { ++changes; });
    model->scrollToRow.connect([this](int row) { scrolls.push_back(row); });
  }

  void setItems(const std::vector<std::pair<ClipboardKind, std::string>>& entries) {
    std::vector<ClipboardItem> items;
    for (const auto& [kind, text] : entries)
      items.push_back(entry(kind, text));
    manager->setItems(items);
  }

  Texts rows() const {
    Texts out;
    for (const auto& item : model->filteredItems())
      out.push_back(*item.text);
    return out;
  }

  std::size_t pasteboardWrites() const { return sim.pasteboard.writes.size(); }

  std::unique_ptr<FileShelfManager> shelf;
  std::unique_ptr<ClipboardPopupModel> model;
  int changes = 0;
  std::vector<int> scrolls;
};

constexpr auto text = ClipboardKind::text;
constexpr auto link = ClipboardKind::link;
constexpr auto image = ClipboardKind::image;

TEST_F(ClipboardPopupModelTest, RowsComeBestMatchFirstAndImagesNeverMatch) {
  setItems({{text, "Alpha Beta"},
            {link, "https://AB.example"},
            {image, "ab"},
            {text, "alphabet"},
            {text, "ÉCOLE Привет"}});
  model->setSearchText("ab");
  EXPECT_EQ(rows(), (Texts{"https://AB.example", "alphabet", "Alpha Beta"}));
  model->setSearchText("b a");
  EXPECT_EQ(rows(), (Texts{"Alpha Beta", "https://AB.example", "alphabet"}));
  model->setSearchText("привет ecole");
  EXPECT_EQ(rows(), (Texts{"ÉCOLE Привет"}));
  model->setSearchText("");
  EXPECT_EQ(rows().size(), 5U);
}

TEST_F(ClipboardPopupModelTest, FiltersKeepTheirKindInStoredOrderAfterTheSearch) {
  setItems({{text, "ab text"}, {link, "https://ab.example"}, {image, ""}, {text, "other"}});
  model->setFilter(ClipboardFilter::text);
  EXPECT_EQ(rows(), (Texts{"ab text", "other"}));
  model->setFilter(ClipboardFilter::images);
  EXPECT_EQ(rows(), (Texts{""}));
  model->setFilter(ClipboardFilter::links);
  model->setSearchText("AB");
  EXPECT_EQ(rows(), (Texts{"https://ab.example"}));
  model->setSearchText("text");
  EXPECT_TRUE(rows().empty());
  EXPECT_EQ(label(ClipboardFilter::links), "Links");
  EXPECT_EQ(clipboardFilters.front(), ClipboardFilter::all);
  EXPECT_EQ(clipboardFilters.back(), ClipboardFilter::images);
}

TEST_F(ClipboardPopupModelTest, EmptyListTexts) {
  EXPECT_EQ(model->emptyText(), "Nothing copied yet");
  setItems({{text, "one"}});
  model->setFilter(ClipboardFilter::images);
  EXPECT_TRUE(rows().empty());
  EXPECT_EQ(model->emptyText(), "Nothing copied yet");
  model->setSearchText("zz top");
  EXPECT_EQ(model->emptyText(), "No results for \"zz top\"");
}

TEST_F(ClipboardPopupModelTest, KeyboardSelectionStopsAtBothEndsAndScrollsToTheRow) {
  setItems({{text, "a"}, {text, "b"}, {text, "c"}});
  model->moveUp();
  EXPECT_EQ(model->selectedIndex(), 0);
  model->moveDown();
  model->moveDown();
  model->moveDown();
  EXPECT_EQ(model->selectedIndex(), 2);
  model->moveUp();
  EXPECT_EQ(model->selectedIndex(), 1);
  EXPECT_EQ(scrolls, (std::vector<int>{1, 2, 1}));
  EXPECT_TRUE(model->isSelected(1));
}

TEST_F(ClipboardPopupModelTest, SearchAndFilterChangesSelectTheFirstRow) {
  setItems({{text, "a1"}, {text, "a2"}, {text, "a3"}});
  model->hoverRow(2);
  model->setSearchText("a");
  EXPECT_EQ(model->selectedIndex(), 0);
  model->hoverRow(2);
  model->setSearchText("a");
  EXPECT_EQ(model->selectedIndex(), 2);
  model->setFilter(ClipboardFilter::text);
  EXPECT_EQ(model->selectedIndex(), 0);
}

TEST_F(ClipboardPopupModelTest, ReturnPastesTheHoveredRowOnceAfterTheCopiedMark) {
  setItems({{text, "a"}, {text, "b"}, {text, "c"}});
  const ClipboardItem third = manager->items()[2];
  const std::size_t before = pasteboardWrites();
  model->hoverRow(2);
  model->selectCurrent();
  model->selectCurrent();
  EXPECT_TRUE(model->isCopied(third));
  clock.advanceBy(ClipboardPopupModel::pasteDelay - 0.01);
  EXPECT_EQ(pasteboardWrites(), before);
  clock.advanceBy(0.02);
  ASSERT_EQ(pasteboardWrites(), before + 1);
  EXPECT_EQ(sim.pasteboard.writes.back().text, "c");
  clock.advanceBy(1);
  EXPECT_EQ(pasteboardWrites(), before + 1);
}

TEST_F(ClipboardPopupModelTest, APasteDueAfterTheModelIsGoneDoesNothing) {
  setItems({{text, "a"}});
  const std::size_t before = pasteboardWrites();
  model->selectCurrent();
  model.reset();
  clock.advanceBy(1);
  EXPECT_EQ(pasteboardWrites(), before);
}

TEST_F(ClipboardPopupModelTest, TheShelfTabIgnoresTheNavigationKeys) {
  setItems({{text, "a"}, {text, "b"}});
  std::vector<bool> tabs;
  model->tabChanged.connect([&](bool isShelf) { tabs.push_back(isShelf); });
  model->selectTab(ClipboardTab::clipboard);
  model->selectTab(ClipboardTab::fileShelf);
  model->moveDown();
  model->selectCurrent();
  EXPECT_EQ(model->selectedIndex(), 0);
  EXPECT_FALSE(model->copiedId());
  model->selectTab(ClipboardTab::clipboard);
  EXPECT_EQ(tabs, (std::vector<bool>{true, false}));
}

TEST_F(ClipboardPopupModelTest, DeletingTheSelectedLastRowLeavesTheSelectionBeyondTheEnd) {
  setItems({{text, "a"}, {text, "b"}, {text, "c"}});
  clock.advanceBy(1);
  const int savesBefore = sim.files.writes;
  model->hoverRow(2);
  model->remove(model->filteredItems()[2]);
  EXPECT_EQ(rows(), (Texts{"a", "b"}));
  EXPECT_EQ(model->selectedIndex(), 2);
  model->selectCurrent();
  model->moveDown();
  EXPECT_FALSE(model->copiedId());
  EXPECT_EQ(model->selectedIndex(), 2);
  clock.advanceBy(1);
  EXPECT_EQ(sim.files.writes, savesBefore + 1);
  model->moveUp();
  EXPECT_EQ(model->selectedIndex(), 1);
}

TEST_F(ClipboardPopupModelTest, PinningChangesTheMenuLabelWithoutMovingTheRow) {
  setItems({{text, "a"}, {text, "b"}});
  EXPECT_EQ(ClipboardPopupModel::pinActionLabel(manager->items()[1]), "Pin");
  const int changesBefore = changes;
  model->togglePin(manager->items()[1]);
  EXPECT_EQ(rows(), (Texts{"a", "b"}));
  EXPECT_EQ(ClipboardPopupModel::pinActionLabel(manager->items()[1]), "Unpin");
  EXPECT_GT(changes, changesBefore);
}

TEST_F(ClipboardPopupModelTest, RowTitlesAreTrimmedAndImagesSayImage) {
  EXPECT_EQ(ClipboardPopupModel::rowTitle(entry(text, " \n hi there\t\n")), "hi there");
  EXPECT_EQ(ClipboardPopupModel::rowTitle(entry(image, "")), "Image");
  // A huge text is cut for its row, never inside a character.
  const std::string title =
      ClipboardPopupModel::rowTitle(entry(text, "  " + std::string(4095, 'a') + "é" + "b"));
  EXPECT_EQ(title, std::string(4095, 'a'));
}

TEST_F(ClipboardPopupModelTest, RowAgesCountFromTheDesktopsClockNotTheViews) {
  ClipboardItem item = entry(text, "hi");
  item.timestamp = sim.clock.wallTimeSince2001();
  EXPECT_EQ(model->age(item), "Just now");
  clock.advanceBy(125);
  EXPECT_EQ(model->age(item), "2m ago");
}

TEST_F(ClipboardPopupModelTest, ResetGivesTheStateOfEveryOpening) {
  setItems({{text, "a"}, {text, "b"}});
  std::vector<bool> expansions;
  model->expandToggled.connect([&](bool expanded) { expansions.push_back(expanded); });
  EXPECT_EQ(model->expandLabel(), "More");
  model->toggleExpanded();
  EXPECT_EQ(model->expandLabel(), "Less");
  model->setFilter(ClipboardFilter::text);
  model->setSearchText("b");
  model->hoverRow(1);
  model->selectCurrent();
  model->selectTab(ClipboardTab::fileShelf);

  model->reset();
  EXPECT_EQ(model->activeTab(), ClipboardTab::clipboard);
  EXPECT_EQ(model->activeFilter(), ClipboardFilter::all);
  EXPECT_FALSE(model->isExpanded());
  EXPECT_EQ(model->selectedIndex(), 0);
  EXPECT_EQ(model->searchText(), "");
  EXPECT_FALSE(model->copiedId());
  EXPECT_EQ(expansions, (std::vector<bool>{true}));
  EXPECT_EQ(label(model->activeTab()), "Clipboard");
}

std::vector<std::string> shelfNames(const ClipboardPopupModel& model) {
  std::vector<std::string> out;
  for (const FileShelfItem& item : model.shelfItems())
    out.push_back(ClipboardPopupModel::shelfRowTitle(item));
  return out;
}

TEST_F(ClipboardPopupModelTest, ADropAddsEachFileOnceAndHighlightsTheLastAddedForItsTime) {
  sim.files.put("/home/u/a.txt", Bytes{1});
  sim.files.put("/home/u/b c.pdf", Bytes{1});
  model->setDroppingFiles(true);
  const std::string a = fileURLOfPath("/home/u/a.txt", false);
  model->dropFiles({a, fileURLOfPath("/home/u/b c.pdf", false), a, "https://example.org/x"});
  EXPECT_FALSE(model->isDroppingFiles());
  EXPECT_EQ(shelfNames(*model), (Texts{"b c.pdf", "a.txt"}));
  ASSERT_TRUE(model->newlyAddedFileId());
  EXPECT_TRUE(model->isNewlyAdded(model->shelfItems()[0]));

  // A second drop before the first highlight ends keeps its own full time.
  clock.advanceBy(0.4);
  model->dropFiles({fileURLOfPath("/home/u/gone", false)});
  const Uuid gone = model->shelfItems()[0].id;
  EXPECT_FALSE(model->shelfItems()[0].isReachable);
  clock.advanceBy(0.5);
  EXPECT_EQ(model->newlyAddedFileId(), gone);
  const int before = changes;
  clock.advanceBy(0.11);
  EXPECT_FALSE(model->newlyAddedFileId());
  EXPECT_GT(changes, before);

  // Nothing that is a file: nothing added, nothing highlighted.
  model->dropFiles({"https://example.org/y"});
  EXPECT_EQ(model->shelfItems().size(), 3U);
  EXPECT_FALSE(model->newlyAddedFileId());
}

TEST_F(ClipboardPopupModelTest, ShelfTextsFollowTheDragAndTheOpeningClearsIt) {
  EXPECT_EQ(model->shelfEmptyText(), "Drag files here to save them");
  EXPECT_EQ(model->inlineShelfHint(), "Drag files here");
  model->setDroppingFiles(true);
  EXPECT_EQ(model->shelfEmptyText(), "Drop to add");
  EXPECT_EQ(model->inlineShelfHint(), "Drop to add");
  model->reset();
  EXPECT_FALSE(model->isDroppingFiles());
  sim.files.put("/home/u/a", Bytes{1});
  model->dropFiles({fileURLOfPath("/home/u/a", false)});
  EXPECT_EQ(model->inlineShelfHint(), "");
  model->reset();
  EXPECT_FALSE(model->newlyAddedFileId());

  state->setFileShelfEnabled(false);
  EXPECT_FALSE(model->showsInlineShelf());
  state->setFileShelfEnabled(true);
  EXPECT_TRUE(model->showsInlineShelf());
}

TEST_F(ClipboardPopupModelTest, ShelfRowActionsReachTheShelfAndTheDesktop) {
  sim.files.createDirectory("/home/u/Docs", 0755);
  const std::string url = fileURLOfPath("/home/u/Docs", true);
  model->dropFiles({url});
  const FileShelfItem item = model->shelfItems()[0];
  model->openFile(item);
  model->revealFile(item);
  EXPECT_EQ(sim.shell.openedURLs, (Texts{url}));
  EXPECT_EQ(sim.shell.revealedURLs, (Texts{url}));
  EXPECT_EQ(ClipboardPopupModel::pinActionLabel(item), "Pin");
  model->toggleFilePin(item);
  EXPECT_EQ(ClipboardPopupModel::pinActionLabel(model->shelfItems()[0]), "Unpin");
  model->removeFile(model->shelfItems()[0]);
  EXPECT_TRUE(model->shelfItems().empty());

  FileShelfItem unnamed;
  EXPECT_EQ(ClipboardPopupModel::shelfRowTitle(unnamed), "File");
  unnamed.isDirectory = true;
  EXPECT_EQ(ClipboardPopupModel::shelfRowTitle(unnamed), "Folder");
}

}  // namespace
}  // namespace dovrik::test
