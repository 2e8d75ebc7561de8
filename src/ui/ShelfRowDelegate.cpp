// Shelf row painting; what a row says comes from the popup's model.
#include "ui/ShelfRowDelegate.h"

#include <QPainter>

#include "ui/PopupFonts.h"
#include "ui/PopupRowMetrics.h"
#include "ui/PopupSymbols.h"
#include "ui/ThemeColors.h"

namespace dovrik::ui {
namespace {

using row::gap;
using row::padding;
using row::radius;

}  // namespace

ShelfRowDelegate::ShelfRowDelegate(const ClipboardPopupModel& popup, const ShelfRowsModel& rows,
                                   FileIconCache& icons, const ColorScheme& scheme, QObject* parent)
    : QStyledItemDelegate(parent), popup_(popup), rows_(rows), icons_(icons), scheme_(scheme) {}

// The list gives every row its viewport's width, whatever the hint says.
QSize ShelfRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {0, rowHeight};
}

void ShelfRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= rows_.rowCount())
    return;
  const FileShelfItem& item = rows_.item(index.row());
  QPainter& p = *painter;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF row = QRectF(option.rect).adjusted(0, 1, 0, -1);
  const bool isNew = popup_.isNewlyAdded(item);
  const bool highlighted = isNew || option.state.testFlag(QStyle::State_MouseOver);
  if (highlighted) {
    p.setPen(Qt::NoPen);
    p.setBrush(isNew ? accentColor(option.widget ? option.widget->palette() : QPalette())
                           .lighter(scheme_ == ColorScheme::dark ? 60 : 170)
                     : themeColor(ColorToken::hover, scheme_));
    p.drawRoundedRect(row, radius, radius);
  }

  const int size = FileIconCache::iconSize;
  const QRectF icon(row.left() + padding, row.center().y() - size / 2.0, size, size);
  // Only the picture fades for a file that is gone; its words stay readable.
  p.setOpacity(item.isReachable ? 1.0 : 0.45);
  icons_.paint(p, icon, item, option.widget ? option.widget->devicePixelRatioF() : 1.0);
  p.setOpacity(1.0);

  const QFont small = popupFont(11);
  const QString trailing =
      item.isReachable ? QString::fromStdString(popup_.shelfAge(item)) : QStringLiteral("Missing");
  const double trailingWidth = QFontMetrics(small).horizontalAdvance(trailing);
  double right = row.right() - padding - 2;
  p.setFont(small);
  // The faintest text falls short of readable on a highlight.
  const ColorToken age = highlighted ? ColorToken::textSecondary : ColorToken::textTertiary;
  p.setPen(themeColor(item.isReachable ? age : ColorToken::danger, scheme_));
  p.drawText(QRectF(right - trailingWidth, row.top(), trailingWidth + 1, row.height()),
             Qt::AlignVCenter | Qt::AlignLeft, trailing);
  right -= trailingWidth;
  if (item.isPinned) {
    const double pin = 11;
    const QRectF box(right - 6 - pin, row.center().y() - pin / 2, pin, pin);
    paintPopupSymbol(p, "pin.fill", box, themeColor(ColorToken::textSecondary, scheme_));
    right = box.left();
  }

  const QRectF title(icon.right() + gap, row.top(), right - gap - icon.right() - gap, row.height());
  QFont font = popupFont(13);
  font.setStrikeOut(!item.isReachable);
  p.setFont(font);
  p.setPen(
      themeColor(item.isReachable ? ColorToken::textPrimary : ColorToken::textSecondary, scheme_));
  const QString name = QString::fromStdString(ClipboardPopupModel::shelfRowTitle(item));
  p.drawText(title, Qt::AlignVCenter | Qt::AlignLeft,
             QFontMetrics(font).elidedText(name, Qt::ElideMiddle, static_cast<int>(title.width())));
  p.restore();
}

}  // namespace dovrik::ui
