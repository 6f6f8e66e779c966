#pragma once

#include <QByteArray>

namespace paint {

// Mends what libexiv2 writes when it puts a colour profile into a file, so
// that strict readers take the file.
// A PNG's profile chunk gets the name the format requires.
void NamePngProfile(QByteArray& png);
// A WebP's profile chunk, named like the extended header, is named "ICCP".
void NameWebpProfile(QByteArray& webp);

}  // namespace paint
