#pragma once
// Owning handles of GDI objects: the object is deleted when the handle goes.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace vela::skin {

struct GdiObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};

template <typename Handle>
using UniqueGdi = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueRegion = UniqueGdi<HRGN>;

} // namespace vela::skin
