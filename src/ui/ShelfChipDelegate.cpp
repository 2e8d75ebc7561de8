// Chip painting and sizing; what a chip says comes from the popup's model.
#include "ui/ShelfChipDelegate.h"

#include <QPainter>
#include <algorithm>

#include "ui/PopupFonts.h"
#include "ui/ThemeColors.h"

namespace dovrik::ui {
namespace {

constexpr int inset = 4;
constexpr int pictureSize = 16;
constexpr int pictureGap = 4;
constexpr int trailingPadding = 7;
// Wide enough for a typical name, narrow enough that two chips and the count share the line.
constexpr int maxNameWidth = 50;

QFont chipFont() {
  return popupFont(12);
}

QString chipName(const FileShelfItem& item) {
  return QString::fromStdString(ClipboardPopupModel::shelfRowTitle(item));
}

}  // namespace

ShelfChipDelegate::ShelfChipDelegate(const ClipboardPopupModel& popup, const ShelfRowsModel& chips,
                                     FileIconCache& icons, const ColorScheme& scheme,
                                     QObject* parent)
    : QStyledItemDelegate(parent), popup_(popup), chips_(chips), icons_(icons), scheme_(scheme) {}

int ShelfChipDelegate::cellWidth(const FileShelfItem& item) {
  const int name =
      std::min(maxNameWidth, QFontMetrics(chipFont()).horizontalAdvance(chipName(item)));
  return inset + pictureSize + pictureGap + name + trailingPadding + chipGap;
}

int ShelfChipDelegate::countThatFits(const std::vector<FileShelfItem>& items, int width) {
  int count = 0;
  for (const FileShelfItem& item : items) {
    width -= cellWidth(item);
    if (width < 0)
      break;
    ++count;
  }
  return count;
}

QSize ShelfChipDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= chips_.rowCount())
    return {};
  return {cellWidth(chips_.item(index.row())), chipHeight};
}

void ShelfChipDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= chips_.rowCount())
    return;
  const FileShelfItem& item = chips_.item(index.row());
  QPainter& p = *painter;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF chip = QRectF(option.rect).adjusted(0.5, 0.5, -chipGap - 0.5, -0.5);
  const double radius = chip.height() / 2;
  const bool isNew = popup_.isNewlyAdded(item);
  p.setPen(QPen(themeColor(isNew ? ColorToken::border : ColorToken::hairline, scheme_), 1));
  p.setBrush(isNew || option.state.testFlag(QStyle::State_MouseOver)
                 ? themeColor(ColorToken::hover, scheme_)
                 : QColor(Qt::transparent));
  p.drawRoundedRect(chip, radius, radius);

  const QRectF picture(chip.left() + inset, chip.center().y() - pictureSize / 2.0, pictureSize,
                       pictureSize);
  // Only the picture fades for a file that is gone; its name stays readable.
  p.setOpacity(item.isReachable ? 1.0 : 0.45);
  icons_.paint(p, picture, item, option.widget ? option.widget->devicePixelRatioF() : 1.0);
  p.setOpacity(1.0);

  QFont font = chipFont();
  font.setStrikeOut(!item.isReachable);
  const QRectF name(picture.right() + pictureGap, chip.top(),
                    chip.right() - trailingPadding - picture.right() - pictureGap, chip.height());
  p.setFont(font);
  p.setPen(
      themeColor(item.isReachable ? ColorToken::textPrimary : ColorToken::textSecondary, scheme_));
  p.drawText(name, Qt::AlignVCenter | Qt::AlignLeft,
             QFontMetrics(font).elidedText(chipName(item), Qt::ElideRight,
                                           static_cast<int>(name.width()) + 1));
  p.restore();
}

}  // namespace dovrik::ui
