#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace paint {

// A photo's details beside its pixels: the camera's EXIF (date taken,
// camera, exposure, location), XMP and IPTC, and the colour profile. They
// are kept as they fit the picture as opened: upright (orientation normal)
// and without the embedded thumbnail, which would show the old pixels.
struct PhotoDetails {
  QByteArray exif;        // a TIFF structure, as after "Exif\0\0" in a JPEG
  QByteArray xmp;         // an XMP packet
  QByteArray iptc;        // IPTC records
  QByteArray profile;     // an ICC colour profile
  bool located = false;   // says where it was taken
  bool personal = false;  // names a person (the author, the owner, who is in it)

  bool Empty() const {
    return exif.isEmpty() && xmp.isEmpty() && iptc.isEmpty() && profile.isEmpty();
  }
  bool operator==(const PhotoDetails&) const = default;
};

// The details of an encoded JPEG, PNG, WebP or TIFF; none for other kinds or
// on any trouble with them. Safe on any input, off the user-interface thread.
PhotoDetails ReadDetails(const QByteArray& bytes);

// The details from their parts as another container holds them (HEIF, JPEG
// XL): tidied as ReadDetails tidies them, located and personal told.
PhotoDetails DetailsOf(const QByteArray& exif, const QByteArray& xmp, const QByteArray& profile);

// The same without where it was taken and whom it names: GPS, place names,
// names, serial numbers and the maker's notes, which may hold any of them.
PhotoDetails Shareable(const PhotoDetails& details);

// The EXIF and XMP sizes set to the picture about to be written.
PhotoDetails Resized(const PhotoDetails& details, const QSize& size);

// Puts the details into an encoded JPEG, PNG, WebP or TIFF (format as
// FormatOf names it). The reason of a failure, or an empty string.
QString EmbedDetails(QByteArray& file, const QByteArray& format, const PhotoDetails& details);

// The formats EmbedDetails writes into, and those whose own writers carry
// the details (HEIF, AVIF, JPEG XL).
bool CarriesDetails(const QByteArray& format);

}  // namespace paint
