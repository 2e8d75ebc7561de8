// Draws one shelf file as a row: the file's icon, its name, and on the right its age and a pin;
// a file that was gone at the last check is drawn faded with "Missing", and the file just
// dropped is highlighted.
#pragma once

#include <QStyledItemDelegate>

#include "core/clipboard/ClipboardPopupModel.h"
#include "core/theme/ColorScheme.h"
#include "ui/FileIconCache.h"
#include "ui/ShelfRowsModel.h"

namespace dovrik::ui {

class ShelfRowDelegate : public QStyledItemDelegate {
 public:
  static constexpr int rowHeight = 30;

  // All four belong to the view that holds the delegate and outlive it.
  ShelfRowDelegate(const ClipboardPopupModel& popup, const ShelfRowsModel& rows,
                   FileIconCache& icons, const ColorScheme& scheme, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const ClipboardPopupModel& popup_;
  const ShelfRowsModel& rows_;
  FileIconCache& icons_;
  const ColorScheme& scheme_;
};

}  // namespace dovrik::ui
