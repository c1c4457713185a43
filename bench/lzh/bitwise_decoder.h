#pragma once
// A deliberately plain LZH decoder: one bit at a time out of a 16-bit buffer, one byte at a time
// through read and write callbacks, a 4096-byte ring and scalar tree updates. It is the
// yardstick the benchmarks measure the real decoder against, and the independent second opinion
// the tests compare it with.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vela::bench {

class BitwiseLzhDecoder {
public:
  using ReadByte = int (*)(void* context); // a byte, or -1 at the end
  using WriteByte = void (*)(void* context, std::uint8_t byte);

  void Decode(std::int32_t size, ReadByte read, WriteByte write, void* context) {
    read_ = read;
    context_ = context;
    buffer_ = 0;
    count_ = 0;
    StartTree();
    ring_.fill(0);
    for (int i = 0; i < kN - kF; ++i)
      ring_[std::size_t(i)] = ' ';
    int r = kN - kF;
    for (std::int32_t produced = 0; produced < size;) {
      const int c = DecodeChar();
      if (c < 256) {
        write(context, std::uint8_t(c));
        ring_[std::size_t(r)] = std::uint8_t(c);
        r = (r + 1) & (kN - 1);
        ++produced;
        continue;
      }
      const int start = (r - DecodePosition() - 1) & (kN - 1);
      const int length = c - 255 + kThreshold;
      for (int k = 0; k < length && produced < size; ++k) {
        const std::uint8_t b = ring_[std::size_t((start + k) & (kN - 1))];
        write(context, b);
        ring_[std::size_t(r)] = b;
        r = (r + 1) & (kN - 1);
        ++produced;
      }
    }
  }

private:
  static constexpr int kN = 4096, kF = 60, kThreshold = 2;
  static constexpr int kChars = 256 - kThreshold + kF, kT = kChars * 2 - 1, kR = kT - 1;

  void FillBits() {
    while (count_ <= 8) {
      int b = read_(context_);
      if (b < 0)
        b = 0;
      buffer_ = std::uint16_t(buffer_ | (b << (8 - count_)));
      count_ = std::uint8_t(count_ + 8);
    }
  }
  int GetBit() {
    FillBits();
    const int bit = buffer_ >> 15;
    buffer_ = std::uint16_t(buffer_ << 1);
    --count_;
    return bit;
  }
  int GetByte() {
    FillBits();
    const int byte = buffer_ >> 8;
    buffer_ = std::uint16_t(buffer_ << 8);
    count_ = std::uint8_t(count_ - 8);
    return byte;
  }

  static int UpperOf(int b) {
    if (b < 0x20)
      return 0;
    if (b < 0x50)
      return 1 + (b - 0x20) / 16;
    if (b < 0x90)
      return 4 + (b - 0x50) / 8;
    if (b < 0xC0)
      return 0x0C + (b - 0x90) / 4;
    if (b < 0xF0)
      return 0x18 + (b - 0xC0) / 2;
    return 0x30 + (b - 0xF0);
  }
  static int LengthOf(int b) {
    if (b < 0x20)
      return 3;
    if (b < 0x50)
      return 4;
    if (b < 0x90)
      return 5;
    if (b < 0xC0)
      return 6;
    if (b < 0xF0)
      return 7;
    return 8;
  }
  int DecodePosition() {
    int b = GetByte();
    const int upper = UpperOf(b) << 6;
    for (int j = LengthOf(b) - 2; j > 0; --j)
      b = (b << 1) + GetBit();
    return upper | (b & 0x3F);
  }
  int DecodeChar() {
    int c = son_[kR];
    while (c < kT)
      c = son_[std::size_t(c + GetBit())];
    c -= kT;
    Update(c);
    return c;
  }

  void StartTree() {
    for (int i = 0; i < kChars; ++i) {
      freq_[i] = 1;
      son_[i] = kT + i;
      prnt_[kT + i] = i;
    }
    for (int i = 0, j = kChars; j <= kR; i += 2, ++j) {
      freq_[j] = freq_[i] + freq_[i + 1];
      son_[j] = i;
      prnt_[i] = prnt_[i + 1] = j;
    }
    freq_[kT] = 0xFFFF;
    prnt_[kR] = 0;
  }
  void Rebuild() {
    int j = 0;
    for (int i = 0; i < kT; ++i) {
      if (son_[i] >= kT) {
        freq_[j] = (freq_[i] + 1) / 2;
        son_[j] = son_[i];
        ++j;
      }
    }
    for (int i = 0, n = kChars; n < kT; i += 2, ++n) {
      const unsigned f = freq_[i] + freq_[i + 1];
      int k = n - 1;
      while (f < freq_[k])
        --k;
      ++k;
      for (int m = n; m > k; --m) {
        freq_[m] = freq_[m - 1];
        son_[m] = son_[m - 1];
      }
      freq_[k] = f;
      son_[k] = i;
    }
    for (int i = 0; i < kT; ++i) {
      const int k = son_[i];
      prnt_[k] = i;
      if (k < kT)
        prnt_[k + 1] = i;
    }
  }
  void Update(int c) {
    if (freq_[kR] == 0x8000)
      Rebuild();
    c = prnt_[kT + c];
    do {
      const unsigned k = ++freq_[c];
      int l = c + 1;
      if (k > freq_[l]) {
        while (k > freq_[++l]) {
        }
        --l;
        freq_[c] = freq_[l];
        freq_[l] = k;
        const int i = son_[c];
        prnt_[i] = l;
        if (i < kT)
          prnt_[i + 1] = l;
        const int j = son_[l];
        son_[l] = i;
        prnt_[j] = c;
        if (j < kT)
          prnt_[j + 1] = c;
        son_[c] = j;
        c = l;
      }
    } while ((c = prnt_[c]) != 0);
  }

  ReadByte read_ = nullptr;
  void* context_ = nullptr;
  std::uint16_t buffer_ = 0;
  std::uint8_t count_ = 0;
  std::array<std::uint8_t, kN> ring_{};
  std::array<unsigned, kT + 1> freq_{};
  std::array<int, kT + kChars> prnt_{};
  std::array<int, kT> son_{};
};

// Decodes a whole compressed stream (size field and bits) with the plain decoder.
inline std::vector<std::uint8_t> BitwiseExpand(std::span<const std::uint8_t> stream) {
  struct Io {
    std::span<const std::uint8_t> in;
    std::size_t next = 4;
    std::vector<std::uint8_t> out;
  } io{stream, 4, {}};
  if (stream.size() < 4)
    return {};
  const std::int32_t size =
      std::int32_t(std::uint32_t(stream[0]) | std::uint32_t(stream[1]) << 8 |
                   std::uint32_t(stream[2]) << 16 | std::uint32_t(stream[3]) << 24);
  if (size > 0)
    io.out.reserve(std::size_t(size));
  BitwiseLzhDecoder decoder;
  decoder.Decode(
      size,
      [](void* c) -> int {
        auto& s = *static_cast<Io*>(c);
        return s.next < s.in.size() ? s.in[s.next++] : -1;
      },
      [](void* c, std::uint8_t b) { static_cast<Io*>(c)->out.push_back(b); }, &io);
  return io.out;
}

} // namespace vela::bench
