#pragma once

#include <QByteArray>
#include <QImage>

namespace paint {

// The rows of a damaged PNG that come before the damage (Qt's reader gives
// up on the whole picture), the rest transparent; a null image when not
// even one row could be read.
QImage ReadPartialPng(const QByteArray& bytes);

}  // namespace paint
