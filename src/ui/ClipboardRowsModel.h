// The popup's visible rows as a Qt list model, so a list view lays out and scrolls only what
// is on screen.
#pragma once

#include <QAbstractListModel>
#include <vector>

#include "core/clipboard/ClipboardItem.h"

namespace dovrik::ui {

class ClipboardRowsModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void setRows(std::vector<ClipboardItem> rows);
  const ClipboardItem& item(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  // The row showing the entry with this id as text, or -1.
  int rowOf(const QString& id) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // The row's title, for accessibility and tests.
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<ClipboardItem> rows_;
};

}  // namespace dovrik::ui
