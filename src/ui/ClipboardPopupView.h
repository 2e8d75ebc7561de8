// The clipboard popup's content: the tabs, the search field, the filter chips, the list of
// entries with its empty state, the footer's expand button and the file shelf tab. It draws the
// popup model and forwards the user's input to it; every rule lives in the model.
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "core/clipboard/ClipboardPopupModel.h"
#include "core/support/Signal.h"
#include "core/theme/ColorScheme.h"
#include "ui/FileIconCache.h"

class QLabel;
class QLineEdit;
class QListView;
class QStackedWidget;

namespace dovrik::ui {

class ClipboardRowFrame;
class ClipboardRowsModel;
class PopupButton;
class PopupEmptyState;
class PopupSearchField;
class ShelfRowsModel;
class ThumbnailCache;

class ClipboardPopupView : public QWidget {
  Q_OBJECT

 public:
  // `model` must outlive the view.
  ClipboardPopupView(ClipboardPopupModel& model, ColorScheme scheme, QWidget* parent = nullptr);
  ~ClipboardPopupView() override;

  // Re-colours everything at once.
  void setColorScheme(ColorScheme scheme);
  // With a compositor the background is slightly see-through; without one it is opaque.

  // The panel gives the search field the keyboard when the popup opens, and keeps the
  // navigation keys away from it.
  void focusSearch();
  QLineEdit* searchField() const;

 Q_SIGNALS:
  // The header's close button.
  void closeRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Refits the shelf's chips to the new width.
  void resizeEvent(QResizeEvent* event) override;
  // Follows the pointer over the rows.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Files dragged from other applications land on the shelf, wherever they are dropped.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QWidget* buildHeader();
  QWidget* buildClipboardTab();
  QWidget* buildFooter();
  QWidget* buildShelfTab();
  QWidget* buildInlineShelf();
  QListView* buildShelfList(ShelfRowsModel& rows, QWidget* parent);
  void showRowMenu(const QPoint& position);
  void showShelfMenu(QListView& list, const ShelfRowsModel& rows, const QPoint& position);
  void refreshShelf();
  void fitShelfChips();
  void onModelChanged();
  void refreshRows();
  void applyScheme();

  ClipboardPopupModel& model_;
  ColorScheme scheme_;
  ThumbnailCache* thumbnails_;
  ClipboardRowsModel* rows_;
  PopupButton* clipboardTab_ = nullptr;
  PopupButton* shelfTab_ = nullptr;
  PopupSearchField* search_ = nullptr;
  std::array<PopupButton*, 4> chips_{};
  QStackedWidget* pages_ = nullptr;
  QStackedWidget* listOrEmpty_ = nullptr;
  ClipboardRowFrame* listFrame_ = nullptr;
  QListView* list_ = nullptr;
  PopupEmptyState* empty_ = nullptr;
  PopupButton* expand_ = nullptr;
  ThumbnailCache* fileThumbnails_;
  FileIconCache icons_;
  // Every shelf file for the shelf tab; the strip under the clipboard list holds those that fit.
  ShelfRowsModel* shelfRows_;
  ShelfRowsModel* shelfChips_;
  ClipboardRowFrame* shelfListFrame_ = nullptr;
  QListView* shelfList_ = nullptr;
  PopupEmptyState* shelfDropZone_ = nullptr;
  QWidget* inlineShelf_ = nullptr;
  QLabel* inlineTitle_ = nullptr;
  QLabel* inlineCount_ = nullptr;
  QListView* inlineList_ = nullptr;
  QLabel* inlineHint_ = nullptr;
  PopupButton* shelfMore_ = nullptr;

  // What the rows were last built from; a change that leaves it alone only moved the
  // selection or the copied mark, and needs a repaint, not new rows.
  struct RowsSource {
    ClipboardTab tab;
    ClipboardFilter filter;
    std::string search;
    int selected;
    std::optional<Uuid> copied;
  };
  std::optional<RowsSource> shown_;
  // The row the pointer was last moved into, -1 outside the rows.
  int pointerRow_ = -1;

  Signal<>::Connection changedConnection_;
  Signal<int>::Connection scrollConnection_;
};

}  // namespace dovrik::ui
