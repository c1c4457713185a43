// Any byte string is a compressed stream. The decoder must stay in bounds, produce exactly the
// expanded size, and agree with the plain bit-by-bit decoder; the encoder must round-trip the
// same bytes taken as plain data.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "bench/lzh/bitwise_decoder.h"
#include "skin/data/lzh.h"
#include "skin/data/lzh_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  // Keep each run quick: expanded sizes up to 64 kB.
  constexpr std::int32_t kCap = 64 * 1024;
  std::vector<std::uint8_t> out;
  std::int32_t expanded = 0;
  if (vela::skin::LzhExpand(input, out, kCap)) {
    vela::skin::LzhExpandedSize(input, expanded);
    if (out.size() != std::size_t(expanded > 0 ? expanded : 0))
      std::abort();
    if (out != vela::bench::BitwiseExpand(input))
      std::abort();
  }
  const std::vector<std::uint8_t> packed = vela::skin::LzhCompress(input);
  std::vector<std::uint8_t> back;
  if (!vela::skin::LzhExpand(packed, back, kCap) ||
      back != std::vector<std::uint8_t>(input.begin(), input.end())) {
    std::abort();
  }
  return 0;
}
