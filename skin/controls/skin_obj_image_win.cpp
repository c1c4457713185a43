#include "skin/controls/skin_obj_image.h"

#include "skin/controls/panel_geometry.h"
#include "ui/bitmap.h"
#include "ui/core/props.h"

namespace vela::skin {

const ui::TClassInfo& TSkinObjImage::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinObjImage>("TSkinObjImage", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinObjImage::TSkinObjImage(ui::TComponent* owner, int glyphMode) : TSkinControl(owner), glyphMode_(glyphMode) {}

void TSkinObjImage::AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) {
  if (Attached())
    return;
  // The control keeps its colour and its messages: only its glyphs change.
  (void)recolour;
  TSkinControl::AttachControl(host, false, canvas);
  ReleaseHook();
  if (Attached() && glyphMode_ == 1)
    ApplyGlyphs();
}

void TSkinObjImage::ApplyGlyphs() {
  const TSkinElements* elements = Elements();
  ui::TComponent* control = Owner();
  if (!elements || !control || elements->Buttons.CheckBitmap.Empty())
    return;
  auto* glyphs = ui::GetObjectProp<ui::TBitmap>(control, "CustomGlyphs");
  if (!glyphs)
    return;
  const Bitmap strip = ComposeGlyphStrip(elements->Buttons.CheckBitmap, elements->Buttons.CheckButtonFrame);
  if (strip.Empty())
    return;
  glyphs->CopyFrom(strip.View());
  ui::SetPropValue(control, "transparentcolor", std::to_wstring(kMagenta));
  // Off and on again, so that the control loads the new glyphs.
  ui::SetPropValue(control, "UseCustomGlyphs", L"false");
  ui::SetPropValue(control, "UseCustomGlyphs", L"true");
}

void TSkinObjImage::Unskin() {
  if (glyphMode_ == 1 && Owner())
    ui::SetPropValue(Owner(), "UseCustomGlyphs", L"false");
}

void TSkinObjImage::Refresh() {
  if (glyphMode_ == 1)
    ApplyGlyphs();
}

} // namespace vela::skin
