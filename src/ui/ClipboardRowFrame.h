// Holds the clipboard list and gives it the tallest height of whole rows that fits, so the
// popup never shows a row cut in half; what is left over stays empty below the list.
#pragma once

#include <QWidget>

class QListView;

namespace dovrik::ui {

class ClipboardRowFrame : public QWidget {
 public:
  // Takes `list` as its child; every row of the list is `rowHeight` tall.
  ClipboardRowFrame(QListView* list, int rowHeight, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QListView* list_;
  int rowHeight_;
};

}  // namespace dovrik::ui
