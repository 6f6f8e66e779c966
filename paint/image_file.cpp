#include "paint/image_file.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QStringList>

namespace paint {

QString WriteImage(const QString& path, const QImage& image) {
  QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
  if (format.isEmpty()) format = "png";
  if (!QImageWriter::supportedImageFormats().contains(format))
    return QStringLiteral(
               "\"%1\" is not an image type that can be written (use .png, .bmp or "
               ".jpg)")
        .arg(QString::fromLatin1(format));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  QImageWriter writer(&file, format);
  if (!writer.write(image)) {
    const QString reason =
        file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
    file.cancelWriting();
    return reason;
  }
  if (!file.commit()) return file.errorString();
  return {};
}

QImage ReadImage(const QString& path, const QSize& fits, QString* error) {
  QImageReader reader(path);
  reader.setAutoTransform(true);
  // Formats that can decode a part need not decode the rest.
  if (reader.supportsOption(QImageIOHandler::ClipRect) && reader.size().isValid() &&
      reader.transformation() == QImageIOHandler::TransformationNone)
    reader.setClipRect(QRect(QPoint(0, 0), reader.size().boundedTo(fits)));
  QImage image = reader.read();
  if (image.isNull()) *error = reader.errorString();
  return image;
}

QString OpenFilters() {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats())
    patterns << QStringLiteral("*.") + QString::fromLatin1(format);
  return QStringLiteral("Images (%1);;All files (*)").arg(patterns.join(u' '));
}

QString SaveFilters() {
  return QStringLiteral("PNG image (*.png);;BMP image (*.bmp);;JPEG image (*.jpg *.jpeg)");
}

}  // namespace paint
