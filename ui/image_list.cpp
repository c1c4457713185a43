#include "ui/image_list.h"

#include "ui/bitmap.h"

#include <cstring>

namespace vela::ui {

namespace {

// A copy of a bitmap that is selected into no DC, as the image-list calls require.
TGdiObject<HBITMAP> FreeCopy(const TBitmap& source) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = source.Width();
  bmi.bmiHeader.biHeight = -source.Height();
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TGdiObject<HBITMAP> copy(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!copy) throw EOutOfResources("Cannot create an image-list bitmap");
  auto view = source.View();
  for (int y = 0; y < view.height; ++y)
    std::memcpy(static_cast<std::uint32_t*>(bits) + std::size_t(y) * view.width, view.Row(y),
                std::size_t(view.width) * 4);
  return copy;
}

} // namespace

const TClassInfo& TImageList::StaticClassInfo() {
  using P = PropsOf<TImageList>;
  static const TClassInfo info =
      MakeClassInfo<TImageList>("TImageList", &TComponent::StaticClassInfo(),
                                {P::Int("Height", &TImageList::Height, &TImageList::SetHeight),
                                 P::Int("Width", &TImageList::Width, &TImageList::SetWidth)});
  return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
  Destroying();
  if (handle_) ImageList_Destroy(handle_);
}

void TImageList::Recreate() {
  if (handle_) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

void TImageList::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) throw EInvalidOperation("Image list sizes must be positive");
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  Recreate();
}

HIMAGELIST TImageList::Handle() const {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (!handle_) throw EOutOfResources("Cannot create an image list");
  }
  return handle_;
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
  if (image.Empty()) return -1;
  const TGdiObject<HBITMAP> picture = FreeCopy(image);
  const TGdiObject<HBITMAP> maskCopy = mask && !mask->Empty() ? FreeCopy(*mask) : TGdiObject<HBITMAP>();
  return ImageList_Add(Handle(), picture.Get(), maskCopy.Get());
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  if (image.Empty()) return -1;
  const TGdiObject<HBITMAP> picture = FreeCopy(image);
  return ImageList_AddMasked(Handle(), picture.Get(), ColorToRGB(maskColor));
}

void TImageList::Clear() {
  if (handle_) ImageList_RemoveAll(handle_);
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
  if (!canvas || !canvas->Handle() || index < 0 || index >= Count()) return;
  ImageList_DrawEx(handle_, index, canvas->Handle(), x, y, 0, 0, CLR_NONE, enabled ? CLR_DEFAULT : CLR_DEFAULT,
                   ILD_TRANSPARENT | (enabled ? 0 : ILD_BLEND50));
}

} // namespace vela::ui
