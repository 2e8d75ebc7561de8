// Image and text conversions of clipboard content through Qt.
#include "linux/clipboard/ClipboardBytes.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <utility>

namespace dovrik::clipboard {

std::optional<Bytes> convertToPNG(const std::string& image) {
  QImage decoded;
  if (!decoded.loadFromData(QByteArray::fromRawData(image.data(), static_cast<int>(image.size()))))
    return std::nullopt;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!decoded.save(&buffer, "PNG"))
    return std::nullopt;
  return Bytes(png.begin(), png.end());
}

bool isReadablePNG(const Bytes& bytes) {
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<int>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "png");
  return reader.canRead() && reader.size().isValid();
}

std::string mendedUtf8(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

void mendInBackground(Background& background, std::string bytes,
                      std::function<void(std::string)> done) {
  background.run(
      std::function<std::string()>([bytes = std::move(bytes)] { return mendedUtf8(bytes); }),
      std::move(done));
}

void pngInBackground(Background& background, std::string image, bool isPng,
                     std::function<void(std::optional<Bytes>)> done) {
  background.run(std::function<std::optional<Bytes>()>(
                     [isPng, image = std::move(image)]() -> std::optional<Bytes> {
                       if (isPng)
                         return Bytes(image.begin(), image.end());
                       return convertToPNG(image);
                     }),
                 std::move(done));
}

}  // namespace dovrik::clipboard
