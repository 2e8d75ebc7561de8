// The list scrolls a row at a time (set up by the view), so with a height of whole rows every
// scroll position shows whole rows too.
#include "ui/ClipboardRowFrame.h"

#include <QListView>
#include <algorithm>

namespace dovrik::ui {

ClipboardRowFrame::ClipboardRowFrame(QListView* list, int rowHeight, QWidget* parent)
    : QWidget(parent), list_(list), rowHeight_(std::max(1, rowHeight)) {
  list_->setParent(this);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize ClipboardRowFrame::sizeHint() const {
  return {0, 4 * rowHeight_};
}

QSize ClipboardRowFrame::minimumSizeHint() const {
  return {0, rowHeight_};
}

void ClipboardRowFrame::resizeEvent(QResizeEvent*) {
  list_->setGeometry(0, 0, width(), height() / rowHeight_ * rowHeight_);
}

}  // namespace dovrik::ui
