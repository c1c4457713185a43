// Feeds arbitrary bytes to the bitmap decoder: it must never read outside the input, never
// allocate beyond the raster caps, and hand back either a whole image or an empty one.
// Built twice: as is, and with VELA_FUZZ_AMPLIFY, where the input is an amplification program
// (tests/fuzz/common/amplify.h) that writes a bitmap file of many megabytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/data/bmp.h"
#include "tests/fuzz/common/amplify.h"

namespace {

void Check(const vela::skin::Bitmap& b) {
  if (!b.Empty() && b.Pixels().size() != std::size_t(b.Width()) * std::size_t(b.Height()))
    std::abort();
  if (b.Empty() && (b.Width() != 0 || b.Height() != 0))
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
#if defined(VELA_FUZZ_AMPLIFY)
  // A member can be as large as its package (64 MiB); 24 MiB holds the 8.5 million runs that
  // overflowed a column counter once, and keeps each run within the suite's time limit.
  const std::vector<std::uint8_t> file = vela::fuzz::Amplify({data, size}, 24u << 20);
  Check(vela::skin::DecodeBmp(file));
#else
  Check(vela::skin::DecodeBmp({data, size}));
#endif
  return 0;
}
