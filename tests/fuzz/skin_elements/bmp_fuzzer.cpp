// Feeds arbitrary bytes to the bitmap decoder: it must never read outside the input, never
// allocate beyond the raster caps, and hand back either a whole image or an empty one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skin/data/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const vela::skin::Bitmap b = vela::skin::DecodeBmp({data, size});
  if (!b.Empty() && b.Pixels().size() != std::size_t(b.Width()) * std::size_t(b.Height()))
    std::abort();
  if (b.Empty() && (b.Width() != 0 || b.Height() != 0)) std::abort();
  return 0;
}
