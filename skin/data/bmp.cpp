#include "skin/data/bmp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <string>
#include <vector>

namespace vela::skin {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kMaxHeaderSize = 124; // the largest header Windows defines

enum Compression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitfields = 3,
  kAlphaBitfields = 6,
};

std::uint16_t ReadU16(std::span<const std::uint8_t> d, std::size_t at) {
  return std::uint16_t(d[at] | (d[at + 1] << 8));
}
std::uint32_t ReadU32(std::span<const std::uint8_t> d, std::size_t at) {
  return std::uint32_t(d[at]) | (std::uint32_t(d[at + 1]) << 8) |
         (std::uint32_t(d[at + 2]) << 16) | (std::uint32_t(d[at + 3]) << 24);
}

// One colour channel of a BITFIELDS image: where its bits sit and how to widen them to 8.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;

  int bits = 0;

  // Narrow channels are widened by repeating their bits (5-bit 0b10011 becomes 0b10011100),
  // as the system does; wide ones keep their top eight bits.
  std::uint32_t Extract(std::uint32_t value) const {
    if (bits == 0) return 0;
    const std::uint32_t v = (value & mask) >> shift;
    if (bits >= 8) return v >> (bits - 8);
    std::uint32_t r = v << (8 - bits);
    for (int filled = bits; filled < 8; filled += bits) r |= r >> bits;
    return r & 0xFFu;
  }
};

// A mask is usable when its set bits are one contiguous run (or it is 0: channel absent).
std::optional<Channel> MakeChannel(std::uint32_t mask) {
  Channel c;
  c.mask = mask;
  if (mask == 0) return c;
  c.shift = std::countr_zero(mask);
  const std::uint32_t run = mask >> c.shift;
  if ((run & (run + 1)) != 0) return std::nullopt;
  c.bits = std::popcount(run);
  return c;
}

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0; // always positive; topDown says the row order
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t headerSize = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t imageSize = 0;
  std::array<std::uint32_t, 3> masks{}; // red, green, blue
  std::size_t tableStart = 0;           // first byte after header and masks
  std::size_t pixelStart = 0;
  std::vector<Pixel> palette;
};

bool BitCountAllowed(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool CompressionMatches(const Layout& l) {
  switch (l.compression) {
  case kRgb: return true;
  case kRle8: return l.bitCount == 8 && !l.topDown;
  case kRle4: return l.bitCount == 4 && !l.topDown;
  case kBitfields:
  case kAlphaBitfields: return l.bitCount == 16 || l.bitCount == 32;
  default: return false;
  }
}

bool ReadCoreHeader(std::span<const std::uint8_t> d, Layout& l) {
  const std::size_t h = kFileHeaderSize;
  l.width = ReadU16(d, h + 4);
  l.height = ReadU16(d, h + 6);
  l.bitCount = ReadU16(d, h + 10);
  return l.bitCount != 16 && l.bitCount != 32;
}

bool ReadInfoHeader(std::span<const std::uint8_t> d, Layout& l) {
  const std::size_t h = kFileHeaderSize;
  l.width = std::int32_t(ReadU32(d, h + 4));
  const std::int64_t height = std::int32_t(ReadU32(d, h + 8));
  l.topDown = height < 0;
  l.height = height < 0 ? -height : height;
  l.bitCount = ReadU16(d, h + 14);
  l.compression = ReadU32(d, h + 16);
  l.imageSize = ReadU32(d, h + 20);
  l.colorsUsed = ReadU32(d, h + 32);
  return true;
}

// BITFIELDS masks live inside the larger headers, or right after the 40-byte one.
bool ReadMasks(std::span<const std::uint8_t> d, Layout& l) {
  const bool bitfields = l.compression == kBitfields || l.compression == kAlphaBitfields;
  if (bitfields) {
    std::size_t at = kFileHeaderSize + kInfoHeaderSize;
    if (l.headerSize == kInfoHeaderSize) {
      const std::size_t count = l.compression == kAlphaBitfields ? 4 : 3;
      if (d.size() < at + 4 * count) return false;
      l.tableStart += 4 * count;
    } else if (l.headerSize < kInfoHeaderSize + 12) {
      return false;
    }
    for (std::size_t i = 0; i < 3; ++i) l.masks[i] = ReadU32(d, at + 4 * i);
    if (l.bitCount == 16) {
      for (std::uint32_t m : l.masks)
        if (m > 0xFFFFu) return false;
    }
  } else if (l.bitCount == 16) {
    l.masks = {0x7C00u, 0x03E0u, 0x001Fu};
  } else if (l.bitCount == 32) {
    l.masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
  }
  return true;
}

// Where the pixels start: the file header says, but an offset of 0 (left out by some writers)
// means "right after the palette". An offset inside the headers or past the end is a lie.
bool LocatePixels(std::span<const std::uint8_t> d, Layout& l, std::uint32_t offBits,
                  std::size_t tableBytes) {
  if (offBits == 0) {
    l.pixelStart = l.tableStart + tableBytes;
  } else {
    if (offBits < l.tableStart) return false;
    l.pixelStart = offBits;
  }
  return l.pixelStart < d.size();
}

void ReadPalette(std::span<const std::uint8_t> d, Layout& l, std::size_t entries) {
  const std::size_t entrySize = l.headerSize == kCoreHeaderSize ? 3 : 4;
  // A palette shorter than the bit count allows (the pixels start earlier) is read as far as
  // it goes; indices beyond it are black.
  const std::size_t limit = std::min(l.pixelStart, d.size());
  const std::size_t room = limit > l.tableStart ? (limit - l.tableStart) / entrySize : 0;
  const std::size_t count = std::min(entries, room);
  l.palette.assign(std::size_t(1) << l.bitCount, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = l.tableStart + i * entrySize;
    l.palette[i] = MakePixel(d[at + 2], d[at + 1], d[at]);
  }
}

// Reads the headers, masks and palette; on failure returns nothing and sets `why`.
std::optional<Layout> ReadLayout(std::span<const std::uint8_t> d, std::string& why) {
  const auto fail = [&why](const char* text) {
    why = text;
    return std::nullopt;
  };
  if (d.size() < kFileHeaderSize + 4 || d[0] != 'B' || d[1] != 'M')
    return fail("not a bitmap file (no \"BM\" header)");
  Layout l;
  const std::uint32_t offBits = ReadU32(d, 10);
  l.headerSize = ReadU32(d, kFileHeaderSize);
  const bool core = l.headerSize == kCoreHeaderSize;
  if (!core && (l.headerSize < kInfoHeaderSize || l.headerSize > kMaxHeaderSize))
    return fail("unknown bitmap header size");
  if (d.size() < kFileHeaderSize + l.headerSize) return fail("truncated bitmap header");
  l.tableStart = kFileHeaderSize + l.headerSize;
  if (!(core ? ReadCoreHeader(d, l) : ReadInfoHeader(d, l)))
    return fail("bit count not allowed with the old header");
  if (!BitCountAllowed(l.bitCount)) return fail("unsupported bit count");
  if (!CompressionMatches(l)) return fail("compression unknown or not allowed with this bit count");
  if (l.width <= 0 || l.height <= 0) return fail("no width or height");
  if (!RasterSizeAllowed(l.width, l.height)) return fail("dimensions beyond the raster caps");
  if (!ReadMasks(d, l)) return fail("colour masks missing or wider than the pixel");

  std::size_t entries = 0;
  if (l.bitCount <= 8) {
    const std::size_t full = std::size_t(1) << l.bitCount;
    entries = l.colorsUsed == 0 ? full : std::min<std::size_t>(l.colorsUsed, full);
  }
  const std::size_t entrySize = core ? 3 : 4;
  if (!LocatePixels(d, l, offBits, entries * entrySize))
    return fail("pixel offset inside the headers or past the end");
  if (l.bitCount <= 8) ReadPalette(d, l, entries);
  return l;
}

// ---- uncompressed rows ----

void UnpackIndexed(const std::uint8_t* src, Pixel* dst, int width, int bits,
                   const std::vector<Pixel>& palette) {
  const int perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bits * (x % perByte + 1);
    dst[x] = palette[(src[x / perByte] >> shift) & mask];
  }
}

void UnpackRgb24(const std::uint8_t* src, Pixel* dst, int width) {
  for (int x = 0; x < width; ++x, src += 3) dst[x] = MakePixel(src[2], src[1], src[0]);
}

void UnpackMasked(const std::uint8_t* src, Pixel* dst, int width, int bytes,
                  const std::array<Channel, 3>& ch) {
  const bool plain32 = bytes == 4 && ch[0].mask == 0x00FF0000u && ch[1].mask == 0x0000FF00u &&
                       ch[2].mask == 0x000000FFu;
  for (int x = 0; x < width; ++x, src += bytes) {
    const std::uint32_t v = bytes == 2 ? std::uint32_t(src[0] | (src[1] << 8))
                                       : std::uint32_t(src[0]) | (std::uint32_t(src[1]) << 8) |
                                             (std::uint32_t(src[2]) << 16) |
                                             (std::uint32_t(src[3]) << 24);
    dst[x] = plain32 ? (v & 0x00FFFFFFu)
                     : MakePixel(std::uint8_t(ch[0].Extract(v)), std::uint8_t(ch[1].Extract(v)),
                                 std::uint8_t(ch[2].Extract(v)));
  }
}

bool DecodeRows(std::span<const std::uint8_t> d, const Layout& l, Bitmap& out, std::string& why) {
  const std::uint64_t rowBits = std::uint64_t(l.width) * std::uint64_t(l.bitCount);
  const std::uint64_t stride = (rowBits + 31) / 32 * 4;
  // The last row may lack its padding; everything else must be there.
  const std::uint64_t needed = stride * std::uint64_t(l.height - 1) + (rowBits + 7) / 8;
  if (needed > d.size() - l.pixelStart) {
    why = "pixel rows truncated";
    return false;
  }

  std::array<Channel, 3> channels{};
  if (l.bitCount == 16 || l.bitCount == 32) {
    for (int i = 0; i < 3; ++i) {
      auto c = MakeChannel(l.masks[i]);
      if (!c) {
        why = "a colour mask is not one run of bits";
        return false;
      }
      channels[i] = *c;
    }
  }
  const int width = int(l.width);
  const int height = int(l.height);
  if (!out.Resize(width, height)) {
    why = "dimensions beyond the raster caps";
    return false;
  }
  for (int r = 0; r < height; ++r) {
    const std::uint8_t* src = d.data() + l.pixelStart + stride * std::uint64_t(r);
    Pixel* dst = &out.At(0, l.topDown ? r : height - 1 - r);
    switch (l.bitCount) {
    case 1:
    case 4:
    case 8: UnpackIndexed(src, dst, width, l.bitCount, l.palette); break;
    case 24: UnpackRgb24(src, dst, width); break;
    default: UnpackMasked(src, dst, width, l.bitCount / 8, channels); break;
    }
  }
  return true;
}

// ---- run-length encoded rows ----

// Walks an RLE8 or RLE4 stream. Rows run bottom-up; pixels past the right edge of a row are
// dropped (the next row starts only at an end of line), a delta past the right edge stops at it,
// and the stream ends when it moves above the top row. Pixels the stream never reaches stay
// black, as on a freshly created device bitmap.
//
// The position never leaves 0..Width() x 0..Height(), and only pixels inside the image are
// visited: every pixel is written at most once, so the work is bounded by the length of the
// stream plus the size of the image however long the runs the stream asks for.
class RleDecoder {
public:
  RleDecoder(std::span<const std::uint8_t> data, const Layout& l, Bitmap& out)
      : data_(data), palette_(l.palette), four_(l.compression == kRle4), out_(out) {}

  bool Run() {
    for (;;) {
      if (y_ >= out_.Height()) return true;
      if (pos_ + 2 > data_.size()) return false;
      const std::uint8_t count = data_[pos_], value = data_[pos_ + 1];
      pos_ += 2;
      if (count > 0) {
        Repeat(count, value);
        continue;
      }
      switch (value) {
      case 0: NextLine(); break;
      case 1: return true;
      case 2:
        if (!Delta()) return false;
        break;
      default:
        if (!Literal(value)) return false;
        break;
      }
    }
  }

private:
  // How many of `count` pixels starting at the current column fall inside the row.
  int Visible(int count) const { return std::min(count, out_.Width() - x_); }
  // Writes `visible` pixels of the current row from the current column on; pixel i takes
  // index(i). The column then moves on by `count`, stopping at the right edge.
  template <typename IndexOf> void Emit(int count, IndexOf index) {
    const int visible = Visible(count);
    if (visible <= 0) return;
    Pixel* row = &out_.At(x_, out_.Height() - 1 - y_);
    for (int i = 0; i < visible; ++i) row[i] = palette_[index(i) & (palette_.size() - 1)];
    x_ += visible;
  }
  void Advance(int count) { x_ += Visible(count); }
  static std::uint8_t Nibble(std::uint8_t b, int i) {
    return std::uint8_t((i & 1) ? b & 0x0F : b >> 4);
  }
  void Repeat(int count, std::uint8_t value) {
    Emit(count, [&](int i) { return four_ ? Nibble(value, i) : value; });
  }
  void NextLine() {
    x_ = 0;
    ++y_;
  }
  bool Delta() {
    if (pos_ + 2 > data_.size()) return false;
    Advance(data_[pos_]);
    y_ = std::min(y_ + data_[pos_ + 1], out_.Height());
    pos_ += 2;
    return true;
  }
  bool Literal(int count) {
    const std::size_t bytes = four_ ? (std::size_t(count) + 1) / 2 : std::size_t(count);
    const std::size_t padded = (bytes + 1) & ~std::size_t(1);
    if (pos_ + padded > data_.size()) return false;
    const std::uint8_t* src = data_.data() + pos_;
    Emit(count, [&](int i) { return four_ ? Nibble(src[i / 2], i) : src[i]; });
    pos_ += padded;
    return true;
  }

  std::span<const std::uint8_t> data_;
  const std::vector<Pixel>& palette_;
  bool four_;
  Bitmap& out_;
  std::size_t pos_ = 0;
  int x_ = 0; // 0..Width()
  int y_ = 0; // 0..Height(); rows counted from the bottom
};

bool DecodeRle(std::span<const std::uint8_t> d, const Layout& l, Bitmap& out, std::string& why) {
  std::size_t size = d.size() - l.pixelStart;
  if (l.imageSize != 0 && l.imageSize < size) size = l.imageSize;
  if (!out.Resize(int(l.width), int(l.height))) {
    why = "dimensions beyond the raster caps";
    return false;
  }
  RleDecoder decoder(d.subspan(l.pixelStart, size), l, out);
  if (decoder.Run()) return true;
  why = "run-length data ends before the end-of-bitmap mark";
  return false;
}

} // namespace

Bitmap DecodeBmp(std::span<const std::uint8_t> file) {
  Bitmap out;
  LoadBitmapFromBmp(file, out);
  return out;
}

bool LoadBitmapFromBmp(std::span<const std::uint8_t> file, Bitmap& out, std::string* why) {
  out.Clear();
  std::string problem;
  const auto layout = ReadLayout(file, problem);
  bool ok = false;
  if (layout) {
    const bool rle = layout->compression == kRle8 || layout->compression == kRle4;
    ok = rle ? DecodeRle(file, *layout, out, problem) : DecodeRows(file, *layout, out, problem);
  }
  if (!ok) out.Clear();
  if (why) *why = ok ? std::string() : std::move(problem);
  return ok;
}

bool ReadBmpSize(std::span<const std::uint8_t> file, int& width, int& height) {
  std::string ignored;
  const auto layout = ReadLayout(file, ignored);
  if (!layout) return false;
  width = int(layout->width);
  height = int(layout->height);
  return true;
}

} // namespace vela::skin
