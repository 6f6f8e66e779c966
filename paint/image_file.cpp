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
    QString reason =
        file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
    file.cancelWriting();
    return reason;
  }
  if (!file.commit()) return file.errorString();
  return {};
}

ReadResult ReadImage(const QString& path, const QSize& fits) {
  QImageReader reader(path);
  const QSize size = reader.size();
  reader.setAutoTransform(true);
  // Formats that can decode a part need not decode the rest.
  const bool clip = reader.supportsOption(QImageIOHandler::ClipRect) && size.isValid() &&
                    reader.transformation() == QImageIOHandler::TransformationNone;
  if (clip) reader.setClipRect(QRect(QPoint(0, 0), size.boundedTo(fits)));
  ReadResult result;
  result.image = reader.read();
  if (result.image.isNull()) result.error = reader.errorString();
  const QSize read = clip ? size : result.image.size();
  result.whole = read.width() <= fits.width() && read.height() <= fits.height();
  return result;
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
