// Draws one clipboard entry as a row of the popup's list: leading symbol or thumbnail, the
// title, and on the right the "Copied" mark or the entry's age, a pin and an image badge.
#pragma once

#include <QStyledItemDelegate>

#include "core/clipboard/ClipboardPopupModel.h"
#include "core/theme/ColorScheme.h"
#include "ui/ClipboardRowsModel.h"
#include "ui/ThumbnailCache.h"

namespace dovrik::ui {

class ClipboardRowDelegate : public QStyledItemDelegate {
 public:
  static constexpr int rowHeight = 30;
  static constexpr int thumbnailSize = 22;

  // All four belong to the view that holds the delegate and outlive it.
  ClipboardRowDelegate(const ClipboardPopupModel& popup, const ClipboardRowsModel& rows,
                       ThumbnailCache& thumbnails, const ColorScheme& scheme,
                       QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  void paintLeading(QPainter& p, const QRectF& box, const ClipboardItem& item,
                    const QWidget* view) const;
  // Draws the right-hand marks from `right` leftwards; returns where they begin.
  double paintTrailing(QPainter& p, const QRectF& row, const ClipboardItem& item,
                       bool highlighted) const;

  const ClipboardPopupModel& popup_;
  const ClipboardRowsModel& rows_;
  ThumbnailCache& thumbnails_;
  const ColorScheme& scheme_;
};

}  // namespace dovrik::ui
