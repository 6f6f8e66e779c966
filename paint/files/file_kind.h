#pragma once

#include <QByteArray>
#include <QString>

namespace paint {

// What a file's bytes tell beyond what Qt's readers report: the kind of a
// file they cannot read, an animation they read as one frame, and data that
// ends before the picture does.

// Why a file that Qt cannot read is not read, when its kind is known: "is
// a HEIF image, which this system cannot read", "uses a kind of BMP that
// this system cannot read". Empty when the bytes name no known kind.
QString UnreadableKind(const QByteArray& bytes, const QString& suffix);

// The frames of an animated PNG; 1 for a still one or anything else.
int PngFrames(const QByteArray& bytes);

// A JPEG whose data stops before its end marker: its decoder fills the rest
// with grey without a word.
bool JpegCutShort(const QByteArray& bytes);

}  // namespace paint
