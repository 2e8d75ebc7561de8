// Holding a copy of the shelf's rows and offering them to drag out.
#include "ui/ShelfRowsModel.h"

#include <QMimeData>
#include <QUrl>
#include <utility>

#include "core/clipboard/ClipboardPopupModel.h"

namespace dovrik::ui {

void ShelfRowsModel::setRows(std::vector<FileShelfItem> rows) {
  if (rows == rows_)
    return;
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int ShelfRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ShelfRowsModel::data(const QModelIndex& index, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid() ||
      index.row() >= rowCount())
    return {};
  return QString::fromStdString(ClipboardPopupModel::shelfRowTitle(item(index.row())));
}

Qt::ItemFlags ShelfRowsModel::flags(const QModelIndex& index) const {
  if (!index.isValid())
    return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList ShelfRowsModel::mimeTypes() const {
  return {QStringLiteral("text/uri-list")};
}

QMimeData* ShelfRowsModel::mimeData(const QModelIndexList& indexes) const {
  QList<QUrl> urls;
  for (const QModelIndex& index : indexes) {
    if (index.isValid() && index.row() < rowCount())
      urls.append(QUrl(QString::fromStdString(item(index.row()).url), QUrl::StrictMode));
  }
  auto* data = new QMimeData;
  data->setUrls(urls);
  return data;
}

Qt::DropActions ShelfRowsModel::supportedDragActions() const {
  return Qt::CopyAction | Qt::LinkAction;
}

}  // namespace dovrik::ui
