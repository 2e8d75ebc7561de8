// Building the popup's widgets and keeping them in step with the model.
#include "ui/ClipboardPopupView.h"

#include <algorithm>

#include <QAction>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "core/clipboard/ClipboardFilter.h"
#include "core/clipboard/ClipboardTab.h"
#include "ui/ClipboardRowDelegate.h"
#include "ui/ClipboardRowFrame.h"
#include "ui/ClipboardRowsModel.h"
#include "ui/PopupButton.h"
#include "ui/PopupEmptyState.h"
#include "ui/PopupSearchField.h"
#include "ui/ShelfChipDelegate.h"
#include "ui/ShelfRowDelegate.h"
#include "ui/ShelfRowsModel.h"
#include "ui/SymbolIcon.h"
#include "ui/ThemeColors.h"
#include "ui/ThumbnailCache.h"

namespace dovrik::ui {
namespace {

constexpr int stripSpacing = 4;
// Tall enough for the drop zone's symbol and words under a shelf that has files.
constexpr int dropZoneHeight = 64;

QString qText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Draws a hairline along its top edge: above the footer's button, and alone as the divider
// between the clipboard list and the shelf section.
class HairlineTop : public QWidget {
 public:
  HairlineTop(const ColorScheme& scheme, QWidget* parent) : QWidget(parent), scheme_(scheme) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(QRect(0, 0, width(), 1), themeColor(ColorToken::hairline, scheme_));
  }

 private:
  const ColorScheme& scheme_;
};

// The look and input every list of rows shares: rows drawn by their delegate on the popup's own
// background, tracking the pointer, each with its own context menu. Scrolling goes a row at a
// time, so a list as tall as whole rows never shows a part of one.
void setUpRowList(QListView& list) {
  list.setFrameShape(QFrame::NoFrame);
  list.setFocusPolicy(Qt::NoFocus);
  list.setMouseTracking(true);
  list.viewport()->setAttribute(Qt::WA_Hover);
  list.setUniformItemSizes(true);
  list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  list.viewport()->setAutoFillBackground(false);
  list.setContextMenuPolicy(Qt::CustomContextMenu);
}

}  // namespace

ClipboardPopupView::ClipboardPopupView(ClipboardPopupModel& model, ColorScheme scheme,
                                       QWidget* parent)
    : QWidget(parent),
      model_(model),
      scheme_(scheme),
      thumbnails_(new ThumbnailCache(
          QSize(ClipboardRowDelegate::thumbnailSize, ClipboardRowDelegate::thumbnailSize), 64,
          this)),
      rows_(new ClipboardRowsModel(this)),
      fileThumbnails_(
          new ThumbnailCache(QSize(FileIconCache::iconSize, FileIconCache::iconSize), 64, this)),
      icons_(*fileThumbnails_),
      shelfRows_(new ShelfRowsModel(this)),
      shelfChips_(new ShelfRowsModel(this)) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAcceptDrops(true);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(10, 8, 10, 0);
  column->setSpacing(6);
  column->addWidget(buildHeader());

  pages_ = new QStackedWidget(this);
  pages_->addWidget(buildClipboardTab());
  pages_->addWidget(buildShelfTab());
  column->addWidget(pages_, 1);

  connect(thumbnails_, &ThumbnailCache::thumbnailReady, this, [this](const QString& id) {
    const int row = rows_->rowOf(id);
    if (row >= 0)
      list_->update(rows_->index(row));
  });
  connect(fileThumbnails_, &ThumbnailCache::thumbnailReady, this, [this] {
    shelfList_->viewport()->update();
    inlineList_->viewport()->update();
  });
  changedConnection_ = model_.changed.connect([this] { onModelChanged(); });
  scrollConnection_ = model_.scrollToRow.connect(
      [this](int row) { list_->scrollTo(rows_->index(row), QAbstractItemView::PositionAtCenter); });
  applyScheme();
  onModelChanged();
}

ClipboardPopupView::~ClipboardPopupView() {
  model_.changed.disconnect(changedConnection_);
  model_.scrollToRow.disconnect(scrollConnection_);
}

QWidget* ClipboardPopupView::buildHeader() {
  auto* header = new QWidget(this);
  auto* row = new QHBoxLayout(header);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  clipboardTab_ = new PopupButton(PopupButton::Look::tab, scheme_, header);
  clipboardTab_->setText(qText(label(ClipboardTab::clipboard)));
  clipboardTab_->setSymbol("clipboard");
  shelfTab_ = new PopupButton(PopupButton::Look::tab, scheme_, header);
  shelfTab_->setText(qText(label(ClipboardTab::fileShelf)));
  shelfTab_->setSymbol("tray");
  auto* close = new PopupButton(PopupButton::Look::icon, scheme_, header);
  close->setSymbol("xmark");
  close->setObjectName(QStringLiteral("close"));
  close->setToolTip(QStringLiteral("Close"));
  for (auto [button, tab] : {std::pair{clipboardTab_, ClipboardTab::clipboard},
                             std::pair{shelfTab_, ClipboardTab::fileShelf}}) {
    connect(button, &QAbstractButton::clicked, this, [this, tab] { model_.selectTab(tab); });
  }
  connect(close, &QAbstractButton::clicked, this, &ClipboardPopupView::closeRequested);
  row->addWidget(clipboardTab_);
  row->addWidget(shelfTab_);
  row->addStretch(1);
  row->addWidget(close);
  return header;
}

// The spacings are tight on purpose: at the collapsed height, four whole rows, the shelf line
// and the footer share what the header, the search field and the chips leave.
QWidget* ClipboardPopupView::buildClipboardTab() {
  auto* page = new QWidget(this);
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  search_ = new PopupSearchField(scheme_, page);
  connect(search_->lineEdit(), &QLineEdit::textChanged, this,
          [this](const QString& text) { model_.setSearchText(text.toStdString()); });
  column->addWidget(search_);
  column->addSpacing(6);

  auto* chipRow = new QHBoxLayout;
  chipRow->setSpacing(5);
  for (std::size_t i = 0; i < clipboardFilters.size(); ++i) {
    const ClipboardFilter filter = clipboardFilters[i];
    chips_[i] = new PopupButton(PopupButton::Look::chip, scheme_, page);
    chips_[i]->setText(qText(label(filter)));
    connect(chips_[i], &QAbstractButton::clicked, this,
            [this, filter] { model_.setFilter(filter); });
    chipRow->addWidget(chips_[i]);
  }
  chipRow->addStretch(1);
  column->addLayout(chipRow);
  column->addSpacing(6);

  listOrEmpty_ = new QStackedWidget(page);
  list_ = new QListView(listOrEmpty_);
  list_->setObjectName(QStringLiteral("clipboardList"));
  list_->setModel(rows_);
  list_->setItemDelegate(new ClipboardRowDelegate(model_, *rows_, *thumbnails_, scheme_, list_));
  setUpRowList(*list_);
  list_->setSelectionMode(QAbstractItemView::NoSelection);
  list_->viewport()->installEventFilter(this);
  connect(list_, &QListView::clicked, this, [this](const QModelIndex& index) {
    const bool plain = QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
    model_.paste(rows_->item(index.row()), plain ? PasteForm::plainText : PasteForm::asCopied);
  });
  connect(list_, &QListView::customContextMenuRequested, this, &ClipboardPopupView::showRowMenu);
  empty_ = new PopupEmptyState("clipboard", false, scheme_, listOrEmpty_);
  listFrame_ = new ClipboardRowFrame(list_, ClipboardRowDelegate::rowHeight, listOrEmpty_);
  listOrEmpty_->addWidget(listFrame_);
  listOrEmpty_->addWidget(empty_);
  column->addWidget(listOrEmpty_, 1);
  column->addSpacing(4);
  column->addWidget(buildInlineShelf());
  column->addSpacing(3);
  column->addWidget(buildFooter());
  return page;
}

QWidget* ClipboardPopupView::buildFooter() {
  auto* footer = new HairlineTop(scheme_, this);
  auto* row = new QHBoxLayout(footer);
  row->setContentsMargins(0, 1, 0, 0);
  expand_ = new PopupButton(PopupButton::Look::footer, scheme_, footer);
  connect(expand_, &QAbstractButton::clicked, this, [this] { model_.toggleExpanded(); });
  row->addStretch(1);
  row->addWidget(expand_);
  row->addStretch(1);
  return footer;
}

// The shelf's rows over a drop zone that always says where files go; with no files the zone
// takes the whole tab.
QWidget* ClipboardPopupView::buildShelfTab() {
  auto* page = new QWidget(pages_);
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 10);
  column->setSpacing(8);
  shelfList_ = buildShelfList(*shelfRows_, page);
  shelfList_->setItemDelegate(
      new ShelfRowDelegate(model_, *shelfRows_, icons_, scheme_, shelfList_));
  shelfList_->setObjectName(QStringLiteral("shelfList"));
  shelfListFrame_ = new ClipboardRowFrame(shelfList_, ShelfRowDelegate::rowHeight, page);
  shelfDropZone_ = new PopupEmptyState("tray", true, scheme_, page);
  shelfDropZone_->setObjectName(QStringLiteral("shelfDropZone"));
  column->addWidget(shelfListFrame_, 1);
  column->addWidget(shelfDropZone_);
  return page;
}

// One line under the clipboard list, after a divider: the title, the number of files, as many
// files as fit as chips and "+N" for the rest, which opens the shelf tab.
QWidget* ClipboardPopupView::buildInlineShelf() {
  inlineShelf_ = new QWidget(this);
  auto* column = new QVBoxLayout(inlineShelf_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(5);
  auto* divider = new HairlineTop(scheme_, inlineShelf_);
  divider->setObjectName(QStringLiteral("shelfDivider"));
  divider->setFixedHeight(1);
  column->addWidget(divider);
  auto* strip = new QHBoxLayout;
  strip->setSpacing(stripSpacing);
  inlineTitle_ = new QLabel(qText(label(ClipboardTab::fileShelf)), inlineShelf_);
  inlineTitle_->setObjectName(QStringLiteral("sectionTitle"));
  inlineCount_ = new QLabel(inlineShelf_);
  inlineCount_->setObjectName(QStringLiteral("sectionCount"));
  inlineList_ = buildShelfList(*shelfChips_, inlineShelf_);
  inlineList_->setItemDelegate(
      new ShelfChipDelegate(model_, *shelfChips_, icons_, scheme_, inlineList_));
  inlineList_->setObjectName(QStringLiteral("inlineShelfList"));
  inlineList_->setFlow(QListView::LeftToRight);
  inlineList_->setWrapping(false);
  inlineList_->setUniformItemSizes(false);
  inlineList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  inlineList_->setFixedHeight(ShelfChipDelegate::chipHeight);
  inlineHint_ = new QLabel(inlineShelf_);
  inlineHint_->setObjectName(QStringLiteral("sectionHint"));
  inlineHint_->setFixedHeight(ShelfChipDelegate::chipHeight);
  inlineHint_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  shelfMore_ = new PopupButton(PopupButton::Look::chip, scheme_, inlineShelf_);
  shelfMore_->setObjectName(QStringLiteral("shelfMore"));
  shelfMore_->setToolTip(qText(label(ClipboardTab::fileShelf)));
  connect(shelfMore_, &QAbstractButton::clicked, this,
          [this] { model_.selectTab(ClipboardTab::fileShelf); });
  strip->addWidget(inlineTitle_);
  strip->addWidget(inlineCount_);
  strip->addWidget(inlineList_, 1);
  strip->addWidget(inlineHint_, 1);
  strip->addWidget(shelfMore_);
  column->addLayout(strip);
  return inlineShelf_;
}

// Both shelf lists behave alike. A click pastes the file, and a press that moves drags the file
// out; the list keeps a selection only because dragging starts from it.
QListView* ClipboardPopupView::buildShelfList(ShelfRowsModel& rows, QWidget* parent) {
  auto* list = new QListView(parent);
  list->setModel(&rows);
  setUpRowList(*list);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setDragEnabled(true);
  list->setDragDropMode(QAbstractItemView::DragOnly);
  list->setDefaultDropAction(Qt::CopyAction);
  connect(list, &QListView::clicked, this,
          [this, &rows](const QModelIndex& index) { model_.pasteFile(rows.item(index.row())); });
  connect(list, &QListView::customContextMenuRequested, this,
          [this, list, &rows](const QPoint& position) { showShelfMenu(*list, rows, position); });
  return list;
}

void ClipboardPopupView::showShelfMenu(QListView& list, const ShelfRowsModel& rows,
                                       const QPoint& position) {
  const QModelIndex index = list.indexAt(position);
  if (!index.isValid())
    return;
  const FileShelfItem item = rows.item(index.row());
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(QStringLiteral("Paste File"), this, [this, item] { model_.pasteFile(item); });
  menu->addAction(QStringLiteral("Open with Default App"), this,
                  [this, item] { model_.openFile(item); });
  menu->addSeparator();
  menu->addAction(qText(ClipboardPopupModel::pinActionLabel(item)), this,
                  [this, item] { model_.toggleFilePin(item); });
  menu->addSeparator();
  menu->addAction(qText(model_.revealActionLabel()), this,
                  [this, item] { model_.revealFile(item); });
  menu->addAction(QStringLiteral("Remove from Shelf"), this,
                  [this, item] { model_.removeFile(item); });
  menu->popup(list.viewport()->mapToGlobal(position));
}

// Only a real pointer move selects: the list also reports the row that scrolls under a
// resting pointer, and that would take the selection away from the keyboard that scrolled.
bool ClipboardPopupView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport()) {
    if (event->type() == QEvent::MouseMove) {
      const QModelIndex index =
          list_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      const int row = index.isValid() ? index.row() : -1;
      if (row != pointerRow_ && row >= 0)
        model_.hoverRow(row);
      pointerRow_ = row;
    } else if (event->type() == QEvent::Leave) {
      pointerRow_ = -1;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ClipboardPopupView::showRowMenu(const QPoint& position) {
  const QModelIndex index = list_->indexAt(position);
  if (!index.isValid())
    return;
  const ClipboardItem item = rows_->item(index.row());
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  const QColor ink = palette().color(QPalette::WindowText);
  menu->addAction(symbolIcon("pin.fill", ink), qText(ClipboardPopupModel::pinActionLabel(item)),
                  this, [this, item] { model_.togglePin(item); });
  menu->addSeparator();
  menu->addAction(symbolIcon("trash", ink), QStringLiteral("Delete"), this,
                  [this, item] { model_.remove(item); });
  menu->popup(list_->viewport()->mapToGlobal(position));
}

void ClipboardPopupView::onModelChanged() {
  const bool onClipboard = model_.activeTab() == ClipboardTab::clipboard;
  clipboardTab_->setActive(onClipboard);
  shelfTab_->setActive(!onClipboard);
  pages_->setCurrentIndex(onClipboard ? 0 : 1);
  for (std::size_t i = 0; i < clipboardFilters.size(); ++i)
    chips_[i]->setActive(clipboardFilters[i] == model_.activeFilter());
  const QString search = QString::fromStdString(model_.searchText());
  if (search_->lineEdit()->text() != search)
    search_->lineEdit()->setText(search);
  expand_->setText(qText(model_.expandLabel()));
  expand_->setSymbol(model_.isExpanded() ? "chevron.up" : "chevron.down");

  const RowsSource now{model_.activeTab(), model_.activeFilter(), model_.searchText(),
                       model_.selectedIndex(), model_.copiedId()};
  const bool onlyMarksMoved = shown_ && shown_->tab == now.tab && shown_->filter == now.filter &&
                              shown_->search == now.search &&
                              (shown_->selected != now.selected || shown_->copied != now.copied);
  shown_ = now;
  if (onlyMarksMoved)
    list_->viewport()->update();
  else
    refreshRows();
  refreshShelf();
}

void ClipboardPopupView::refreshShelf() {
  shelfRows_->setRows(model_.shelfItems());
  const int count = shelfRows_->rowCount();
  const bool showsFiles = count > 0 && !model_.isDroppingFiles();
  shelfDropZone_->setText(qText(model_.shelfEmptyText()));
  shelfListFrame_->setVisible(showsFiles);
  if (showsFiles)
    shelfDropZone_->setFixedHeight(dropZoneHeight);
  else
    shelfDropZone_->setMaximumHeight(QWIDGETSIZE_MAX);
  shelfDropZone_->setMinimumHeight(showsFiles ? dropZoneHeight : 0);

  inlineShelf_->setVisible(model_.showsInlineShelf());
  inlineCount_->setText(QString::number(count));
  const std::string hint = model_.inlineShelfHint();
  inlineHint_->setText(qText(hint));
  inlineHint_->setVisible(!hint.empty());
  inlineList_->setVisible(hint.empty());
  fitShelfChips();
  shelfList_->viewport()->update();
  inlineList_->viewport()->update();
}

// The strip's width is the popup's, so the chips that fit are known before the strip is laid
// out; "+N" takes room only when some file does not fit.
void ClipboardPopupView::fitShelfChips() {
  const std::vector<FileShelfItem>& items = model_.shelfItems();
  const QMargins margins = layout()->contentsMargins();
  int room = width() - margins.left() - margins.right() - inlineTitle_->sizeHint().width() -
             inlineCount_->sizeHint().width() - 2 * stripSpacing;
  int shown = ShelfChipDelegate::countThatFits(items, room);
  const auto hidden = [&] { return static_cast<int>(items.size()) - shown; };
  if (hidden() > 0) {
    shelfMore_->setText(QStringLiteral("+%1").arg(hidden()));
    room -= shelfMore_->sizeHint().width() + stripSpacing;
    shown = ShelfChipDelegate::countThatFits(items, room);
    shelfMore_->setText(QStringLiteral("+%1").arg(hidden()));
  }
  shelfMore_->setVisible(hidden() > 0 && inlineList_->isVisibleTo(inlineShelf_));
  shelfChips_->setRows({items.begin(), items.begin() + shown});
}

void ClipboardPopupView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fitShelfChips();
}

// Only drags from other applications: a row dragged out of the shelf and let go over the popup
// stays as it is.
void ClipboardPopupView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() != nullptr || !event->mimeData()->hasUrls())
    return;
  event->acceptProposedAction();
  model_.setDroppingFiles(true);
}

void ClipboardPopupView::dragMoveEvent(QDragMoveEvent* event) {
  event->acceptProposedAction();
}

void ClipboardPopupView::dragLeaveEvent(QDragLeaveEvent*) {
  model_.setDroppingFiles(false);
}

void ClipboardPopupView::dropEvent(QDropEvent* event) {
  std::vector<std::string> urls;
  for (const QUrl& url : event->mimeData()->urls())
    urls.push_back(url.toString(QUrl::FullyEncoded).toStdString());
  event->acceptProposedAction();
  model_.dropFiles(urls);
}

void ClipboardPopupView::refreshRows() {
  rows_->setRows(model_.filteredItems());
  const bool empty = rows_->rowCount() == 0;
  empty_->setText(QString::fromStdString(model_.emptyText()));
  listOrEmpty_->setCurrentWidget(empty ? static_cast<QWidget*>(empty_) : listFrame_);
  list_->viewport()->update();
}

void ClipboardPopupView::setColorScheme(ColorScheme scheme) {
  if (scheme == scheme_)
    return;
  scheme_ = scheme;
  applyScheme();
}

void ClipboardPopupView::applyScheme() {
  search_->applyScheme();
  for (QListView* list : {list_, shelfList_})
    list->verticalScrollBar()->setStyleSheet(thinScrollBarStyle(scheme_));
  inlineShelf_->setStyleSheet(
      QStringLiteral("QLabel#sectionTitle { color: %1; font-weight: 600; }"
                     "QLabel#sectionCount, QLabel#sectionHint { color: %2; }")
          .arg(themeColor(ColorToken::textSecondary, scheme_).name(),
               themeColor(ColorToken::textTertiary, scheme_).name()));
  update();
  for (QWidget* child : findChildren<QWidget*>())
    child->update();
}

void ClipboardPopupView::focusSearch() {
  search_->lineEdit()->setFocus(Qt::OtherFocusReason);
}

QLineEdit* ClipboardPopupView::searchField() const {
  return search_->lineEdit();
}

void ClipboardPopupView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  paintThemedCard(p, rect(), scheme_);
}

}  // namespace dovrik::ui
