// Draws one shelf file as a chip of the strip under the clipboard list: the file's picture and
// its name in a pill, so several files fit on one line.
#pragma once

#include <QStyledItemDelegate>
#include <vector>

#include "core/clipboard/ClipboardPopupModel.h"
#include "core/theme/ColorScheme.h"
#include "ui/FileIconCache.h"
#include "ui/ShelfRowsModel.h"

namespace dovrik::ui {

class ShelfChipDelegate : public QStyledItemDelegate {
 public:
  static constexpr int chipHeight = 22;
  // Space after each chip, inside its cell, so the list needs no spacing of its own.
  static constexpr int chipGap = 4;

  // All four belong to the view that holds the delegate and outlive it.
  ShelfChipDelegate(const ClipboardPopupModel& popup, const ShelfRowsModel& chips,
                    FileIconCache& icons, const ColorScheme& scheme, QObject* parent = nullptr);

  // The cell's width, gap included: the whole name up to a cap, past which it is elided.
  static int cellWidth(const FileShelfItem& item);
  // How many of `items`, from the first, fit side by side in `width`.
  static int countThatFits(const std::vector<FileShelfItem>& items, int width);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const ClipboardPopupModel& popup_;
  const ShelfRowsModel& chips_;
  FileIconCache& icons_;
  const ColorScheme& scheme_;
};

}  // namespace dovrik::ui
