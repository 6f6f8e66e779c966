#include "paint/files/metadata.h"

#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>

#include <algorithm>
#include <array>
#include <mutex>
#include <string>
#include <string_view>

#include "common/i18n.h"
#include "paint/files/profile_chunks.h"

namespace paint {
namespace {

using Key = std::string_view;

// Where it was taken: coordinates and place names.
constexpr std::array<Key, 11> kLocation = {"Exif.GPSInfo.",
                                           "Xmp.exif.GPS",
                                           "Xmp.photoshop.City",
                                           "Xmp.photoshop.State",
                                           "Xmp.photoshop.Country",
                                           "Xmp.iptc.Location",
                                           "Xmp.iptc.CountryCode",
                                           "Xmp.iptcExt.Location",
                                           "Iptc.Application2.City",
                                           "Iptc.Application2.SubLocation",
                                           "Iptc.Application2.Country"};
constexpr std::array<Key, 3> kMoreLocation = {"Iptc.Application2.ProvinceState",
                                              "Iptc.Application2.LocationCode",
                                              "Iptc.Application2.LocationName"};
// Whom it names: who took it, owns the camera, is in it, or wrote about it.
constexpr std::array<Key, 16> kPersonal = {"Exif.Image.Artist",
                                           "Exif.Image.XPAuthor",
                                           "Exif.Photo.CameraOwnerName",
                                           "Xmp.dc.creator",
                                           "Xmp.iptcExt.PersonInImage",
                                           "Xmp.mwg-rs.Regions",
                                           "Xmp.MP.RegionInfo",
                                           "Xmp.iptc.CreatorContactInfo",
                                           "Xmp.photoshop.AuthorsPosition",
                                           "Xmp.photoshop.CaptionWriter",
                                           "Xmp.exifEX.CameraOwnerName",
                                           "Xmp.aux.OwnerName",
                                           "Iptc.Application2.Byline",
                                           "Iptc.Application2.Writer",
                                           "Iptc.Application2.Contact",
                                           "Xmp.photoshop.Credit"};
// What tells one camera or lens from another of the same kind.
constexpr std::array<Key, 7> kSerials = {
    "Exif.Photo.BodySerialNumber", "Exif.Photo.LensSerialNumber", "Exif.Image.CameraSerialNumber",
    "Xmp.aux.SerialNumber",        "Xmp.aux.LensSerialNumber",    "Xmp.exifEX.BodySerialNumber",
    "Xmp.exifEX.LensSerialNumber"};
// The first picture's layout in the file it came from, which the new file
// has of its own; the profile travels apart.
constexpr std::array<Key, 21> kStructure = {"ImageWidth",
                                            "ImageLength",
                                            "BitsPerSample",
                                            "Compression",
                                            "PhotometricInterpretation",
                                            "StripOffsets",
                                            "SamplesPerPixel",
                                            "RowsPerStrip",
                                            "StripByteCounts",
                                            "PlanarConfiguration",
                                            "TileWidth",
                                            "TileLength",
                                            "TileOffsets",
                                            "TileByteCounts",
                                            "SubIFDs",
                                            "JPEGInterchangeFormat",
                                            "JPEGInterchangeFormatLength",
                                            "InterColorProfile",
                                            "NewSubfileType",
                                            "ExtraSamples",
                                            "SampleFormat"};

bool Named(const std::string& key, Key prefix) {
  return std::string_view(key).substr(0, prefix.size()) == prefix;
}
template <size_t N>
bool AnyNamed(const std::string& key, const std::array<Key, N>& prefixes) {
  return std::any_of(prefixes.begin(), prefixes.end(), [&](Key p) { return Named(key, p); });
}

// The XMP toolkit is set up once, with a lock: reading and saving run aside.
std::mutex xmpLock;
void LockXmp(void* data, bool lock) {
  auto* mutex = static_cast<std::mutex*>(data);
  if (lock) {
    mutex->lock();
  } else {
    mutex->unlock();
  }
}
void Ready() {
  static const bool ready = [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    return Exiv2::XmpParser::initialize(LockXmp, &xmpLock);
  }();
  (void)ready;
}

const Exiv2::byte* Bytes(const QByteArray& data) {
  return reinterpret_cast<const Exiv2::byte*>(data.constData());
}

// The three kinds parsed, to be looked at or changed, and packed again.
struct Parsed {
  Exiv2::ExifData exif;
  Exiv2::XmpData xmp;
  Exiv2::IptcData iptc;
  Exiv2::ByteOrder order = Exiv2::littleEndian;
};

Parsed Parse(const PhotoDetails& details) {
  Ready();
  Parsed parsed;
  if (!details.exif.isEmpty())
    parsed.order = Exiv2::ExifParser::decode(parsed.exif, Bytes(details.exif),
                                             static_cast<uint32_t>(details.exif.size()));
  if (!details.xmp.isEmpty()) Exiv2::XmpParser::decode(parsed.xmp, details.xmp.toStdString());
  if (!details.iptc.isEmpty())
    Exiv2::IptcParser::decode(parsed.iptc, Bytes(details.iptc),
                              static_cast<uint32_t>(details.iptc.size()));
  return parsed;
}

template <class Data>
bool AnyKey(const Data& data, const auto& test) {
  return std::any_of(data.begin(), data.end(),
                     [&](const auto& datum) { return test(datum.key()); });
}
template <class Data>
void EraseKeys(Data& data, const auto& test) {
  for (auto at = data.begin(); at != data.end();) at = test(at->key()) ? data.erase(at) : ++at;
}

bool Locating(const std::string& key) {
  return AnyNamed(key, kLocation) || AnyNamed(key, kMoreLocation);
}
bool Naming(const std::string& key) {
  return AnyNamed(key, kPersonal) || key.find("OwnerName") != std::string::npos;
}
bool Revealing(const std::string& key) {
  if (Locating(key) || Naming(key) || AnyNamed(key, kSerials)) return true;
  if (key == "Exif.Photo.MakerNote" || Named(key, "Exif.MakerNote.")) return true;
  const size_t dot = key.find('.', 5);
  return Named(key, "Exif.") && dot != std::string::npos &&
         Exiv2::ExifTags::isMakerGroup(key.substr(5, dot - 5));
}

PhotoDetails Pack(Parsed& parsed, const QByteArray& profile) {
  PhotoDetails details;
  details.profile = profile;
  // Place names alone count; a GPS group without coordinates does not.
  details.located =
      AnyKey(parsed.exif,
             [](const std::string& key) {
               return key == "Exif.GPSInfo.GPSLatitude" || key == "Exif.GPSInfo.GPSLongitude";
             }) ||
      AnyKey(parsed.xmp, Locating) || AnyKey(parsed.iptc, Locating);
  details.personal =
      AnyKey(parsed.exif, Naming) || AnyKey(parsed.xmp, Naming) || AnyKey(parsed.iptc, Naming);
  if (!parsed.exif.empty()) {
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, parsed.order, parsed.exif);
    details.exif =
        QByteArray(reinterpret_cast<const char*>(blob.data()), static_cast<qsizetype>(blob.size()));
  }
  if (!parsed.xmp.empty()) {
    std::string packet;
    if (Exiv2::XmpParser::encode(packet, parsed.xmp, Exiv2::XmpParser::useCompactFormat) == 0)
      details.xmp = QByteArray::fromStdString(packet);
  }
  if (!parsed.iptc.empty()) {
    const Exiv2::DataBuf records = Exiv2::IptcParser::encode(parsed.iptc);
    details.iptc = QByteArray(reinterpret_cast<const char*>(records.pData_), records.size_);
  }
  return details;
}

// As the opened picture is: upright, no thumbnail, no other pictures' or
// the old file's layout.
PhotoDetails Tidied(Parsed& parsed, const QByteArray& profile) {
  for (auto at = parsed.exif.begin(); at != parsed.exif.end();) {
    const std::string group = at->groupName();
    const bool kept = group == "Photo" || group == "GPSInfo" || group == "Iop" ||
                      group == "MakerNote" || Exiv2::ExifTags::isMakerGroup(group) ||
                      (group == "Image" && std::find(kStructure.begin(), kStructure.end(),
                                                     at->tagName()) == kStructure.end());
    at = kept ? ++at : parsed.exif.erase(at);
  }
  if (auto at = parsed.exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
      at != parsed.exif.end())
    at->setValue("1");
  EraseKeys(parsed.xmp, [](const std::string& key) { return Named(key, "Xmp.xmp.Thumbnails"); });
  if (auto at = parsed.xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation")); at != parsed.xmp.end())
    at->setValue("1");
  return Pack(parsed, profile);
}

}  // namespace

PhotoDetails ReadDetails(const QByteArray& bytes) {
  try {
    Ready();
    auto image = Exiv2::ImageFactory::open(Bytes(bytes), static_cast<long>(bytes.size()));
    if (!image.get()) return {};
    const int type = image->imageType();
    if (type != Exiv2::ImageType::jpeg && type != Exiv2::ImageType::png &&
        type != Exiv2::ImageType::webp && type != Exiv2::ImageType::tiff)
      return {};
    image->readMetadata();
    Parsed parsed;
    parsed.order = image->byteOrder() == Exiv2::bigEndian ? Exiv2::bigEndian : Exiv2::littleEndian;
    parsed.exif = image->exifData();
    parsed.iptc = image->iptcData();
    if (!image->xmpPacket().empty()) Exiv2::XmpParser::decode(parsed.xmp, image->xmpPacket());
    QByteArray profile;
    if (image->iccProfileDefined())
      profile = QByteArray(reinterpret_cast<const char*>(image->iccProfile()->pData_),
                           image->iccProfile()->size_);
    return Tidied(parsed, profile);
  } catch (const std::exception&) {
    return {};  // details a reader cannot make sense of are not the user's picture
  }
}

PhotoDetails DetailsOf(const QByteArray& exif, const QByteArray& xmp, const QByteArray& profile) {
  try {
    Ready();
    PhotoDetails raw;
    raw.exif = exif;
    raw.xmp = xmp;
    Parsed parsed = Parse(raw);
    return Tidied(parsed, profile);
  } catch (const std::exception&) {
    PhotoDetails details;
    details.profile = profile;
    return details;
  }
}

PhotoDetails Shareable(const PhotoDetails& details) {
  if (!details.located && !details.personal) return details;
  try {
    Parsed parsed = Parse(details);
    EraseKeys(parsed.exif, Revealing);
    EraseKeys(parsed.xmp, Revealing);
    EraseKeys(parsed.iptc, Revealing);
    return Pack(parsed, details.profile);
  } catch (const std::exception&) {
    // What cannot be looked through cannot be shared.
    PhotoDetails bare;
    bare.profile = details.profile;
    return bare;
  }
}

PhotoDetails Resized(const PhotoDetails& details, const QSize& size) {
  if (details.exif.isEmpty() && details.xmp.isEmpty()) return details;
  try {
    Parsed parsed = Parse(details);
    const auto width = static_cast<uint32_t>(size.width());
    const auto height = static_cast<uint32_t>(size.height());
    if (!parsed.exif.empty()) {
      parsed.exif["Exif.Photo.PixelXDimension"] = width;
      parsed.exif["Exif.Photo.PixelYDimension"] = height;
    }
    for (const auto& [key, value] :
         {std::pair{"Xmp.exif.PixelXDimension", width},
          std::pair{"Xmp.exif.PixelYDimension", height}, std::pair{"Xmp.tiff.ImageWidth", width},
          std::pair{"Xmp.tiff.ImageLength", height}})
      if (auto at = parsed.xmp.findKey(Exiv2::XmpKey(key)); at != parsed.xmp.end())
        at->setValue(std::to_string(value));
    PhotoDetails resized = Pack(parsed, details.profile);
    // IPTC is not looked at here: as it was, byte for byte.
    resized.iptc = details.iptc;
    return resized;
  } catch (const std::exception&) {
    return details;
  }
}

bool CarriesDetails(const QByteArray& format) {
  return format == "jpg" || format == "jpeg" || format == "png" || format == "webp" ||
         format == "tif" || format == "tiff" || format == "heic" || format == "heif" ||
         format == "avif" || format == "jxl";
}

QString EmbedDetails(QByteArray& file, const QByteArray& format, const PhotoDetails& details) {
  if (details.Empty()) return {};
  try {
    Ready();
    auto image = Exiv2::ImageFactory::open(Bytes(file), static_cast<long>(file.size()));
    if (!image.get()) return common::Tr("paint", "its details could not be written");
    const Parsed parsed = Parse(details);
    image->setExifData(parsed.exif);
    image->setIptcData(parsed.iptc);
    if (!details.xmp.isEmpty()) image->setXmpPacket(details.xmp.toStdString());
    if (!details.profile.isEmpty()) {
      Exiv2::DataBuf profile(Bytes(details.profile), static_cast<long>(details.profile.size()));
      image->setIccProfile(profile, false);
    }
    image->writeMetadata();
    Exiv2::BasicIo& io = image->io();
    if (io.open() != 0) return common::Tr("paint", "its details could not be written");
    const long size = io.size();
    const Exiv2::byte* data = io.mmap();
    file = QByteArray(reinterpret_cast<const char*>(data), size);
    io.munmap();
    io.close();
    if (format == "png" && !details.profile.isEmpty()) NamePngProfile(file);
    if (format == "webp" && !details.profile.isEmpty()) NameWebpProfile(file);
    return {};
  } catch (const std::exception& error) {
    return common::Tr("paint", "its details could not be written (%1)")
        .arg(QString::fromLocal8Bit(error.what()));
  }
}

}  // namespace paint
