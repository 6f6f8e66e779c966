#include "paint/files/jpeg_writer.h"

#include <QColorSpace>
#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <memory>
#include <vector>

#include "common/i18n.h"

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

namespace paint {
namespace {

// Kept first in each struct: libjpeg hands back a pointer to the member.
struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf back;
  char message[JMSG_LENGTH_MAX];
};

struct Destination {
  jpeg_destination_mgr manager;
  QIODevice* device;
  bool failed;
  JOCTET buffer[64 * 1024];
};

[[noreturn]] void Fail(j_common_ptr info) {
  auto* error = reinterpret_cast<JpegError*>(info->err);
  info->err->format_message(info, error->message);
  std::longjmp(error->back, 1);
}

void Quiet(j_common_ptr /*info*/) {}

void StartOutput(j_compress_ptr info) {
  auto* out = reinterpret_cast<Destination*>(info->dest);
  out->manager.next_output_byte = out->buffer;
  out->manager.free_in_buffer = sizeof out->buffer;
}

void Flush(j_compress_ptr info, size_t size) {
  auto* out = reinterpret_cast<Destination*>(info->dest);
  if (out->device->write(reinterpret_cast<const char*>(out->buffer), qint64(size)) !=
      qint64(size)) {
    out->failed = true;
    info->err->msg_code = JERR_FILE_WRITE;
    info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
  }
  StartOutput(info);
}

boolean FullOutput(j_compress_ptr info) {
  Flush(info, sizeof(Destination::buffer));
  return TRUE;
}

void EndOutput(j_compress_ptr info) {
  Flush(info, sizeof(Destination::buffer) - info->dest->free_in_buffer);
}

// Everything for one JPEG, prepared before libjpeg runs: an error jumps back
// over the libjpeg calls, which must therefore leave no C++ object behind.
struct JpegJob {
  jpeg_compress_struct info;
  JpegError error;
  Destination destination;
  const QImage* pixels;  // 32-bit: RGB32 or ARGB32
  JSAMPLE* greyRow;      // a row's worth when written grey, else null
  int quality;
  bool fullChroma;
  int dotsPerInchX, dotsPerInchY;
  const QByteArray* profile;
  const std::atomic<bool>* cancel;
  bool cancelled;
};

bool Compress(JpegJob& job) {
  jpeg_compress_struct& info = job.info;
  if (setjmp(job.error.back)) return false;
  jpeg_create_compress(&info);
  info.dest = &job.destination.manager;
  info.image_width = JDIMENSION(job.pixels->width());
  info.image_height = JDIMENSION(job.pixels->height());
  if (job.greyRow) {
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
  } else {
    info.input_components = 4;
    // A QRgb in memory, alpha ignored.
    info.in_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
  }
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, job.quality, TRUE);
  if (!job.greyRow) {
    // Brightness at full resolution; colour at half each way unless kept whole.
    const int factor = job.fullChroma ? 1 : 2;
    info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = factor;
    for (int i = 1; i < info.num_components; ++i)
      info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
  }
  if (job.dotsPerInchX > 0 && job.dotsPerInchY > 0) {
    info.density_unit = 1;
    info.X_density = UINT16(job.dotsPerInchX);
    info.Y_density = UINT16(job.dotsPerInchY);
  }
  jpeg_start_compress(&info, TRUE);
  if (!job.profile->isEmpty())
    jpeg_write_icc_profile(&info, reinterpret_cast<const JOCTET*>(job.profile->constData()),
                           unsigned(job.profile->size()));
  while (info.next_scanline < info.image_height) {
    if (job.cancel && job.cancel->load(std::memory_order_relaxed)) {
      job.cancelled = true;
      return false;
    }
    const auto* line = job.pixels->constScanLine(int(info.next_scanline));
    JSAMPROW row = const_cast<JSAMPROW>(line);
    if (job.greyRow) {
      const auto* pixels = reinterpret_cast<const QRgb*>(line);
      for (int x = 0; x < job.pixels->width(); ++x) job.greyRow[x] = JSAMPLE(qGreen(pixels[x]));
      row = job.greyRow;
    }
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  return true;
}

}  // namespace

QString WriteJpeg(QIODevice& device, const QImage& picture, const Compression& compression,
                  const std::atomic<bool>* cancel) {
  if (picture.isNull()) return common::Tr("paint", "the picture is empty");
  const bool direct =
      picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32;
  const QImage pixels = direct ? picture : picture.convertToFormat(QImage::Format_RGB32);
  if (pixels.isNull()) return common::Tr("paint", "there is not enough memory");
  std::vector<JSAMPLE> greyRow;
  if (pixels.isGrayscale()) greyRow.resize(size_t(pixels.width()));
  const QByteArray profile =
      picture.colorSpace().isValid() ? picture.colorSpace().iccProfile() : QByteArray();

  // Large: the output buffer lives in it.
  auto job = std::make_unique<JpegJob>();
  job->info.err = jpeg_std_error(&job->error.manager);
  job->error.manager.error_exit = Fail;
  job->error.manager.output_message = Quiet;  // warnings go nowhere
  job->destination.manager.init_destination = StartOutput;
  job->destination.manager.empty_output_buffer = FullOutput;
  job->destination.manager.term_destination = EndOutput;
  job->destination.device = &device;
  job->pixels = &pixels;
  job->greyRow = greyRow.empty() ? nullptr : greyRow.data();
  job->quality = compression.quality < 1 ? 75 : std::min(compression.quality, 100);
  job->fullChroma = compression.fullChroma;
  const auto inch = [](int dotsPerMeter) {
    const int dots = qRound(dotsPerMeter * 0.0254);
    return dots > 0 && dots <= 65535 ? dots : 0;
  };
  job->dotsPerInchX = inch(picture.dotsPerMeterX());
  job->dotsPerInchY = inch(picture.dotsPerMeterY());
  job->profile = &profile;
  job->cancel = cancel;
  const bool written = Compress(*job);
  jpeg_destroy_compress(&job->info);
  if (written) return {};
  if (job->cancelled) return common::Tr("paint", "saving was cancelled");
  if (job->destination.failed)
    return device.errorString().isEmpty() ? common::Tr("paint", "writing failed")
                                          : device.errorString();
  return QString::fromLocal8Bit(job->error.message);
}

}  // namespace paint
