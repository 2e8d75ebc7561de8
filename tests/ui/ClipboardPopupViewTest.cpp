// The popup view's wiring to its model: what typing, clicks and the row menu ask of the model,
// and what the view shows back. Set DOVRIK_SCREENSHOT_DIR to also save light and dark pictures
// of the populated popup for review.
#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QCursor>
#include <QDateTime>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/app/ManagerPorts.h"
#include "core/clipboard/ClipboardPopupModel.h"
#include "core/platform/Clock.h"
#include "core/shelf/FileURL.h"
#include "core/theme/Theme.h"
#include "tests/unit/clipboard/ClipboardFixture.h"
#include "ui/AppIcon.h"
#include "ui/ClipboardPopupView.h"
#include "ui/FileIconCache.h"
#include "ui/IconThemeFallback.h"
#include "ui/PopupEmptyState.h"
#include "ui/ThumbnailCache.h"

using namespace dovrik;

namespace {

Bytes samplePng(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(QColor(70, 130, 180));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(png.begin(), png.end());
}

// Rows are dated from the real clock, as the view reads it.
ClipboardItem entry(ClipboardKind kind, std::string text, double ageSeconds, bool pinned = false) {
  ClipboardItem item;
  item.id = Uuid::random();
  item.kind = kind;
  item.text = std::move(text);
  if (kind == ClipboardKind::image)
    item.imageData = samplePng({120, 80});
  item.timestamp =
      static_cast<double>(QDateTime::currentSecsSinceEpoch()) - unixTimeOf2001 - ageSeconds;
  item.isPinned = pinned;
  return item;
}

struct Popup {
  explicit Popup(std::vector<ClipboardItem> items) {
    world.manager->setItems(std::move(items));
    view.resize(320, 282);
    view.show();
  }

  QListView& list(const char* name = "clipboardList") {
    return *view.findChild<QListView*>(QString::fromLatin1(name));
  }
  int rows() { return list().model()->rowCount(); }
  const ui::PopupEmptyState* visibleEmptyState() {
    for (const auto* state : view.findChildren<ui::PopupEmptyState*>()) {
      if (state->isVisible())
        return state;
    }
    return nullptr;
  }
  QAbstractButton* button(const QString& text) {
    for (auto* candidate : view.findChildren<QAbstractButton*>()) {
      if (candidate->text() == text)
        return candidate;
    }
    return nullptr;
  }
  QPoint rowCentre(int row) { return list().visualRect(list().model()->index(row, 0)).center(); }
  QWidget& part(const char* name) { return *view.findChild<QWidget*>(QString::fromLatin1(name)); }
  // Where a widget of the popup lies, in the popup's coordinates.
  QRect placeOf(const QWidget& widget) {
    return QRect(widget.mapTo(&view, QPoint(0, 0)), widget.size());
  }
  // Rows of a list that show at all, and those of them that show whole.
  std::pair<int, int> shownRows(const char* name = "clipboardList") {
    QListView& rows = list(name);
    int shown = 0;
    int whole = 0;
    for (int row = 0; row < rows.model()->rowCount(); ++row) {
      const QRect place = rows.visualRect(rows.model()->index(row, 0));
      shown += place.intersects(rows.viewport()->rect()) ? 1 : 0;
      whole += rows.viewport()->rect().contains(place) ? 1 : 0;
    }
    return {shown, whole};
  }
  void putOnShelf(int files) {
    for (int i = 0; i < files; ++i) {
      const std::string path = "/home/u/Quarterly report " + std::to_string(i) + ".ods";
      world.sim.files.put(path, Bytes{1});
      shelf.addFile(fileURLOfPath(path, false));
    }
  }

  test::ClipboardFixture world;
  FileShelfManager shelf{fileShelfManagerPorts(world.platform), *world.state, *world.trust};
  ClipboardPopupModel model{clipboardPopupModelPorts(world.platform), *world.manager, shelf,
                            *world.state};
  ui::ClipboardPopupView view{model, ColorScheme::light};
};

std::vector<ClipboardItem> textEntries(int count) {
  std::vector<ClipboardItem> items;
  for (int i = 0; i < count; ++i)
    items.push_back(entry(ClipboardKind::text, "entry " + std::to_string(i), i * 60));
  return items;
}

std::vector<ClipboardItem> sampleItems() {
  return {
      entry(ClipboardKind::text, "Meeting notes: ship the popup on Friday", 20, true),
      entry(ClipboardKind::link, "https://example.org/docs/clipboard", 95),
      entry(ClipboardKind::image, "", 60 * 14),
      entry(ClipboardKind::text, "hello World, the search is case-insensitive", 3600 * 3),
      entry(ClipboardKind::text, "git commit -m \"Draw the clipboard popup\"", 3600 * 5),
      entry(ClipboardKind::text, "A last entry below the fold", 3600 * 30),
  };
}

}  // namespace

class ClipboardPopupViewTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // As on a desktop without a platform theme, where Qt reports the bare "hicolor" theme.
  void initTestCase() {
    QIcon::setThemeName("hicolor");
    ui::installIconThemeFallback();
  }

  void searchFiltersRowsAndExplainsAnEmptyList() {
    Popup popup(sampleItems());
    QCOMPARE(popup.rows(), 6);
    popup.view.focusSearch();
    QTest::keyClicks(popup.view.searchField(), "WORLD");
    QCOMPARE(popup.model.searchText(), std::string("WORLD"));
    QCOMPARE(popup.rows(), 1);
    QCOMPARE(popup.list().model()->index(0, 0).data().toString(),
             QString("hello World, the search is case-insensitive"));

    QTest::keyClicks(popup.view.searchField(), "zz");
    QCOMPARE(popup.rows(), 0);
    QVERIFY(popup.visibleEmptyState());
    QCOMPARE(popup.visibleEmptyState()->text(), QString("No results for \"WORLDzz\""));

    popup.view.searchField()->clear();
    QCOMPARE(popup.rows(), 6);
    QTest::mouseClick(popup.button("Images"), Qt::LeftButton);
    QCOMPARE(popup.model.activeFilter(), ClipboardFilter::images);
    QCOMPARE(popup.rows(), 1);
  }

  void emptyHistoryAndShelfTabShowTheirTexts() {
    Popup popup({});
    QVERIFY(popup.visibleEmptyState());
    QCOMPARE(popup.visibleEmptyState()->text(), QString("Nothing copied yet"));
    QTest::mouseClick(popup.button("File Shelf"), Qt::LeftButton);
    QCOMPARE(popup.model.activeTab(), ClipboardTab::fileShelf);
    QCOMPARE(popup.visibleEmptyState()->text(), QString("Drag files here to save them"));
  }

  void clicksReachTheModel() {
    std::vector<ClipboardItem> items = sampleItems();
    items[1].formats = ClipboardFormats(
        std::vector<PasteboardRepresentation>{{"text/html", "<a href=\"x\">docs</a>"}});
    Popup popup(items);
    const auto& writes = popup.world.sim.pasteboard.writes;
    QTest::mouseClick(popup.list().viewport(), Qt::LeftButton, {}, popup.rowCentre(1));
    QCOMPARE(popup.model.copiedId(), popup.world.manager->items()[1].id);
    popup.world.clock.advanceBy(1);
    QCOMPARE(writes.back().representations.size(), std::size_t{2});
    // With Shift held the entry goes back as its text alone.
    popup.model.reset();
    QTest::mouseClick(popup.list().viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      popup.rowCentre(1));
    popup.world.clock.advanceBy(1);
    QCOMPARE(writes.size(), std::size_t{2});
    QVERIFY(writes.back().representations.empty());
    QCOMPARE(writes.back().text, std::optional<std::string>("https://example.org/docs/clipboard"));

    QSignalSpy closes(&popup.view, &ui::ClipboardPopupView::closeRequested);
    QTest::mouseClick(popup.view.findChild<QAbstractButton*>("close"), Qt::LeftButton);
    QCOMPARE(closes.count(), 1);

    QTest::mouseClick(popup.button("More"), Qt::LeftButton);
    QVERIFY(popup.model.isExpanded());
    QVERIFY(popup.button("Less"));
  }

  // The pointer and the keyboard move one selection; a keyboard move keeps its row in sight.
  void selectionFollowsPointerAndKeys() {
    Popup popup(textEntries(25));
    QTest::mouseMove(popup.list().viewport(), popup.rowCentre(2));
    QCOMPARE(popup.model.selectedIndex(), 2);
    for (int i = 0; i < 18; ++i)
      popup.model.moveDown();
    QCOMPARE(popup.model.selectedIndex(), 20);
    const QRect row = popup.list().visualRect(popup.list().model()->index(20, 0));
    QVERIFY(popup.list().viewport()->rect().contains(row.center()));
  }

  // The card's surface follows the scheme at once, and stays opaque: nothing behind it blurs.
  void recoloursAtOnce() {
    Popup popup({});
    const QPoint inside(popup.view.width() / 2, popup.view.height() - 3);
    const auto surfaceAt = [&] { return popup.view.grab().toImage().pixelColor(inside); };
    QCOMPARE(surfaceAt(), QColor(255, 255, 255));
    popup.view.setColorScheme(ColorScheme::dark);
    QCOMPARE(surfaceAt(), QColor(28, 31, 36));
    QCOMPARE(surfaceAt().alpha(), 255);
  }

  void rowMenuPinsAndDeletes() {
    Popup popup(sampleItems());
    const auto menuFor = [&](int row) {
      Q_EMIT popup.list().customContextMenuRequested(popup.rowCentre(row));
      auto* menu = popup.view.findChild<QMenu*>();
      QStringList labels;
      for (QAction* action : menu->actions())
        labels << (action->isSeparator() ? QString("|") : action->text());
      return std::pair{menu, labels};
    };
    auto [pinnedMenu, pinnedLabels] = menuFor(0);
    QCOMPARE(pinnedLabels, QStringList({"Unpin", "|", "Delete"}));
    delete pinnedMenu;

    auto [menu, labels] = menuFor(1);
    QCOMPARE(labels, QStringList({"Pin", "|", "Delete"}));
    const Uuid deleted = popup.world.manager->items()[1].id;
    menu->actions().back()->trigger();
    QCOMPARE(popup.rows(), 5);
    for (const ClipboardItem& item : popup.world.manager->items())
      QVERIFY(item.id != deleted);
  }

  // Two files dropped from another application: "Drop to add" while they hover, both on the
  // shelf once dropped with the last one highlighted, in both lists, each row with its menu
  // and dragged out as its file URL.
  void shelfTakesDroppedFilesAndOffersTheRowActions() {
    Popup popup({});
    popup.world.sim.files.put("/home/u/Report 1.pdf", Bytes{1});
    popup.world.sim.files.put("/home/u/notes.txt", Bytes{1});
    const QList<QUrl> urls{
        QUrl(QString::fromStdString(fileURLOfPath("/home/u/Report 1.pdf", false))),
        QUrl(QString::fromStdString(fileURLOfPath("/home/u/notes.txt", false)))};
    QTest::mouseClick(popup.button("File Shelf"), Qt::LeftButton);
    QMimeData data;
    data.setUrls(urls);
    const QPointF at(100, 150);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&popup.view, &enter);
    QVERIFY(enter.isAccepted());
    QVERIFY(popup.model.isDroppingFiles());
    QCOMPARE(popup.visibleEmptyState()->text(), QString("Drop to add"));
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&popup.view, &drop);

    QListView& shelf = popup.list("shelfList");
    QVERIFY(shelf.isVisible());
    QCOMPARE(shelf.model()->rowCount(), 2);
    QCOMPARE(shelf.model()->index(0, 0).data().toString(), QString("notes.txt"));
    QCOMPARE(shelf.model()->index(1, 0).data().toString(), QString("Report 1.pdf"));
    QVERIFY(popup.model.isNewlyAdded(popup.shelf.items()[0]));

    Q_EMIT shelf.customContextMenuRequested(shelf.visualRect(shelf.model()->index(1, 0)).center());
    auto* menu = popup.view.findChild<QMenu*>();
    QStringList labels;
    for (QAction* action : menu->actions())
      labels << (action->isSeparator() ? QString("|") : action->text());
    QCOMPARE(labels, QStringList({"Paste File", "Open with Default App", "|", "Pin", "|",
                                  "Reveal in Finder", "Remove from Shelf"}));
    menu->actions()[1]->trigger();
    QCOMPARE(popup.world.sim.shell.openedURLs,
             std::vector<std::string>{fileURLOfPath("/home/u/Report 1.pdf", false)});
    std::unique_ptr<QMimeData> dragged(shelf.model()->mimeData({shelf.model()->index(1, 0)}));
    QCOMPARE(dragged->urls(), QList<QUrl>{urls[0]});

    QTest::mouseClick(popup.button("Clipboard"), Qt::LeftButton);
    QListView& inlineList = popup.list("inlineShelfList");
    QVERIFY(inlineList.isVisible());
    QCOMPARE(inlineList.model()->rowCount(), 2);
  }

  // At the collapsed height the list shows whole rows only, at least four beside the shelf
  // section; the section sits under a divider and above the footer, nothing of it cut; scrolling
  // by keys and opening the larger list keep rows whole.
  void collapsedPopupShowsWholeRowsOnly() {
    for (const int entries : {2, 5, 25}) {
      for (const bool shelfOn : {true, false}) {
        const QByteArray where = QByteArray::number(entries) + (shelfOn ? " with" : " without");
        Popup popup(textEntries(entries));
        popup.putOnShelf(3);
        popup.world.state->setFileShelfEnabled(shelfOn);
        popup.model.reset();
        QApplication::processEvents();
        const auto expectWholeRows = [&](int atLeast) {
          const auto [shown, whole] = popup.shownRows();
          QVERIFY2(shown == whole, where);
          QVERIFY2(whole >= std::min(entries, atLeast), where);
        };
        expectWholeRows(4);
        const QRect footer = popup.placeOf(*popup.button("More")->parentWidget());
        QVERIFY2(popup.placeOf(popup.list()).bottom() < footer.top(), where);
        QCOMPARE(popup.part("shelfDivider").isVisible(), shelfOn);
        if (shelfOn) {
          const QRect divider = popup.placeOf(popup.part("shelfDivider"));
          const QRect title = popup.placeOf(popup.part("sectionTitle"));
          QVERIFY2(popup.placeOf(popup.list()).bottom() < divider.top(), where);
          QVERIFY2(divider.bottom() < title.top() && title.bottom() < footer.top(), where);
          QVERIFY2(popup.placeOf(popup.list("inlineShelfList")).bottom() < footer.top(), where);
          const auto [chips, wholeChips] = popup.shownRows("inlineShelfList");
          QVERIFY2(chips == wholeChips && chips > 0, where);
        }
        for (int i = 0; i < entries; ++i)
          popup.model.moveDown();
        expectWholeRows(4);
        popup.model.toggleExpanded();
        popup.view.resize(320, 460);
        QApplication::processEvents();
        expectWholeRows(10);
      }
    }
  }

  // Files that do not fit on the strip are counted in "+N", which opens the shelf tab.
  void shelfStripCountsWhatDoesNotFit() {
    Popup popup({});
    popup.putOnShelf(7);
    QApplication::processEvents();
    const int chips = popup.list("inlineShelfList").model()->rowCount();
    QVERIFY(chips >= 1 && chips < 7);
    QCOMPARE(popup.shownRows("inlineShelfList"), std::pair(chips, chips));
    auto* more = popup.view.findChild<QAbstractButton*>("shelfMore");
    QVERIFY(more->isVisible());
    QCOMPARE(more->text(), QString("+%1").arg(7 - chips));
    QTest::mouseClick(more, Qt::LeftButton);
    QCOMPARE(popup.model.activeTab(), ClipboardTab::fileShelf);
  }

  // The shelf tab always says where files go: the whole tab while it is empty, a zone under
  // the files once it has some.
  void shelfTabKeepsItsDropZone() {
    Popup popup({});
    popup.model.selectTab(ClipboardTab::fileShelf);
    popup.view.resize(320, 320);
    QApplication::processEvents();
    auto& zone = static_cast<ui::PopupEmptyState&>(popup.part("shelfDropZone"));
    QVERIFY(zone.isVisible());
    QCOMPARE(zone.text(), QString("Drag files here to save them"));
    popup.putOnShelf(2);
    QApplication::processEvents();
    QVERIFY(zone.isVisible());
    QCOMPARE(zone.text(), QString("Drag files here to save them"));
    QVERIFY(popup.list("shelfList").isVisible());
    QCOMPARE(popup.shownRows("shelfList"), std::pair(2, 2));
    QVERIFY(popup.placeOf(popup.list("shelfList")).bottom() < popup.placeOf(zone).top());
    QVERIFY(zone.height() >= 48);
  }

  // A file that is gone says "Missing" in a colour that reads on the card in both schemes.
  void missingFileReadsInBothSchemes() {
    Popup popup({});
    popup.shelf.addFile(fileURLOfPath("/home/u/gone.txt", false));
    popup.model.reset();
    popup.model.selectTab(ClipboardTab::fileShelf);
    popup.view.resize(320, 320);
    QApplication::processEvents();
    QVERIFY(!popup.shelf.items()[0].isReachable);
    QListView& rows = popup.list("shelfList");
    QRect row = popup.placeOf(rows);
    row.setHeight(rows.visualRect(rows.model()->index(0, 0)).height());
    const QRect trailing(row.right() - 60, row.top() + 4, 56, row.height() - 8);
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
      popup.view.setColorScheme(scheme);
      const QImage picture = popup.view.grab().toImage();
      const auto rgba = [&](QPoint at) {
        const QColor c = picture.pixelColor(at);
        return Rgba{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                    static_cast<std::uint8_t>(c.blue()), 1};
      };
      const Rgba card = rgba(trailing.topLeft());
      double strongest = 1;
      for (int y = trailing.top(); y <= trailing.bottom(); ++y) {
        for (int x = trailing.left(); x <= trailing.right(); ++x)
          strongest = std::max(strongest, Theme::contrastRatio(rgba({x, y}), card));
      }
      QVERIFY2(strongest >= 4.5, QByteArray::number(strongest));
    }
  }

  // File icons come from a full theme even where the desktop's has none; an image file shows
  // its own picture once decoded; applications' icons are found through the same fallback.
  void filesAndApplicationsGetThemeIcons() {
    if (!QIcon::hasThemeIcon("text-x-generic"))
      QSKIP("no icon theme with file-type icons is installed");
    ui::ThumbnailCache thumbnails(QSize(20, 20));
    ui::FileIconCache icons(thumbnails);
    FileShelfItem sheet;
    sheet.url = fileURLOfPath("/nowhere/Budget.ods", false);
    QCOMPARE(icons.icon(sheet).name(), QString("x-office-spreadsheet"));
    FileShelfItem folder;
    folder.url = fileURLOfPath("/nowhere/Photos", true);
    folder.isDirectory = true;
    QVERIFY(icons.icon(folder).name().contains("folder") ||
            icons.icon(folder).name() == "inode-directory");
    FileShelfItem unknown;
    unknown.url = fileURLOfPath("/nowhere/data.zzq", false);
    QVERIFY(!icons.icon(unknown).name().isEmpty());
    QVERIFY(!ui::applicationIcon("no-such-application").name().isEmpty());

    QTemporaryDir folderOnDisk;
    const QString path = folderOnDisk.filePath("red.png");
    QImage red(200, 120, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(path));
    FileShelfItem picture;
    picture.url = fileURLOfPath(path.toStdString(), false);
    QCOMPARE(ui::applicationIcon(path).isNull(), false);
    QSignalSpy ready(&thumbnails, &ui::ThumbnailCache::thumbnailReady);
    const auto centreAfterPainting = [&] {
      QImage canvas(20, 20, QImage::Format_ARGB32_Premultiplied);
      canvas.fill(Qt::transparent);
      QPainter painter(&canvas);
      icons.paint(painter, QRectF(0, 0, 20, 20), picture, 1);
      painter.end();
      return canvas.pixelColor(10, 10);
    };
    QVERIFY(centreAfterPainting() != QColor(Qt::red));
    QTRY_COMPARE(ready.count(), 1);
    QCOMPARE(centreAfterPainting(), QColor(Qt::red));
    picture.isReachable = false;
    QVERIFY(centreAfterPainting() != QColor(Qt::red));
  }

  // A picture arrives after the row was first drawn; bytes that are no picture never do.
  void thumbnailsDecodeInTheBackground() {
    ui::ThumbnailCache cache(QSize(26, 26));
    QSignalSpy ready(&cache, &ui::ThumbnailCache::thumbnailReady);
    ClipboardItem image = entry(ClipboardKind::image, "", 0);
    ClipboardItem broken = entry(ClipboardKind::image, "", 0);
    broken.imageData = Bytes{1, 2, 3};
    QVERIFY(cache.thumbnail(image, 2).isNull());
    QVERIFY(cache.thumbnail(broken, 2).isNull());
    QTRY_COMPARE(ready.count(), 2);
    const QImage thumbnail = cache.thumbnail(image, 2);
    QCOMPARE(thumbnail.size(), QSize(52, 52));
    QCOMPARE(thumbnail.devicePixelRatio(), 2.0);
    QVERIFY(cache.thumbnail(broken, 2).isNull());
    QCOMPARE(ready.count(), 2);
  }

  // The populated clipboard tab, a search without result, the expanded list and the shelf
  // tab, each in light and dark.
  void screenshots() {
    const QString folder = qEnvironmentVariable("DOVRIK_SCREENSHOT_DIR");
    if (folder.isEmpty())
      QSKIP("DOVRIK_SCREENSHOT_DIR is not set");
    // The pictures show the selection only, no pointer hovering over a row.
    QCursor::setPos(-100, -100);
    Popup popup(sampleItems());
    popup.model.hoverRow(1);
    QTest::qWait(100);  // the thumbnail
    const auto save = [&](const QString& name, int height) {
      popup.view.resize(320, height);
      for (auto [scheme, suffix] :
           {std::pair{ColorScheme::light, "light"}, std::pair{ColorScheme::dark, "dark"}}) {
        popup.view.setColorScheme(scheme);
        QVERIFY(popup.view.grab().save(folder + "/" + name + "-" + suffix + ".png"));
      }
    };
    save("popview", 282);
    popup.model.toggleExpanded();
    save("popview-expanded", 460);
    popup.model.toggleExpanded();
    popup.model.setSearchText("invoice");
    save("popview-noresults", 282);
    popup.model.setSearchText("");
    for (const char* name : {"Report 2.pdf", "Pictures/", "old draft.odt"}) {
      const std::string path = std::string("/home/u/") + name;
      const bool folder = path.ends_with('/');
      if (name[0] != 'o')
        popup.world.sim.files.put(folder ? path + ".keep" : path, Bytes{1});
      popup.shelf.addFile(fileURLOfPath(folder ? path.substr(0, path.size() - 1) : path, folder));
    }
    // A picture on disk, so its row shows the thumbnail.
    QTemporaryDir pictures;
    const QString picture = pictures.filePath("Screenshot.png");
    QImage sky(160, 100, QImage::Format_RGB32);
    sky.fill(QColor(70, 130, 180));
    QVERIFY(sky.save(picture));
    popup.world.sim.files.put(picture.toStdString(), Bytes{1});
    popup.shelf.addFile(fileURLOfPath(picture.toStdString(), false));
    QTest::qWait(100);  // the thumbnails
    save("popview-strip", 282);
    popup.model.selectTab(ClipboardTab::fileShelf);
    QTest::qWait(100);
    save("popview-shelf", 320);
    popup.model.selectTab(ClipboardTab::clipboard);
    popup.model.paste(popup.world.manager->items()[1]);
    save("popview-copied", 282);
  }
};

QTEST_MAIN(ClipboardPopupViewTest)
#include "ClipboardPopupViewTest.moc"
