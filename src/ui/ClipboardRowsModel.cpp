// Holding a copy of the filtered rows between changes of the popup's model.
#include "ui/ClipboardRowsModel.h"

#include <utility>

#include "core/clipboard/ClipboardPopupModel.h"

namespace dovrik::ui {

void ClipboardRowsModel::setRows(std::vector<ClipboardItem> rows) {
  if (rows == rows_)
    return;
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int ClipboardRowsModel::rowOf(const QString& id) const {
  const std::string text = id.toStdString();
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (rows_[row].id.toString() == text)
      return static_cast<int>(row);
  }
  return -1;
}

int ClipboardRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ClipboardRowsModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
    return {};
  return QString::fromStdString(ClipboardPopupModel::rowTitle(item(index.row())));
}

}  // namespace dovrik::ui
