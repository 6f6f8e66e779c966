#include "paint/files/heif.h"

#include <libheif/heif.h>

#include <QColorSpace>
#include <QtEndian>
#include <limits>
#include <memory>
#include <vector>

#include "common/i18n.h"
#include "paint/document/picture_limits.h"
#include "paint/files/save_policy.h"

namespace paint {
namespace {

struct Release {
  void operator()(heif_context* context) const { heif_context_free(context); }
  void operator()(const heif_image_handle* handle) const { heif_image_handle_release(handle); }
  void operator()(const heif_image* image) const { heif_image_release(image); }
  void operator()(heif_encoder* encoder) const { heif_encoder_release(encoder); }
  void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
  void operator()(heif_encoding_options* options) const { heif_encoding_options_free(options); }
};
template <class T>
using Owned = std::unique_ptr<T, Release>;

// Registers the codecs once; never undone, as readers run aside.
void Ready() {
  static const bool ready = [] {
    heif_init(nullptr);
    return true;
  }();
  (void)ready;
}

heif_compression_format Codec(const QByteArray& kind) {
  return kind == "avif" ? heif_compression_AV1 : heif_compression_HEVC;
}

QString Damaged(const heif_error& error) {
  return common::Tr("paint", "is damaged or cut short (%1)").arg(QString::fromUtf8(error.message));
}

QByteArray Metadata(const heif_image_handle* handle, const char* type, const char* content) {
  const int count = heif_image_handle_get_number_of_metadata_blocks(handle, type);
  std::vector<heif_item_id> ids(static_cast<size_t>(std::max(count, 0)));
  heif_image_handle_get_list_of_metadata_block_IDs(handle, type, ids.data(), count);
  for (const heif_item_id id : ids) {
    if (content && QByteArray(heif_image_handle_get_metadata_content_type(handle, id)) != content)
      continue;
    const size_t size = heif_image_handle_get_metadata_size(handle, id);
    // Details are small; a block past this is not one.
    if (size == 0 || size > (64U << 20)) continue;
    QByteArray data(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (heif_image_handle_get_metadata(handle, id, data.data()).code != heif_error_Ok) continue;
    return data;
  }
  return {};
}

// The colour profile, as ICC: the file's own, or one made for the wide
// colours of a phone (Display P3) stated by numbers.
QByteArray Profile(const heif_image_handle* handle) {
  switch (heif_image_handle_get_color_profile_type(handle)) {
    case heif_color_profile_type_prof:
    case heif_color_profile_type_rICC: {
      QByteArray icc(static_cast<qsizetype>(heif_image_handle_get_raw_color_profile_size(handle)),
                     Qt::Uninitialized);
      if (icc.isEmpty() ||
          heif_image_handle_get_raw_color_profile(handle, icc.data()).code != heif_error_Ok)
        return {};
      return icc;
    }
    case heif_color_profile_type_nclx: {
      heif_color_profile_nclx* nclx = nullptr;
      if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code != heif_error_Ok) return {};
      const bool p3 = nclx->color_primaries == heif_color_primaries_SMPTE_EG_432_1 &&
                      nclx->transfer_characteristics == heif_transfer_characteristic_IEC_61966_2_1;
      heif_nclx_color_profile_free(nclx);
      return p3 ? QColorSpace(QColorSpace::DisplayP3).iccProfile() : QByteArray();
    }
    default:
      return {};
  }
}

// The largest size the file's image boxes declare, for saying why libheif
// would not take them.
QSize DeclaredSize(const QByteArray& bytes) {
  QSize size(0, 0);
  for (qsizetype at = bytes.indexOf("ispe"); at >= 0 && at + 16 <= bytes.size();
       at = bytes.indexOf("ispe", at + 4)) {
    const auto side = [&](qsizetype from) {
      return static_cast<int>(std::min<quint32>(qFromBigEndian<quint32>(bytes.constData() + from),
                                                std::numeric_limits<int>::max()));
    };
    size = size.expandedTo(QSize(side(at + 8), side(at + 12)));
  }
  return size;
}

}  // namespace

// x265 keeps part of every encoder past its closing, which a leak check
// would take for this program's.
#if defined(__SANITIZE_ADDRESS__)
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() {
  return "leak:libx265.so\n";
}
#endif

QByteArray HeifKind(const QByteArray& bytes) {
  if (bytes.size() < 16 || bytes.mid(4, 4) != "ftyp") return {};
  // The brands of the file-type box: the major one, then the compatible.
  const qsizetype end =
      std::min<qsizetype>(bytes.size(), qFromBigEndian<quint32>(bytes.constData()));
  bool heif = false;
  for (qsizetype at = 8; at + 4 <= end; at += at == 8 ? 8 : 4) {
    const QByteArray brand = bytes.mid(at, 4);
    if (brand == "avif" || brand == "avis") return "avif";
    heif = heif || brand == "heic" || brand == "heix" || brand == "heim" || brand == "heis" ||
           brand == "mif1";
  }
  return heif ? QByteArray("heic") : QByteArray();
}

bool HeifReads(const QByteArray& kind) {
  Ready();
  return heif_have_decoder_for_format(Codec(kind)) != 0;
}

bool HeifWrites(const QByteArray& kind) {
  Ready();
  return heif_have_encoder_for_format(Codec(kind)) != 0;
}

ReadResult ReadHeif(const QByteArray& bytes) {
  Ready();
  ReadResult result;
  ImageSource& source = result.source;
  source.format = HeifKind(bytes);
  const Owned<heif_context> context(heif_context_alloc());
  heif_error error = heif_context_read_from_memory_without_copy(
      context.get(), bytes.constData(), static_cast<size_t>(bytes.size()), nullptr);
  heif_image_handle* primary = nullptr;
  if (error.code == heif_error_Ok)
    error = heif_context_get_primary_image_handle(context.get(), &primary);
  if (error.subcode == heif_suberror_Security_limit_exceeded) {
    result.error = TooLarge(DeclaredSize(bytes));
    return result;
  }
  if (error.code != heif_error_Ok) {
    result.error = Damaged(error);
    return result;
  }
  const Owned<const heif_image_handle> handle(primary);
  // The size the file declares, checked before a byte is decoded.
  const QSize size(heif_image_handle_get_width(primary), heif_image_handle_get_height(primary));
  const bool alpha = heif_image_handle_has_alpha_channel(primary) != 0;
  if (size.isEmpty()) {
    result.error = common::Tr("paint", "is damaged or cut short (%1)")
                       .arg(common::Tr("paint", "it declares no size"));
    return result;
  }
  if (!WithinLimit(size) || !WithinAllocation(size, 4)) {
    result.error = TooLarge(size);
    return result;
  }
  const Owned<heif_decoding_options> options(heif_decoding_options_alloc());
  options->convert_hdr_to_8bit = 1;
  heif_image* decoded = nullptr;
  error = heif_decode_image(primary, &decoded, heif_colorspace_RGB,
                            alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                            options.get());
  const Owned<const heif_image> image(decoded);
  int stride = 0;
  const uint8_t* pixels =
      error.code == heif_error_Ok
          ? heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride)
          : nullptr;
  if (!pixels) {
    result.error = Damaged(error);
    return result;
  }
  const int width = heif_image_get_width(decoded, heif_channel_interleaved);
  const int height = heif_image_get_height(decoded, heif_channel_interleaved);
  const bool premultiplied = heif_image_handle_is_premultiplied_alpha(primary) != 0;
  const QImage view(pixels, width, height, stride,
                    !alpha          ? QImage::Format_RGB888
                    : premultiplied ? QImage::Format_RGBA8888_Premultiplied
                                    : QImage::Format_RGBA8888);
  result.image = view.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (result.image.isNull()) {
    result.error = TooLarge(QSize(width, height));
    return result;
  }
  source.frames = std::max(heif_context_get_number_of_top_level_images(context.get()), 1);
  source.deep = heif_image_handle_get_luma_bits_per_pixel(primary) > 8;
  // An Exif block starts with the offset of its TIFF header.
  QByteArray exif = Metadata(primary, "Exif", nullptr);
  if (exif.size() >= 4) {
    const quint32 skip = qFromBigEndian<quint32>(exif.constData());
    exif = skip < quint32(exif.size()) - 4 ? exif.mid(4 + skip) : QByteArray();
  }
  source.details =
      DetailsOf(exif, Metadata(primary, "mime", "application/rdf+xml"), Profile(primary));
  if (!source.details.profile.isEmpty())
    result.image.setColorSpace(QColorSpace::fromIccProfile(source.details.profile));
  return result;
}

QString WriteHeif(QIODevice& device, const QImage& picture, const QByteArray& kind,
                  const Compression& compression, const PhotoDetails& details,
                  const std::atomic<bool>* cancel) {
  Ready();
  const Owned<heif_context> context(heif_context_alloc());
  heif_encoder* made = nullptr;
  heif_error error = heif_context_get_encoder_for_format(context.get(), Codec(kind), &made);
  const Owned<heif_encoder> encoder(made);
  const auto failed = [](const heif_error& e) { return QString::fromUtf8(e.message); };
  if (error.code != heif_error_Ok) return failed(error);
  heif_encoder_set_lossy_quality(made,
                                 compression.quality >= 1 ? compression.quality : kDefaultQuality);
  // x265's "slow", libheif's default, takes some 45 s for a 12-megapixel
  // photo here; "medium" a quarter of that, for a file of the same size.
  if (kind == "heic") heif_encoder_set_parameter_string(made, "preset", "medium");
  const QImage argb =
      picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
          ? picture
          : picture.convertToFormat(QImage::Format_ARGB32);
  bool alpha = false;
  if (argb.format() == QImage::Format_ARGB32)
    for (int y = 0; y < argb.height() && !alpha; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
      alpha = std::any_of(line, line + argb.width(), [](QRgb p) { return qAlpha(p) != 255; });
    }
  heif_image* raw = nullptr;
  error =
      heif_image_create(argb.width(), argb.height(), heif_colorspace_RGB,
                        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, &raw);
  const Owned<const heif_image> image(raw);
  if (error.code == heif_error_Ok)
    error = heif_image_add_plane(raw, heif_channel_interleaved, argb.width(), argb.height(), 8);
  if (error.code != heif_error_Ok) return failed(error);
  int stride = 0;
  uint8_t* plane = heif_image_get_plane(raw, heif_channel_interleaved, &stride);
  for (int y = 0; y < argb.height(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    uint8_t* to = plane + static_cast<ptrdiff_t>(y) * stride;
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb p = from[x];
      *to++ = static_cast<uint8_t>(qRed(p));
      *to++ = static_cast<uint8_t>(qGreen(p));
      *to++ = static_cast<uint8_t>(qBlue(p));
      if (alpha) *to++ = static_cast<uint8_t>(qAlpha(p));
    }
  }
  if (!details.profile.isEmpty())
    heif_image_set_raw_color_profile(raw, "prof", details.profile.constData(),
                                     static_cast<size_t>(details.profile.size()));
  const Owned<heif_encoding_options> options(heif_encoding_options_alloc());
  options->save_alpha_channel = alpha ? 1 : 0;
  if (cancel && *cancel) return {};
  heif_image_handle* encoded = nullptr;
  error = heif_context_encode_image(context.get(), raw, made, options.get(), &encoded);
  const Owned<const heif_image_handle> handle(encoded);
  if (error.code != heif_error_Ok) return failed(error);
  if (!details.exif.isEmpty())
    error = heif_context_add_exif_metadata(context.get(), encoded, details.exif.constData(),
                                           static_cast<int>(details.exif.size()));
  if (error.code == heif_error_Ok && !details.xmp.isEmpty())
    error = heif_context_add_XMP_metadata(context.get(), encoded, details.xmp.constData(),
                                          static_cast<int>(details.xmp.size()));
  if (error.code != heif_error_Ok) return failed(error);
  if (cancel && *cancel) return {};
  heif_writer writer{};
  writer.writer_api_version = 1;
  writer.write = [](heif_context*, const void* data, size_t size, void* target) {
    auto* out = static_cast<QIODevice*>(target);
    const bool written =
        out->write(static_cast<const char*>(data), static_cast<qint64>(size)) == qint64(size);
    return heif_error{written ? heif_error_Ok : heif_error_Encoding_error,
                      written ? heif_suberror_Unspecified : heif_suberror_Cannot_write_output_data,
                      written ? "" : "the file could not be written"};
  };
  error = heif_context_write(context.get(), &writer, &device);
  return error.code == heif_error_Ok ? QString()
                                     : common::Tr("paint", "the file could not be written");
}

}  // namespace paint
