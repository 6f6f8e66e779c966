#include <QPrinter>

#include "paint/commands/print.h"
#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

TEST(PrintTest, ThePictureIsCentredAndFittedAndEnlargedOnlyWhenAsked) {
  const QSizeF page(1000, 1400);
  const struct {
    const char* name;
    QSize picture;
    double dotsPerPixel;
    bool enlarge;
    QRectF printed;
  } rows[] = {
      {"small, at its own size", {100, 50}, 2, false, {400, 650, 200, 100}},
      {"small, enlarged as asked", {100, 50}, 2, true, {0, 450, 1000, 500}},
      {"wide, fitted across", {4000, 3000}, 1, false, {0, 325, 1000, 750}},
      {"tall, fitted down", {100, 4000}, 1, false, {482.5, 0, 35, 1400}},
      {"nothing", {0, 10}, 1, true, {}},
  };
  for (const auto& row : rows)
    EXPECT_EQ(PrintedRect(page, row.picture, row.dotsPerPixel, row.enlarge), row.printed)
        << row.name;
}

TEST_F(PaintTest, PrintToAPdfFileTurnsThePageToThePictureAndKeepsItsPixels) {
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("wide.png"));
  ASSERT_TRUE(Photo(60, 30).save(file));
  ASSERT_TRUE(sketchly->OpenAtStart(file));
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(dir.filePath(QStringLiteral("wide.pdf")));
  ASSERT_TRUE(sketchly->Print().PrintTo(printer, false));
  QFile pdf(printer->outputFileName());
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_TRUE(bytes.contains("/Width 60") && bytes.contains("/Height 30")) << "every pixel";
  const qsizetype box = bytes.indexOf("/MediaBox [");
  ASSERT_GE(box, 0);
  const QList<QByteArray> corners = bytes.mid(box + 11, 40).split(']').front().split(' ');
  ASSERT_GE(corners.size(), 4);
  EXPECT_GT(corners[2].toDouble(), corners[3].toDouble()) << "landscape";
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace paint
