// Decoding on a one-thread pool keeps the rows responsive while a large screenshot decodes, and
// leaves the machine's other cores to the user's applications.
#include "ui/ThumbnailCache.h"

#include <QImageReader>
#include <QMetaObject>
#include <algorithm>
#include <utility>

namespace dovrik::ui {
namespace {

// Scales to fill `pixels` and crops the overflow evenly on both sides.
QImage filled(const QImage& image, QSize pixels, qreal devicePixelRatio) {
  if (image.isNull())
    return {};
  QImage scaled = image.scaled(pixels, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
  QRect crop(QPoint(0, 0), pixels);
  crop.moveCenter(scaled.rect().center());
  QImage result = scaled.copy(crop).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  result.setDevicePixelRatio(devicePixelRatio);
  return result;
}

QImage decodeBytes(const Bytes& png, QSize pixels, qreal devicePixelRatio) {
  QImage image;
  if (!image.loadFromData(png.data(), static_cast<int>(png.size())))
    return {};
  return filled(image, pixels, devicePixelRatio);
}

// A photo of tens of megapixels is decoded at about the size it is shown, not whole.
QImage decodeFile(const QString& path, QSize pixels, qreal devicePixelRatio) {
  QImageReader reader(path);
  reader.setAutoTransform(true);
  const QSize full = reader.size();
  if (full.isValid() && full.width() > 2 * pixels.width() && full.height() > 2 * pixels.height())
    reader.setScaledSize(full.scaled(pixels * 2, Qt::KeepAspectRatioByExpanding));
  return filled(reader.read(), pixels, devicePixelRatio);
}

}  // namespace

ThumbnailCache::ThumbnailCache(QSize size, int capacity, QObject* parent)
    : QObject(parent), size_(size), capacity_(std::max(1, capacity)) {
  pool_.setMaxThreadCount(1);
}

ThumbnailCache::~ThumbnailCache() {
  pool_.clear();
  pool_.waitForDone();
}

QImage ThumbnailCache::thumbnail(const ClipboardItem& item, qreal devicePixelRatio) {
  if (!item.imageData)
    return {};
  return lookUp(Key{QString::fromStdString(item.id.toString()), devicePixelRatio},
                [png = item.imageData, devicePixelRatio](QSize pixels) {
                  return decodeBytes(*png, pixels, devicePixelRatio);
                });
}

QImage ThumbnailCache::fileThumbnail(const QString& path, qreal devicePixelRatio) {
  return lookUp(Key{path, devicePixelRatio}, [path, devicePixelRatio](QSize pixels) {
    return decodeFile(path, pixels, devicePixelRatio);
  });
}

template <typename Decode>
QImage ThumbnailCache::lookUp(const Key& key, Decode decode) {
  if (const auto found = images_.constFind(key); found != images_.cend()) {
    order_.remove(key);
    order_.push_back(key);
    return *found;
  }
  if (pending_.contains(key))
    return {};
  pending_.insert(key);
  const QSize pixels = size_ * key.devicePixelRatio;
  pool_.start([this, key, pixels, decode = std::move(decode)] {
    QImage image = decode(pixels);
    QMetaObject::invokeMethod(
        this, [this, key, image = std::move(image)]() mutable { store(key, std::move(image)); },
        Qt::QueuedConnection);
  });
  return {};
}
void ThumbnailCache::store(const Key& key, QImage image) {
  pending_.remove(key);
  images_.insert(key, std::move(image));
  order_.push_back(key);
  while (static_cast<int>(order_.size()) > capacity_) {
    images_.remove(order_.front());
    order_.pop_front();
  }
  Q_EMIT thumbnailReady(key.id);
}

}  // namespace dovrik::ui
