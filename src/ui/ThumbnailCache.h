// Small pictures of image entries and image files for the popup's rows: decoded and scaled off
// the main thread, kept for the most recently shown ones, announced when one becomes ready.
#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <list>

#include "core/clipboard/ClipboardItem.h"

namespace dovrik::ui {

class ThumbnailCache : public QObject {
  Q_OBJECT

 public:
  // `size` in device-independent pixels; pictures are cropped to fill it.
  explicit ThumbnailCache(QSize size, int capacity = 64, QObject* parent = nullptr);
  // Waits for a running decode; pictures not yet handed back are dropped.
  ~ThumbnailCache() override;

  // The ready picture at the given pixel density, or a null image while it is being decoded
  // (the first request starts that) and for bytes that are not a picture.
  QImage thumbnail(const ClipboardItem& item, qreal devicePixelRatio);
  // The same for the picture in the file at `path`; large files are read scaled down.
  QImage fileThumbnail(const QString& path, qreal devicePixelRatio);

 Q_SIGNALS:
  // `id` is the entry's id as text, or the file's path.
  void thumbnailReady(const QString& id);

 private:
  struct Key {
    QString id;
    qreal devicePixelRatio = 1;
    friend bool operator==(const Key&, const Key&) = default;
    friend size_t qHash(const Key& key, size_t seed) {
      return qHashMulti(seed, key.id, key.devicePixelRatio);
    }
  };

  // Returns the ready picture, or starts `decode` (given the size in device pixels) once.
  template <typename Decode>
  QImage lookUp(const Key& key, Decode decode);
  void store(const Key& key, QImage image);

  QSize size_;
  int capacity_;
  // Pictures, and null images for bytes that did not decode, so they are not decoded again.
  QHash<Key, QImage> images_;
  // Least recently used first.
  std::list<Key> order_;
  QSet<Key> pending_;
  QThreadPool pool_;
};

}  // namespace dovrik::ui
