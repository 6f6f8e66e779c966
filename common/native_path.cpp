#include "common/native_path.h"

#include <QFile>

namespace common {
namespace {

constexpr char16_t kStrayByte = 0xDC00;

// The length of the well-formed UTF-8 character at the start, or 0.
int CharacterLength(const unsigned char* at, qsizetype left, char32_t& code) {
  const unsigned char lead = at[0];
  int length = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (left < length) return 0;
  for (int i = 1; i < length; ++i) {
    if ((at[i] & 0xC0) != 0x80) return 0;
    code = (code << 6) | (at[i] & 0x3F);
  }
  // Overlong forms, surrogates and code points beyond Unicode are not text.
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  return length;
}

}  // namespace

QString FromNative(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
  for (qsizetype at = 0; at < bytes.size();) {
    char32_t code = 0;
    const int length = CharacterLength(data + at, bytes.size() - at, code);
    if (length == 0) {
      text.append(QChar(kStrayByte + data[at]));
      ++at;
      continue;
    }
    text.append(QString::fromUcs4(&code, 1));
    at += length;
  }
  return text;
}

QByteArray ToNative(const QString& path) {
  QByteArray bytes;
  QString run;  // characters waiting to be encoded together
  for (qsizetype i = 0; i < path.size(); ++i) {
    const char16_t unit = path.at(i).unicode();
    const bool paired = i > 0 && path.at(i - 1).isHighSurrogate();
    if (unit >= kStrayByte + 0x80 && unit <= kStrayByte + 0xFF && !paired) {
      bytes += run.toUtf8();
      run.clear();
      bytes += static_cast<char>(unit - kStrayByte);
    } else {
      run += path.at(i);
    }
  }
  return bytes + run.toUtf8();
}

bool NativeOnly(const QString& path) {
  return QFile::encodeName(path) != ToNative(path);
}

}  // namespace common
