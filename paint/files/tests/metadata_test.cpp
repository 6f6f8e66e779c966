// What a photo's details tell, and what sharing it takes out, without a window.
#include <gtest/gtest.h>

#include <exiv2/exiv2.hpp>

#include <QBuffer>
#include <QColorSpace>
#include <QImage>

#include "paint/files/metadata.h"

namespace paint {
namespace {

// A JPEG holding the one datum (EXIF, XMP or IPTC by its key) beside a
// date taken, which is neither a place nor a name.
QByteArray JpegWith(const std::string& key, const std::string& value) {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::gray);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "jpeg");
  auto file = Exiv2::ImageFactory::open(
      reinterpret_cast<const Exiv2::byte*>(buffer.data().constData()), buffer.size());
  Exiv2::ExifData exif;
  exif["Exif.Photo.DateTimeOriginal"] = "2024:05:01 10:20:30";
  Exiv2::XmpData xmp;
  Exiv2::IptcData iptc;
  if (key.starts_with("Exif.")) exif[key] = value;
  if (key.starts_with("Xmp.")) xmp[key] = value;
  if (key.starts_with("Iptc.")) iptc[key] = value;
  file->setExifData(exif);
  file->setXmpData(xmp);
  file->setIptcData(iptc);
  file->writeMetadata();
  Exiv2::BasicIo& io = file->io();
  io.open();
  const Exiv2::DataBuf all = io.read(io.size());
  return QByteArray(reinterpret_cast<const char*>(all.pData_), all.size_);
}

TEST(MetadataTest, PlacesAndNamesAreToldAndTakenOutForSharingAndNothingElse) {
  const struct {
    const char* key;
    const char* value;
    bool located, personal;
  } rows[] = {
      {"Exif.GPSInfo.GPSLongitude", "2/1 21/1 3/1", true, false},
      {"Exif.Image.Artist", "Ann Smith", false, true},
      {"Exif.Photo.CameraOwnerName", "Ann Smith", false, true},
      {"Xmp.dc.creator", "Ann Smith", false, true},
      {"Xmp.photoshop.City", "Paris", true, false},
      {"Xmp.exif.GPSLatitude", "48,51.4N", true, false},
      {"Iptc.Application2.Byline", "Ann Smith", false, true},
      {"Iptc.Application2.SubLocation", "Montmartre", true, false},
      {"Iptc.Application2.Subject", "IPTC:01000000", false, false},
      {"Exif.Image.Model", "Phone 12", false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.key);
    const PhotoDetails read = ReadDetails(JpegWith(row.key, row.value));
    EXPECT_EQ(read.located, row.located);
    EXPECT_EQ(read.personal, row.personal);
    const PhotoDetails shared = Shareable(read);
    EXPECT_FALSE(shared.located || shared.personal);
    const QByteArray all = shared.exif + shared.xmp + shared.iptc;
    EXPECT_EQ(all.contains(row.value), !row.located && !row.personal);
    EXPECT_TRUE(shared.exif.contains("2024:05:01 10:20:30")) << "the date taken stays";
  }
}

TEST(MetadataTest, DetailsGoIntoEveryFormatThatHoldsThemAndTheFileStillReads) {
  const QByteArray profile = QColorSpace(QColorSpace::DisplayP3).iccProfile();
  const PhotoDetails details = ReadDetails(JpegWith("Exif.Image.Model", "Phone 12"));
  for (const char* format : {"jpg", "png", "webp", "tif"}) {
    SCOPED_TRACE(format);
    QImage image(8, 8, QImage::Format_RGB32);  // no profile of its own
    image.fill(Qt::gray);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 100);  // a lossless WebP has no extended header
    QByteArray file = buffer.data();
    PhotoDetails with = details;
    with.profile = profile;
    EXPECT_EQ(EmbedDetails(file, format, with), QString());
    EXPECT_FALSE(QImage::fromData(file).isNull());
    EXPECT_EQ(ReadDetails(file).profile, profile);
    EXPECT_TRUE(ReadDetails(file).exif.contains("Phone 12"));
    if (QByteArray(format) == "png") {
      EXPECT_NE(file.at(file.indexOf("iCCP") + 4), '\0') << "the profile named, as PNG requires";
    }
  }
}

}  // namespace
}  // namespace paint
