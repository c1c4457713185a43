#include "skin/controls/skin_progress.h"

#include "skin/controls/panel_geometry.h"
#include "ui/bitmap.h"
#include "ui/graphics.h"

#include <commctrl.h>

namespace vela::skin {

const ui::TClassInfo& TSkinProgress::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinProgress>("TSkinProgress", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinProgress::TSkinProgress(ui::TComponent* owner) : TSkinControl(owner) {}

const TDataSkinBorder* TSkinProgress::ProgressElement() const {
  const TSkinElements* elements = Elements();
  if (!elements || !elements->Progress || elements->Progress->Bitmap.Empty())
    return nullptr;
  return elements->Progress.get();
}

bool TSkinProgress::BeforeMessage(ui::TMessage& m) {
  if (!ProgressElement())
    return TSkinControl::BeforeMessage(m);
  if (m.Msg == WM_ERASEBKGND) {
    m.Result = 1;
    return false;
  }
  if (m.Msg != WM_PAINT)
    return TSkinControl::BeforeMessage(m);
  PaintClientMessage(m);
  return false;
}

void TSkinProgress::Draw(HDC dc, const RECT& rect) {
  const TDataSkinBorder* element = ProgressElement();
  if (!element)
    return;
  ProgressState state;
  state.Width = rect.right - rect.left;
  state.Height = rect.bottom - rect.top;
  // The bar fills from its minimum, which need not be 0.
  const ProgressSpan span = ProgressSpanOf(int(SendMessageW(Handle(), PBM_GETRANGE, TRUE, 0)),
                                           int(SendMessageW(Handle(), PBM_GETRANGE, FALSE, 0)),
                                           int(SendMessageW(Handle(), PBM_GETPOS, 0, 0)));
  state.Position = span.Position;
  state.Maximum = span.Maximum;
  state.Vertical = (GetWindowLongPtrW(Handle(), GWL_STYLE) & PBS_VERTICAL) != 0;
  state.Face = PixelFromColorRef(ui::ColorToRGB(FaceColour()));
  const Bitmap look = element->Style == 1 ? ComposeChunkProgress(state, *element) : ComposeProgress(state, *element);
  if (!look.Empty())
    ui::BlitRaster(dc, rect.left, rect.top, look.View());
}

} // namespace vela::skin
