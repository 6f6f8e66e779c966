// make_icons: turns the character-grid pictures in paint/icons into ICO, BMP
// and PNG files at build time, so the artwork stays reviewable text and the
// binary files never go stale.
//
//   make_icons PALETTE ico OUT SOURCE...  one 16-colour image per source
//   make_icons PALETTE bmp OUT SOURCE     16-colour bitmap, no transparency
//   make_icons PALETTE png OUT SOURCE     32-bit RGBA
//
// Standard library only: it runs on the build host before anything else.

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char kTransparentChar = '.';
constexpr int kTransparent = -1;
constexpr int kColours = 16;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

struct Palette {
  std::array<Rgb, kColours> colours{};
  std::array<int, 256> index_of{};  // by character; -2 = not a colour
};

// Top-down, row-major palette indices, or kTransparent.
struct Picture {
  std::string source;
  int size = 0;
  std::vector<int> pixels;
  int at(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
  bool has_transparency() const {
    for (int p : pixels)
      if (p == kTransparent) return true;
    return false;
  }
};

[[noreturn]] void fail(const std::string& where, const std::string& what) {
  throw std::runtime_error(where + ": " + what);
}

// The lines that carry data, with their 1-based numbers: '#' starts a comment
// line, blank lines are ignored and trailing blanks (or a CR) are trimmed.
std::vector<std::pair<int, std::string>> data_lines(const std::string& path) {
  std::ifstream in(path);
  if (!in) fail(path, "cannot open");
  std::vector<std::pair<int, std::string>> lines;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
      line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    lines.emplace_back(number, line);
  }
  return lines;
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Each data line: CHAR INDEX RRGGBB [name...]
Palette read_palette(const std::string& path) {
  Palette palette;
  palette.index_of.fill(-2);
  std::set<int> seen;
  for (const auto& [number, line] : data_lines(path)) {
    const std::string where = path + ":" + std::to_string(number);
    std::istringstream fields(line);
    std::string symbol, hex;
    int index = -1;
    if (!(fields >> symbol >> index >> hex) || symbol.size() != 1 || hex.size() != 6)
      fail(where, "expected: CHAR INDEX RRGGBB name");
    const unsigned char c = static_cast<unsigned char>(symbol[0]);
    if (c == kTransparentChar) fail(where, "'.' is reserved for transparency");
    if (index < 0 || index >= kColours) fail(where, "index must be 0..15");
    if (palette.index_of[c] != -2) fail(where, "character used twice");
    if (!seen.insert(index).second) fail(where, "index used twice");
    int value[6];
    for (int i = 0; i < 6; ++i)
      if ((value[i] = hex_digit(hex[static_cast<std::size_t>(i)])) < 0)
        fail(where, "bad hex colour");
    palette.colours[static_cast<std::size_t>(index)] = {
        static_cast<std::uint8_t>(value[0] * 16 + value[1]),
        static_cast<std::uint8_t>(value[2] * 16 + value[3]),
        static_cast<std::uint8_t>(value[4] * 16 + value[5])};
    palette.index_of[c] = index;
  }
  if (seen.size() != kColours) fail(path, "needs all 16 colours");
  return palette;
}

Picture read_picture(const std::string& path, const Palette& palette) {
  Picture picture{path, 0, {}};
  const auto lines = data_lines(path);
  picture.size = static_cast<int>(lines.size());
  if (picture.size < 1 || picture.size > 256) fail(path, "needs 1 to 256 rows");
  for (const auto& [number, line] : lines) {
    const std::string where = path + ":" + std::to_string(number);
    if (static_cast<int>(line.size()) != picture.size)
      fail(where, "row is " + std::to_string(line.size()) + " wide, the picture is " +
                      std::to_string(picture.size) + " rows high; it must be square");
    for (char ch : line) {
      const unsigned char c = static_cast<unsigned char>(ch);
      if (c == kTransparentChar) {
        picture.pixels.push_back(kTransparent);
      } else if (palette.index_of[c] >= 0) {
        picture.pixels.push_back(palette.index_of[c]);
      } else {
        fail(where, std::string("'") + ch + "' is not in the palette");
      }
    }
  }
  return picture;
}

class Bytes {
 public:
  void u8(unsigned v) { data_.push_back(static_cast<std::uint8_t>(v)); }
  void le16(unsigned v) {
    u8(v & 0xff);
    u8((v >> 8) & 0xff);
  }
  void le32(std::uint32_t v) {
    le16(v & 0xffff);
    le16(v >> 16);
  }
  void be32(std::uint32_t v) {
    u8(v >> 24);
    u8((v >> 16) & 0xff);
    u8((v >> 8) & 0xff);
    u8(v & 0xff);
  }
  void append(std::string_view text) { data_.insert(data_.end(), text.begin(), text.end()); }
  void append(const std::vector<std::uint8_t>& more) {
    data_.insert(data_.end(), more.begin(), more.end());
  }
  std::uint32_t size() const { return static_cast<std::uint32_t>(data_.size()); }
  const std::vector<std::uint8_t>& data() const { return data_; }

 private:
  std::vector<std::uint8_t> data_;
};

// Rows of DIBs are padded to whole 32-bit words.
std::uint32_t row_bytes(int width, int bits) {
  return static_cast<std::uint32_t>((width * bits + 31) / 32 * 4);
}

// BITMAPINFOHEADER, colour table and 4bpp pixels, bottom row first as DIBs
// store them. Transparent pixels become index 0 (black) so that the icon's
// XOR step leaves the screen unchanged where the AND mask keeps it.
void append_dib(Bytes& out, const Picture& picture, const Palette& palette, int header_height,
                std::uint32_t image_bytes) {
  out.le32(40);
  out.le32(static_cast<std::uint32_t>(picture.size));
  out.le32(static_cast<std::uint32_t>(header_height));
  out.le16(1);  // planes
  out.le16(4);  // bits per pixel
  out.le32(0);  // BI_RGB
  out.le32(image_bytes);
  out.le32(0);  // pixels per metre, x and y: unknown
  out.le32(0);
  out.le32(kColours);  // colours used
  out.le32(0);         // all colours important
  for (const Rgb& c : palette.colours) {
    out.u8(c.b);
    out.u8(c.g);
    out.u8(c.r);
    out.u8(0);
  }
  const std::uint32_t stride = row_bytes(picture.size, 4);
  for (int y = picture.size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < picture.size; ++x) {
      const int index = picture.at(x, y) == kTransparent ? 0 : picture.at(x, y);
      row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
    }
    out.append(row);
  }
}

// 1bpp AND mask, bottom row first: a set bit keeps the screen pixel.
void append_mask(Bytes& out, const Picture& picture) {
  const std::uint32_t stride = row_bytes(picture.size, 1);
  for (int y = picture.size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < picture.size; ++x)
      if (picture.at(x, y) == kTransparent)
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.append(row);
  }
}

Bytes make_ico(const std::vector<Picture>& pictures, const Palette& palette) {
  std::set<int> sizes;
  for (const Picture& p : pictures)
    if (!sizes.insert(p.size).second) fail(p.source, "an icon holds one image per size");

  std::vector<Bytes> images;
  for (const Picture& p : pictures) {
    const std::uint32_t bytes =
        (row_bytes(p.size, 4) + row_bytes(p.size, 1)) * static_cast<std::uint32_t>(p.size);
    Bytes image;
    // An icon's DIB is as high as the colour image and the mask together.
    append_dib(image, p, palette, 2 * p.size, bytes);
    append_mask(image, p);
    images.push_back(std::move(image));
  }

  Bytes out;
  out.le16(0);  // reserved
  out.le16(1);  // icon, not cursor
  out.le16(static_cast<unsigned>(pictures.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(pictures.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const int size = pictures[i].size;
    out.u8(size == 256 ? 0 : static_cast<unsigned>(size));  // 0 stands for 256
    out.u8(size == 256 ? 0 : static_cast<unsigned>(size));
    out.u8(kColours);
    out.u8(0);    // reserved
    out.le16(1);  // planes
    out.le16(4);  // bits per pixel
    out.le32(images[i].size());
    out.le32(offset);
    offset += images[i].size();
  }
  for (const Bytes& image : images) out.append(image.data());
  return out;
}

Bytes make_bmp(const Picture& picture, const Palette& palette) {
  if (picture.has_transparency())
    fail(picture.source, "a BMP has no transparency: paint the background instead of '.'");
  const std::uint32_t pixel_bytes =
      row_bytes(picture.size, 4) * static_cast<std::uint32_t>(picture.size);
  const std::uint32_t pixel_offset = 14 + 40 + 4 * kColours;
  Bytes out;
  out.append("BM");
  out.le32(pixel_offset + pixel_bytes);
  out.le32(0);  // reserved
  out.le32(pixel_offset);
  append_dib(out, picture, palette, picture.size, pixel_bytes);
  return out;
}

std::uint32_t crc32(const std::vector<std::uint8_t>& data, std::size_t from) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xffffffffu;
  for (std::size_t i = from; i < data.size(); ++i) c = table[(c ^ data[i]) & 0xff] ^ (c >> 8);
  return c ^ 0xffffffffu;
}

std::uint32_t adler32(const std::vector<std::uint8_t>& data) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

// A zlib stream of stored (uncompressed) deflate blocks: the files are tiny,
// and it keeps the tool free of a compression library.
std::vector<std::uint8_t> zlib_stored(const std::vector<std::uint8_t>& raw) {
  Bytes out;
  out.u8(0x78);  // deflate, 32K window
  out.u8(0x01);  // no dictionary; makes the header a multiple of 31
  std::size_t pos = 0;
  do {
    const std::size_t len = std::min<std::size_t>(raw.size() - pos, 65535);
    const bool last = pos + len == raw.size();
    out.u8(last ? 1 : 0);  // BFINAL, BTYPE 00 = stored
    out.le16(static_cast<unsigned>(len));
    out.le16(static_cast<unsigned>(~len & 0xffff));
    out.append(std::vector<std::uint8_t>(raw.begin() + static_cast<std::ptrdiff_t>(pos),
                                         raw.begin() + static_cast<std::ptrdiff_t>(pos + len)));
    pos += len;
  } while (pos < raw.size());
  out.be32(adler32(raw));
  return out.data();
}

void append_chunk(Bytes& out, std::string_view type, const std::vector<std::uint8_t>& body) {
  out.be32(static_cast<std::uint32_t>(body.size()));
  const std::size_t start = out.size();
  out.append(type);
  out.append(body);
  out.be32(crc32(out.data(), start));
}

Bytes make_png(const Picture& picture, const Palette& palette) {
  Bytes header;
  header.be32(static_cast<std::uint32_t>(picture.size));
  header.be32(static_cast<std::uint32_t>(picture.size));
  header.u8(8);  // bits per channel
  header.u8(6);  // RGBA
  header.u8(0);  // deflate
  header.u8(0);  // adaptive filtering
  header.u8(0);  // not interlaced

  std::vector<std::uint8_t> raw;
  for (int y = 0; y < picture.size; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < picture.size; ++x) {
      const int index = picture.at(x, y);
      if (index == kTransparent) {
        raw.insert(raw.end(), {0, 0, 0, 0});
      } else {
        const Rgb& c = palette.colours[static_cast<std::size_t>(index)];
        raw.insert(raw.end(), {c.r, c.g, c.b, 255});
      }
    }
  }

  Bytes out;
  out.append("\x89PNG\r\n\x1a\n");
  append_chunk(out, "IHDR", header.data());
  append_chunk(out, "IDAT", zlib_stored(raw));
  append_chunk(out, "IEND", {});
  return out;
}

// Writes beside the target and renames, so an interrupted build never leaves
// a half-written file that looks up to date.
void write_file(const std::string& path, const Bytes& bytes) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data().data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) fail(temp, "cannot write");
  }
  std::filesystem::rename(temp, path);
}

int run(int argc, char** argv) {
  const std::string usage =
      "usage: make_icons PALETTE ico OUT SOURCE...\n"
      "       make_icons PALETTE bmp|png OUT SOURCE\n";
  if (argc < 5) {
    std::cerr << usage;
    return 2;
  }
  const std::string format = argv[2];
  const std::string out_path = argv[3];
  const Palette palette = read_palette(argv[1]);
  std::vector<Picture> pictures;
  for (int i = 4; i < argc; ++i) pictures.push_back(read_picture(argv[i], palette));

  if (format == "ico") {
    write_file(out_path, make_ico(pictures, palette));
  } else if ((format == "bmp" || format == "png") && pictures.size() == 1) {
    write_file(out_path,
               format == "bmp" ? make_bmp(pictures[0], palette) : make_png(pictures[0], palette));
  } else {
    std::cerr << usage;
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "make_icons: " << e.what() << '\n';
    return 1;
  }
}
