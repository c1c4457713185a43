// Any byte string is a compressed stream. The decoder must stay in bounds, produce exactly the
// expanded size, and agree with the plain bit-by-bit decoder; the encoder must round-trip the
// same bytes taken as plain data.
// Built twice: as is, and with VELA_FUZZ_AMPLIFY, where the input is an amplification program
// (tests/fuzz/common/amplify.h) that writes a long compressed stream. Long streams reach what
// short ones cannot: many tree rebuilds, and the chunk and block boundaries of the streamed
// decoder, which must produce the same bytes as the whole-buffer one.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "bench/lzh/bitwise_decoder.h"
#include "skin/data/lzh.h"
#include "skin/data/lzh_encoder.h"
#include "skin/data/memory_stream.h"
#include "tests/fuzz/common/amplify.h"

namespace {

// Expands `input` with every decoder and aborts when they disagree. Keep each run quick: the
// plain decoder is slow, so expanded sizes stay under `cap`.
void CheckDecoders(std::span<const std::uint8_t> input, std::int32_t cap, bool streamed) {
  std::vector<std::uint8_t> out;
  std::int32_t expanded = 0;
  if (!vela::skin::LzhExpand(input, out, cap))
    return;
  vela::skin::LzhExpandedSize(input, expanded);
  if (out.size() != std::size_t(expanded > 0 ? expanded : 0))
    std::abort();
  if (out != vela::bench::BitwiseExpand(input))
    std::abort();
  if (streamed) {
    // The object the skin loader drives: 8 kB reads and 64 kB chunks behind a 4 kB window.
    vela::skin::MemoryStream source(input);
    vela::skin::MemoryStream viaCallbacks;
    source.SetPosition(4);
    vela::skin::TLZH lzh(&source, &viaCallbacks);
    lzh.Decode(expanded);
    if (viaCallbacks.Size() != out.size() ||
        !std::equal(out.begin(), out.end(), viaCallbacks.Data()))
      std::abort();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
#if defined(VELA_FUZZ_AMPLIFY)
  const std::vector<std::uint8_t> stream = vela::fuzz::Amplify({data, size}, 512u << 10);
  CheckDecoders(stream, 512 << 10, true);
#else
  const std::span<const std::uint8_t> input(data, size);
  constexpr std::int32_t kCap = 64 * 1024;
  CheckDecoders(input, kCap, false);
  const std::vector<std::uint8_t> packed = vela::skin::LzhCompress(input);
  std::vector<std::uint8_t> back;
  if (!vela::skin::LzhExpand(packed, back, kCap) ||
      back != std::vector<std::uint8_t>(input.begin(), input.end())) {
    std::abort();
  }
#endif
  return 0;
}
