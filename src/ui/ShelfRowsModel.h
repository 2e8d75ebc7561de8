// The shelf's files as a Qt list model; a row dragged out of the list carries its file as a
// `text/uri-list`, which every file manager and most applications take.
#pragma once

#include <QAbstractListModel>
#include <vector>

#include "core/shelf/FileShelfItem.h"

namespace dovrik::ui {

class ShelfRowsModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void setRows(std::vector<FileShelfItem> rows);
  const FileShelfItem& item(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // The row's title, for accessibility, tests and the tooltip of a chip whose name is cut.
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  Qt::DropActions supportedDragActions() const override;

 private:
  std::vector<FileShelfItem> rows_;
};

}  // namespace dovrik::ui
