// Checks the pictures make_icons draws: Qt must read each file as its kind,
// with the sizes the program asks for, pixel for pixel as its source grid
// says, in the 16-colour formats old icon readers expect. No Q_INIT_RESOURCE
// here on purpose: linking paint_icons alone has to register the resources.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Picture {
  const char* file;
  bool compiled_in;                // else only exported to PAINT_ICON_DIR
  std::vector<const char*> grids;  // source of each image, in file order
};

const Picture kPictures[] = {
    {"paint.ico", true, {"paint-32", "paint-16"}},
    {"tool0.ico", true, {"tool0-32", "tool0-16"}},
    {"tool1.ico", true, {"tool1-32", "tool1-16"}},
    {"tool2.bmp", true, {"tool2-16"}},
    {"tool3.bmp", true, {"tool3-16"}},
    {"tool4.ico", true, {"tool4-32", "tool4-16"}},
    {"tool5.bmp", true, {"tool5-16"}},
    {"tool6.bmp", true, {"tool6-16"}},
    {"tool7.ico", true, {"tool7-32"}},
    {"tool8.ico", true, {"tool8-32"}},
    {"tool9.ico", true, {"tool9-32", "tool9-16"}},
    {"calc.ico", false, {"calc-32", "calc-16"}},
    {"paint-16.png", false, {"paint-16"}},
    {"paint-32.png", false, {"paint-32"}},
    {"calc-16.png", false, {"calc-16"}},
    {"calc-32.png", false, {"calc-32"}},
};

void PrintTo(const Picture& p, std::ostream* os) {
  *os << p.file;
}

QString pathOf(const Picture& p) {
  return (p.compiled_in ? QStringLiteral(":/paint/") : QStringLiteral(PAINT_ICON_DIR "/")) + p.file;
}

QString suffixOf(const Picture& p) {
  return QFileInfo(p.file).suffix();
}

QStringList dataLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QStringList lines;
  QTextStream in(&file);
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (!line.isEmpty() && !line.startsWith('#')) lines << line;
  }
  return lines;
}

// Read independently of make_icons, so a slip in its writers shows up here.
QImage gridImage(const char* grid) {
  static const QHash<QChar, QRgb> colours = [] {
    QHash<QChar, QRgb> map{{'.', qRgba(0, 0, 0, 0)}};
    for (const QString& line : dataLines(PAINT_ICON_SOURCE_DIR "/palette.txt")) {
      const QStringList f = line.simplified().split(' ');
      map.insert(f[0][0], 0xff000000u | f[2].toUInt(nullptr, 16));
    }
    return map;
  }();
  const QStringList rows = dataLines(QStringLiteral(PAINT_ICON_SOURCE_DIR "/%1.txt").arg(grid));
  QImage image(int(rows.size()), int(rows.size()), QImage::Format_ARGB32);
  for (int y = 0; y < rows.size(); ++y)
    for (int x = 0; x < rows.size(); ++x) image.setPixel(x, y, colours.value(rows[y][x]));
  return image;
}

// "" when they match, else where they first differ.
std::string firstDifference(const QImage& actual, const QImage& expected) {
  if (actual.size() != expected.size()) return "size differs";
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
      const bool same = qAlpha(e) == 0 ? qAlpha(a) == 0 : a == e;
      if (!same)
        return QStringLiteral("pixel %1,%2 is #%3, the grid says #%4")
            .arg(x)
            .arg(y)
            .arg(a, 8, 16, QChar('0'))
            .arg(e, 8, 16, QChar('0'))
            .toStdString();
    }
  return "";
}

quint16 le16(const QByteArray& b, qsizetype at) {
  return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}
quint32 le32(const QByteArray& b, qsizetype at) {
  return le16(b, at) | quint32(le16(b, at + 2)) << 16;
}
quint32 be32(const QByteArray& b, qsizetype at) {
  return quint32(quint8(b[at])) << 24 | quint32(quint8(b[at + 1])) << 16 |
         quint32(quint8(b[at + 2])) << 8 | quint8(b[at + 3]);
}

class PictureTest : public testing::TestWithParam<Picture> {};

TEST_P(PictureTest, ReadsBackAsItsGrids) {
  const Picture& p = GetParam();
  QImageReader reader(pathOf(p));
  ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
  EXPECT_EQ(reader.format(), suffixOf(p).toLatin1());
  EXPECT_EQ(reader.imageCount(), int(p.grids.size()));
  for (std::size_t i = 0; i < p.grids.size(); ++i) {
    SCOPED_TRACE(p.grids[i]);
    if (i > 0) {
      ASSERT_TRUE(reader.jumpToNextImage());
    }
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(firstDifference(image, gridImage(p.grids[i])), "");

    QHash<QRgb, int> uses;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qAlpha(image.pixel(x, y)) != 0) ++uses[image.pixel(x, y)];
    EXPECT_LE(uses.size(), 16);
    // Not blank: some shape stands out from the commonest colour.
    EXPECT_GE(uses.size(), 2);
    EXPECT_LT(*std::max_element(uses.begin(), uses.end()),
              image.width() * image.height() * 19 / 20);
  }

  // The window icon and tool buttons must reach QIcon at every size drawn.
  if (suffixOf(p) == "ico") {
    QList<QSize> expected, offered = QIcon(pathOf(p)).availableSizes();
    for (const char* grid : p.grids) expected << gridImage(grid).size();
    const auto byWidth = [](QSize a, QSize b) { return a.width() < b.width(); };
    std::sort(expected.begin(), expected.end(), byWidth);
    std::sort(offered.begin(), offered.end(), byWidth);
    EXPECT_EQ(offered, expected);
  }
}

// Qt decodes what it is given; Windows and desktop icon readers go by the
// headers, so those must describe 4-bit, 16-colour images (RGBA for PNG) of
// the right size.
TEST_P(PictureTest, HeadersDescribeTheImages) {
  const Picture& p = GetParam();
  QFile file(pathOf(p));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray b = file.readAll();
  const auto checkDib = [&](qsizetype at, int size, int height) {
    ASSERT_LE(at + 40, b.size());
    EXPECT_EQ(le32(b, at), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(le32(b, at + 4), quint32(size));
    EXPECT_EQ(le32(b, at + 8), quint32(height));
    EXPECT_EQ(le16(b, at + 14), 4);   // bits per pixel
    EXPECT_EQ(le32(b, at + 16), 0u);  // BI_RGB
  };
  if (suffixOf(p) == "bmp") {
    ASSERT_GE(b.size(), 54);
    EXPECT_TRUE(b.startsWith("BM"));
    EXPECT_EQ(le32(b, 2), quint32(b.size()));
    EXPECT_EQ(le32(b, 10), 14u + 40 + 16 * 4);  // pixels right after 16 colours
    checkDib(14, gridImage(p.grids[0]).width(), gridImage(p.grids[0]).height());
  } else if (suffixOf(p) == "ico") {
    ASSERT_GE(b.size(), 6 + 16 * qsizetype(p.grids.size()));
    EXPECT_EQ(le16(b, 0), 0);
    EXPECT_EQ(le16(b, 2), 1);  // icon
    EXPECT_EQ(le16(b, 4), p.grids.size());
    for (std::size_t i = 0; i < p.grids.size(); ++i) {
      SCOPED_TRACE(p.grids[i]);
      const qsizetype entry = 6 + 16 * qsizetype(i);
      const int size = gridImage(p.grids[i]).width();
      EXPECT_EQ(quint8(b[entry]), size);
      EXPECT_EQ(quint8(b[entry + 1]), size);
      EXPECT_EQ(quint8(b[entry + 2]), 16);  // colours
      EXPECT_EQ(le16(b, entry + 6), 4);     // bits per pixel
      const quint32 bytes = le32(b, entry + 8), offset = le32(b, entry + 12);
      // 4bpp image plus 1bpp mask, rows padded to 32 bits.
      EXPECT_EQ(bytes,
                40u + 16 * 4 + (size / 2 + 3) / 4 * 4 * size + (size / 8 + 3) / 4 * 4 * size);
      EXPECT_LE(offset + bytes, quint32(b.size()));
      checkDib(offset, size, 2 * size);  // an icon's DIB counts the mask's rows too
    }
  } else {
    const quint32 size = quint32(gridImage(p.grids[0]).width());
    ASSERT_GE(b.size(), 33);
    EXPECT_TRUE(b.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_EQ(b.mid(12, 4), "IHDR");
    EXPECT_EQ(be32(b, 16), size);
    EXPECT_EQ(be32(b, 20), size);
    EXPECT_EQ(quint8(b[24]), 8);  // bits per channel
    EXPECT_EQ(quint8(b[25]), 6);  // RGBA
  }
}

INSTANTIATE_TEST_SUITE_P(Icons, PictureTest, testing::ValuesIn(kPictures),
                         [](const testing::TestParamInfo<Picture>& info) {
                           std::string name = info.param.file;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
