// Row painting. Everything a row shows comes from the popup's model; the delegate only lays
// it out.
#include "ui/ClipboardRowDelegate.h"

#include <QPainter>
#include <QPainterPath>

#include "core/clipboard/ClipboardText.h"
#include "ui/PopupFonts.h"
#include "ui/PopupRowMetrics.h"
#include "ui/PopupSymbols.h"
#include "ui/ThemeColors.h"

namespace dovrik::ui {
namespace {

using row::gap;
using row::padding;
using row::radius;

const char* kindSymbol(ClipboardKind kind) {
  switch (kind) {
    case ClipboardKind::link:
      return "link";
    case ClipboardKind::image:
      return "photo";
    case ClipboardKind::text:
      break;
  }
  return "doc.text";
}

}  // namespace

ClipboardRowDelegate::ClipboardRowDelegate(const ClipboardPopupModel& popup,
                                           const ClipboardRowsModel& rows,
                                           ThumbnailCache& thumbnails, const ColorScheme& scheme,
                                           QObject* parent)
    : QStyledItemDelegate(parent),
      popup_(popup),
      rows_(rows),
      thumbnails_(thumbnails),
      scheme_(scheme) {}

// The list gives every row its viewport's width, whatever the hint says.
QSize ClipboardRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {0, rowHeight};
}

void ClipboardRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= rows_.rowCount())
    return;
  const ClipboardItem& item = rows_.item(index.row());
  QPainter& p = *painter;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF row = QRectF(option.rect).adjusted(0, 1, 0, -1);

  // The row being pasted keeps the lighter highlight, on which its green mark still reads.
  const bool copied = popup_.isCopied(item);
  const bool selected = popup_.isSelected(index.row()) && !copied;
  const bool highlighted = selected || copied || option.state.testFlag(QStyle::State_MouseOver);
  if (highlighted) {
    p.setPen(Qt::NoPen);
    p.setBrush(themeColor(selected ? ColorToken::selection : ColorToken::hover, scheme_));
    p.drawRoundedRect(row, radius, radius);
  }

  const QRectF leading(row.left() + padding, row.center().y() - thumbnailSize / 2.0, thumbnailSize,
                       thumbnailSize);
  paintLeading(p, leading, item, option.widget);

  const double trailingLeft = paintTrailing(p, row, item, highlighted);
  const QRectF title(leading.right() + gap, row.top(), trailingLeft - gap - leading.right() - gap,
                     row.height());
  const QFont font = popupFont(13);
  const QString text =
      QString::fromStdString(std::string(firstLine(ClipboardPopupModel::rowTitle(item))));
  p.setFont(font);
  p.setPen(themeColor(ColorToken::textPrimary, scheme_));
  p.drawText(title, Qt::AlignVCenter | Qt::AlignLeft,
             QFontMetrics(font).elidedText(text, Qt::ElideRight, static_cast<int>(title.width())));
  p.restore();
}

void ClipboardRowDelegate::paintLeading(QPainter& p, const QRectF& box, const ClipboardItem& item,
                                        const QWidget* view) const {
  if (item.kind == ClipboardKind::image) {
    const qreal ratio = view ? view->devicePixelRatioF() : 1.0;
    const QImage thumbnail = thumbnails_.thumbnail(item, ratio);
    if (!thumbnail.isNull()) {
      QPainterPath clip;
      clip.addRoundedRect(box, 5, 5);
      p.save();
      p.setClipPath(clip);
      p.drawImage(box, thumbnail);
      p.restore();
      p.setPen(QPen(themeColor(ColorToken::hairline, scheme_), 1));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
      return;
    }
  }
  p.setPen(Qt::NoPen);
  p.setBrush(themeColor(ColorToken::hover, scheme_));
  p.drawRoundedRect(box, 6, 6);
  const QColor ink = item.kind == ClipboardKind::link
                         ? accentColor(view ? view->palette() : QPalette())
                         : themeColor(ColorToken::textSecondary, scheme_);
  paintPopupSymbol(p, kindSymbol(item.kind), box.adjusted(5.5, 5.5, -5.5, -5.5), ink);
}

double ClipboardRowDelegate::paintTrailing(QPainter& p, const QRectF& row,
                                           const ClipboardItem& item, bool highlighted) const {
  double right = row.right() - padding - 2;
  if (popup_.isCopied(item)) {
    const QFont font = popupFont(12, true);
    const QString copied = QStringLiteral("Copied");
    const double width = QFontMetrics(font).horizontalAdvance(copied);
    p.setFont(font);
    p.setPen(themeColor(ColorToken::success, scheme_));
    p.drawText(QRectF(right - width, row.top(), width + 1, row.height()),
               Qt::AlignVCenter | Qt::AlignLeft, copied);
    return right - width;
  }

  const QFont small = popupFont(11);
  const QFontMetrics metrics(small);
  const QString age = QString::fromStdString(popup_.age(item));
  const double ageWidth = metrics.horizontalAdvance(age);
  p.setFont(small);
  // The faintest text falls short of readable on a highlight.
  p.setPen(themeColor(highlighted ? ColorToken::textSecondary : ColorToken::textTertiary, scheme_));
  p.drawText(QRectF(right - ageWidth, row.top(), ageWidth + 1, row.height()),
             Qt::AlignVCenter | Qt::AlignLeft, age);
  right -= ageWidth;

  if (item.kind == ClipboardKind::image) {
    const QFont badgeFont = popupFont(10, true);
    const QString badge = QStringLiteral("Image");
    const double badgeWidth = QFontMetrics(badgeFont).horizontalAdvance(badge) + 10;
    const QRectF pill(right - 6 - badgeWidth, row.center().y() - 8, badgeWidth, 16);
    p.setPen(QPen(themeColor(ColorToken::border, scheme_), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(pill.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.setFont(badgeFont);
    p.setPen(themeColor(ColorToken::textSecondary, scheme_));
    p.drawText(pill, Qt::AlignCenter, badge);
    right = pill.left();
  }
  if (item.isPinned) {
    const double pin = 11;
    const QRectF box(right - 6 - pin, row.center().y() - pin / 2, pin, pin);
    paintPopupSymbol(p, "pin.fill", box, themeColor(ColorToken::textSecondary, scheme_));
    right = box.left();
  }
  if (const std::optional<int> number = popup_.stackNumber(item)) {
    const double size = 16;
    const QRectF badge(right - 6 - size, row.center().y() - size / 2, size, size);
    p.setPen(Qt::NoPen);
    p.setBrush(accentColor(QPalette()));
    p.drawEllipse(badge);
    p.setFont(popupFont(10, true));
    p.setPen(Qt::white);
    p.drawText(badge, Qt::AlignCenter, QString::number(*number));
    right = badge.left();
  }
  return right;
}

}  // namespace dovrik::ui
