#pragma once
// Image lists: equal-sized images in one native image list, drawn by index.
//
//   TImageList images(form);
//   images.SetSize(16, 16);
//   images.AddMasked(strip, clFuchsia);    // cuts the strip into 16 x 16 images
//   images.Draw(canvas, 2, 2, 0);
#include "ui/core/component.h"
#include "ui/graphics.h"

#include <commctrl.h>
#include <windows.h>
#include "ui/win_names.h"

namespace vela::ui {

class TBitmap;

class TImageList : public TComponent {
  VELA_CLASS_INFO
public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  // Changing the size empties the list.
  void SetSize(int width, int height);
  int Count() const;
  HIMAGELIST Handle() const;

  // Adds every image-sized cell of the bitmap, left to right; returns the first index.
  int Add(const TBitmap& image, const TBitmap* mask = nullptr);
  int AddMasked(const TBitmap& image, TColor maskColor);
  void Clear();
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;

private:
  void Recreate();
  int width_ = 16;
  int height_ = 16;
  mutable HIMAGELIST handle_ = nullptr;
};

} // namespace vela::ui
