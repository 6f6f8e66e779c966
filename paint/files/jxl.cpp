#include "paint/files/jxl.h"

#include <jxl/decode_cxx.h>
#include <jxl/encode_cxx.h>
#include <jxl/thread_parallel_runner_cxx.h>

#include <QColorSpace>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "common/i18n.h"
#include "paint/document/picture_limits.h"
#include "paint/files/save_policy.h"

namespace paint {
namespace {

// Details are small; a box past this is not one.
constexpr size_t kLargestBox = 64U << 20;

QString CutShort() {
  return common::Tr("paint", "is damaged or cut short (%1)")
      .arg(common::Tr("paint", "the JPEG XL data ends too early"));
}
QString Damaged() {
  return common::Tr("paint", "is damaged or cut short (%1)")
      .arg(common::Tr("paint", "the JPEG XL data is not valid"));
}

// The frames of an animation, counted without decoding their pixels.
int Frames(const QByteArray& bytes) {
  const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
  JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_FRAME);
  JxlDecoderSetInput(decoder.get(), reinterpret_cast<const uint8_t*>(bytes.constData()),
                     static_cast<size_t>(bytes.size()));
  JxlDecoderCloseInput(decoder.get());
  int frames = 0;
  while (JxlDecoderProcessInput(decoder.get()) == JXL_DEC_FRAME) ++frames;
  return std::max(frames, 1);
}

// libjxl's distance for a quality of 1..99, as its own tools map them.
float Distance(int quality) {
  return quality >= 30 ? 0.1F + static_cast<float>(100 - quality) * 0.09F
                       : 6.4F + std::pow(2.5F, static_cast<float>(30 - quality) / 5.0F) / 6.25F;
}

}  // namespace

bool IsJxl(const QByteArray& bytes) {
  const JxlSignature signature = JxlSignatureCheck(
      reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
  return signature == JXL_SIG_CODESTREAM || signature == JXL_SIG_CONTAINER;
}

ReadResult ReadJxl(const QByteArray& bytes) {
  ReadResult result;
  ImageSource& source = result.source;
  source.format = "jxl";
  const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
  const JxlThreadParallelRunnerPtr runner =
      JxlThreadParallelRunnerMake(nullptr, JxlThreadParallelRunnerDefaultNumWorkerThreads());
  JxlDecoder* const dec = decoder.get();
  JxlDecoderSubscribeEvents(
      dec, JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE | JXL_DEC_BOX);
  JxlDecoderSetParallelRunner(dec, JxlThreadParallelRunner, runner.get());
  JxlDecoderSetDecompressBoxes(dec, JXL_TRUE);
  // Left open: a file cut short then asks for more, and what came before
  // the cut can be flushed out.
  JxlDecoderSetInput(dec, reinterpret_cast<const uint8_t*>(bytes.constData()),
                     static_cast<size_t>(bytes.size()));
  const JxlPixelFormat format{4, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
  JxlBasicInfo info{};
  QImage image;
  QByteArray exif, xmp, profile;
  QByteArray* box = nullptr;  // the one being read into
  std::vector<uint8_t> boxBytes;
  const auto endBox = [&] {
    if (!box) return;
    const size_t left = JxlDecoderReleaseBoxBuffer(dec);
    *box = QByteArray(reinterpret_cast<const char*>(boxBytes.data()),
                      static_cast<qsizetype>(boxBytes.size() - left));
    box = nullptr;
  };
  bool done = false, whole = false;
  while (!done) {
    const JxlDecoderStatus status = JxlDecoderProcessInput(dec);
    if (status != JXL_DEC_BOX_NEED_MORE_OUTPUT) endBox();
    switch (status) {
      case JXL_DEC_BASIC_INFO: {
        JxlDecoderGetBasicInfo(dec, &info);
        // The size as shown: a turned picture's sides trade places.
        const bool turned = info.orientation > JXL_ORIENT_FLIP_VERTICAL;
        const QSize size(
            static_cast<int>(std::min<uint32_t>(turned ? info.ysize : info.xsize, 1U << 30)),
            static_cast<int>(std::min<uint32_t>(turned ? info.xsize : info.ysize, 1U << 30)));
        if (!WithinLimit(size) || !WithinAllocation(size, 4)) {
          result.error = TooLarge(size);
          return result;
        }
        source.deep = info.bits_per_sample > 8;
        source.compression.lossless = info.uses_original_profile != 0;
        break;
      }
      case JXL_DEC_COLOR_ENCODING: {
        // sRGB, as the pixels come without a profile, needs none.
        JxlColorEncoding encoded{};
        const bool srgb =
            JxlDecoderGetColorAsEncodedProfile(dec, nullptr, JXL_COLOR_PROFILE_TARGET_DATA,
                                               &encoded) == JXL_DEC_SUCCESS &&
            encoded.color_space == JXL_COLOR_SPACE_RGB && encoded.primaries == JXL_PRIMARIES_SRGB &&
            encoded.white_point == JXL_WHITE_POINT_D65 &&
            encoded.transfer_function == JXL_TRANSFER_FUNCTION_SRGB;
        size_t size = 0;
        if (!srgb &&
            JxlDecoderGetICCProfileSize(dec, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &size) ==
                JXL_DEC_SUCCESS &&
            size > 0 && size < kLargestBox) {
          profile.resize(static_cast<qsizetype>(size));
          if (JxlDecoderGetColorAsICCProfile(dec, nullptr, JXL_COLOR_PROFILE_TARGET_DATA,
                                             reinterpret_cast<uint8_t*>(profile.data()),
                                             size) != JXL_DEC_SUCCESS)
            profile.clear();
        }
        break;
      }
      case JXL_DEC_NEED_IMAGE_OUT_BUFFER: {
        if (!image.isNull()) {  // a second frame: the first is what is shown
          done = true;
          break;
        }
        size_t needed = 0;
        JxlDecoderImageOutBufferSize(dec, &format, &needed);
        const bool turned = info.orientation > JXL_ORIENT_FLIP_VERTICAL;
        image = QImage(static_cast<int>(turned ? info.ysize : info.xsize),
                       static_cast<int>(turned ? info.xsize : info.ysize), QImage::Format_RGBA8888);
        if (image.isNull() || size_t(image.sizeInBytes()) < needed) {
          result.error = TooLarge(image.size());
          return result;
        }
        image.fill(Qt::transparent);
        JxlDecoderSetImageOutBuffer(dec, &format, image.bits(), needed);
        break;
      }
      case JXL_DEC_FULL_IMAGE:
        // A still picture's boxes may follow it; an animation's next frame would.
        whole = true;
        done = info.have_animation != 0;
        break;
      case JXL_DEC_BOX: {
        JxlBoxType type{};
        uint64_t size = 0;
        JxlDecoderGetBoxType(dec, type, JXL_TRUE);
        JxlDecoderGetBoxSizeRaw(dec, &size);
        const bool exifBox = std::memcmp(type, "Exif", 4) == 0;
        if ((exifBox || std::memcmp(type, "xml ", 4) == 0) && size < kLargestBox) {
          box = exifBox ? &exif : &xmp;
          boxBytes.assign(std::max<size_t>(size_t(size), 64), 0);
          JxlDecoderSetBoxBuffer(dec, boxBytes.data(), boxBytes.size());
        }
        break;
      }
      case JXL_DEC_BOX_NEED_MORE_OUTPUT: {
        // A compressed box, larger than its stored size.
        const size_t left = JxlDecoderReleaseBoxBuffer(dec);
        const size_t used = boxBytes.size() - left;
        if (boxBytes.size() * 2 > kLargestBox) {
          box = nullptr;
          break;
        }
        boxBytes.resize(boxBytes.size() * 2);
        JxlDecoderSetBoxBuffer(dec, boxBytes.data() + used, boxBytes.size() - used);
        break;
      }
      case JXL_DEC_SUCCESS:
        done = true;
        break;
      case JXL_DEC_NEED_MORE_INPUT:
        // Cut short: what came before the cut, if any of the picture did.
        if (!whole && (image.isNull() || JxlDecoderFlushImage(dec) != JXL_DEC_SUCCESS)) {
          result.error = CutShort();
          return result;
        }
        source.damaged = !whole;
        done = true;
        break;
      default:
        result.error = Damaged();
        return result;
    }
  }
  if (image.isNull()) {
    result.error = CutShort();
    return result;
  }
  result.image = std::move(image).convertToFormat(info.alpha_bits > 0 ? QImage::Format_ARGB32
                                                                      : QImage::Format_RGB32);
  if (info.have_animation) source.frames = Frames(bytes);
  // An Exif box starts with the offset of its TIFF header.
  if (exif.size() >= 4) {
    const quint32 skip = qFromBigEndian<quint32>(exif.constData());
    exif = skip < quint32(exif.size()) - 4 ? exif.mid(4 + skip) : QByteArray();
  }
  source.details = DetailsOf(exif, xmp, profile);
  if (!profile.isEmpty()) result.image.setColorSpace(QColorSpace::fromIccProfile(profile));
  return result;
}

QString WriteJxl(QIODevice& device, const QImage& picture, const Compression& compression,
                 const PhotoDetails& details, const std::atomic<bool>* cancel) {
  const JxlEncoderPtr encoder = JxlEncoderMake(nullptr);
  const JxlThreadParallelRunnerPtr runner =
      JxlThreadParallelRunnerMake(nullptr, JxlThreadParallelRunnerDefaultNumWorkerThreads());
  JxlEncoder* const enc = encoder.get();
  const auto failed = [] { return common::Tr("paint", "the JPEG XL encoder failed"); };
  if (JxlEncoderSetParallelRunner(enc, JxlThreadParallelRunner, runner.get()) != JXL_ENC_SUCCESS)
    return failed();
  bool alpha = false;
  if (picture.hasAlphaChannel())
    for (int y = 0; y < picture.height() && !alpha; ++y)
      for (int x = 0; x < picture.width() && !alpha; ++x)
        alpha = qAlpha(picture.pixel(x, y)) != 255;
  const QImage pixels =
      picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
  if (pixels.isNull()) return failed();
  const bool lossless = compression.lossless || compression.quality >= 100;
  JxlBasicInfo info;
  JxlEncoderInitBasicInfo(&info);
  info.xsize = static_cast<uint32_t>(pixels.width());
  info.ysize = static_cast<uint32_t>(pixels.height());
  info.bits_per_sample = 8;
  info.num_color_channels = 3;
  info.alpha_bits = alpha ? 8 : 0;
  info.num_extra_channels = alpha ? 1 : 0;
  info.uses_original_profile = lossless ? JXL_TRUE : JXL_FALSE;
  if (JxlEncoderSetBasicInfo(enc, &info) != JXL_ENC_SUCCESS) return failed();
  JxlColorEncoding srgb{};
  JxlColorEncodingSetToSRGB(&srgb, JXL_FALSE);
  const bool coloured =
      !details.profile.isEmpty() &&
      JxlEncoderSetICCProfile(enc, reinterpret_cast<const uint8_t*>(details.profile.constData()),
                              static_cast<size_t>(details.profile.size())) == JXL_ENC_SUCCESS;
  if (!coloured && JxlEncoderSetColorEncoding(enc, &srgb) != JXL_ENC_SUCCESS) return failed();
  if (!details.exif.isEmpty() || !details.xmp.isEmpty()) {
    JxlEncoderUseBoxes(enc);
    if (!details.exif.isEmpty()) {
      const QByteArray box = QByteArray(4, '\0') + details.exif;  // the TIFF header right after
      JxlEncoderAddBox(enc, "Exif", reinterpret_cast<const uint8_t*>(box.constData()),
                       static_cast<size_t>(box.size()), JXL_FALSE);
    }
    if (!details.xmp.isEmpty())
      JxlEncoderAddBox(enc, "xml ", reinterpret_cast<const uint8_t*>(details.xmp.constData()),
                       static_cast<size_t>(details.xmp.size()), JXL_FALSE);
    JxlEncoderCloseBoxes(enc);
  }
  JxlEncoderFrameSettings* settings = JxlEncoderFrameSettingsCreate(enc, nullptr);
  if (lossless) {
    JxlEncoderSetFrameLossless(settings, JXL_TRUE);
  } else {
    JxlEncoderSetFrameDistance(
        settings, Distance(compression.quality >= 1 ? compression.quality : kDefaultQuality));
  }
  const JxlPixelFormat format{alpha ? 4U : 3U, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN,
                              static_cast<size_t>(pixels.bytesPerLine())};
  if (JxlEncoderAddImageFrame(settings, &format, pixels.constBits(),
                              static_cast<size_t>(pixels.sizeInBytes())) != JXL_ENC_SUCCESS)
    return failed();
  JxlEncoderCloseInput(enc);
  std::vector<uint8_t> buffer(1 << 20);
  for (;;) {
    if (cancel && *cancel) return {};
    uint8_t* next = buffer.data();
    size_t room = buffer.size();
    const JxlEncoderStatus status = JxlEncoderProcessOutput(enc, &next, &room);
    const auto size = static_cast<qint64>(buffer.size() - room);
    if (device.write(reinterpret_cast<const char*>(buffer.data()), size) != size)
      return common::Tr("paint", "the file could not be written");
    if (status == JXL_ENC_SUCCESS) return {};
    if (status != JXL_ENC_NEED_MORE_OUTPUT) return failed();
  }
}

}  // namespace paint
