#include "paint/commands/quality_dialog.h"

#include <QBuffer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QImageWriter>
#include <QLabel>
#include <QLocale>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <atomic>
#include <cmath>
#include <memory>

#include "common/background.h"
#include "common/dialogs.h"
#include "common/i18n.h"
#include "paint/commands/dialogs.h"
#include "paint/files/heif.h"
#include "paint/files/jpeg_writer.h"
#include "paint/files/jxl.h"
#include "paint/files/save_policy.h"

namespace paint {
namespace {

// Measuring more than this many pixels would keep the answer waiting.
constexpr qint64 kSamplePixels = 1 << 20;
// How long the slider rests before the size is measured again.
constexpr int kRestMs = 150;

bool IsJpeg(const QByteArray& format) {
  return format.compare("jpeg", Qt::CaseInsensitive) == 0 ||
         format.compare("jpg", Qt::CaseInsensitive) == 0;
}

class QualityDialog : public QDialog {
 public:
  QualityDialog(QWidget* parent, const QImage& picture, const QByteArray& format,
                const Compression& initial);
  ~QualityDialog() override;

  int Quality() const { return slider_->value(); }

 private:
  void Moved();
  void Measure();
  void Measured(int quality, qint64 bytes);

  QImage picture_;
  QByteArray format_;
  Compression compression_;
  QSlider* slider_;
  QLabel* size_;
  QTimer rest_;
  // The measurement under way (one at most), and how to stop it early.
  bool measuring_ = false;
  std::stop_source stop_;
};

QualityDialog::QualityDialog(QWidget* parent, const QImage& picture, const QByteArray& format,
                             const Compression& initial)
    : QDialog(parent), picture_(picture), format_(format), compression_(initial) {
  setWindowTitle(common::Tr("paint", "Image Quality"));
  auto* grid = new QGridLayout(this);
  auto* label = new QLabel(common::Tr("paint", "&Quality:"), this);
  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setRange(1, 100);
  slider_->setPageStep(10);
  slider_->setAccessibleName(common::Tr("paint", "Quality"));
  label->setBuddy(slider_);
  auto* field = new QSpinBox(this);
  field->setRange(1, 100);
  field->setAccessibleName(common::Tr("paint", "Quality"));
  size_ = new QLabel(this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  grid->addWidget(label, 0, 0);
  grid->addWidget(slider_, 0, 1);
  grid->addWidget(field, 0, 2);
  grid->addWidget(size_, 1, 1, 1, 2);
  grid->addWidget(buttons, 2, 0, 1, 3);
  grid->setColumnMinimumWidth(1, 200);

  const int quality = initial.lossless ? 100 : initial.quality >= 1 ? initial.quality : 75;
  slider_->setValue(quality);
  field->setValue(quality);
  connect(slider_, &QSlider::valueChanged, field, &QSpinBox::setValue);
  connect(field, &QSpinBox::valueChanged, slider_, &QSlider::setValue);
  connect(slider_, &QSlider::valueChanged, this, &QualityDialog::Moved);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  rest_.setSingleShot(true);
  rest_.setInterval(kRestMs);
  connect(&rest_, &QTimer::timeout, this, &QualityDialog::Measure);
  setMinimumWidth(common::TitleBarWidth(*this));
  size_->setText(common::Tr("paint", "Working out the file size…"));
  Measure();
}

QualityDialog::~QualityDialog() {
  stop_.request_stop();  // a measurement still running tells no one
}

void QualityDialog::Moved() {
  size_->setText(common::Tr("paint", "Working out the file size…"));
  rest_.start();
}

void QualityDialog::Measure() {
  if (measuring_) {
    // Stale: stopped if it can be; once it reports, the next one starts.
    stop_.request_stop();
    return;
  }
  measuring_ = true;
  Compression compression = compression_;
  compression.quality = Quality();
  auto bytes = std::make_shared<qint64>(-1);
  stop_ = common::Detach(
      [bytes, picture = picture_, format = format_, compression](const std::stop_token& stop) {
        *bytes = EncodedSize(picture, format, compression, stop);
      },
      this, [this, bytes, quality = compression.quality] { Measured(quality, *bytes); });
}

void QualityDialog::Measured(int quality, qint64 bytes) {
  measuring_ = false;
  if (quality != Quality() || (bytes < 0 && stop_.stop_requested())) {
    if (!rest_.isActive()) Measure();  // else it starts when the slider rests
    return;
  }
  if (bytes < 0) {
    size_->setText(common::Tr("paint", "The file size is not known"));
    return;
  }
  const QString size = QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
  // Qt's WebP writer writes quality 100 lossless.
  size_->setText(quality == 100 && (format_.compare("webp", Qt::CaseInsensitive) == 0 ||
                                    format_.compare("jxl", Qt::CaseInsensitive) == 0)
                     ? common::Tr("paint", "About %1, lossless").arg(size)
                     : common::Tr("paint", "About %1").arg(size));
}

}  // namespace

std::optional<int> AskQuality(QWidget* parent, const QImage& picture, const QByteArray& format,
                              const Compression& initial) {
  return DialogsOf(parent).Quality(parent, picture, format, initial);
}

std::optional<int> Dialogs::Quality(QWidget* parent, const QImage& picture,
                                    const QByteArray& format, const Compression& initial) {
  QualityDialog dialog(parent, picture, format, initial);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Quality();
}

qint64 EncodedSize(const QImage& picture, const QByteArray& format, const Compression& compression,
                   const std::stop_token& stop) {
  if (picture.isNull()) return -1;
  // A centred part of the same shape, so that edges and middle weigh as in
  // the whole.
  const qint64 area = qint64(picture.width()) * picture.height();
  QImage sample = picture;
  if (area > kSamplePixels) {
    const double shrink = std::sqrt(double(kSamplePixels) / double(area));
    const int width = std::max(1, int(picture.width() * shrink));
    const int height = std::max(1, int(picture.height() * shrink));
    sample =
        picture.copy((picture.width() - width) / 2, (picture.height() - height) / 2, width, height);
    if (sample.isNull()) return -1;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QByteArray lower = format.toLower();
  // The writers look at a flag between rows.
  std::atomic<bool> cancel{false};
  const std::stop_callback raise(stop, [&cancel] { cancel = true; });
  if (IsJpeg(format)) {
    if (!WriteJpeg(buffer, sample, compression, &cancel).isEmpty()) return -1;
  } else if (lower == "heic" || lower == "heif" || lower == "avif") {
    if (!WriteHeif(buffer, sample, Canonical(lower), compression, {}, &cancel).isEmpty()) return -1;
  } else if (lower == "jxl") {
    if (!WriteJxl(buffer, sample, compression, {}, &cancel).isEmpty()) return -1;
  } else {
    QImageWriter writer(&buffer, format);
    writer.setQuality(compression.quality);
    if (!writer.write(sample)) return -1;
  }
  if (stop.stop_requested()) return -1;
  const double sampleArea = double(sample.width()) * sample.height();
  return qRound64(double(bytes.size()) * double(area) / sampleArea);
}

}  // namespace paint
