#include "skin/controls/skin_group_box.h"

#include "skin/controls/panel_geometry.h"
#include "skin/controls/skin_paint.h"
#include "skin/data/skin_text_win.h"
#include "ui/core/props.h"
#include "ui/graphics.h"
#include "ui/win_control.h"

namespace vela::skin {

const ui::TClassInfo& TSkinGroupBox::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinGroupBox>("TSkinGroupBox", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinGroupBox::TSkinGroupBox(ui::TComponent* owner) : TSkinControl(owner) {}

void TSkinGroupBox::Draw(HDC dc, const RECT& rect) {
  const TSkinElements* elements = Elements();
  if (!elements)
    return;
  ReadWindowState();
  painted_ = Caption();
  if (painted_.empty() && Owner())
    painted_ = ui::GetStrProp(Owner(), "Caption");
  HFONT font = nullptr;
  COLORREF textColour = ui::ColorToRGB(elements->Colours.WindowText);
  if (Control()) {
    if (auto* f = ui::GetObjectProp<ui::TFont>(Control(), "Font")) {
      font = f->Handle();
      textColour = ui::ColorToRGB(f->Color());
    }
  } else {
    font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  }
  // Declared before the saver, so that it is deleted after the saver has deselected it.
  const ui::TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(elements->Colours.ButtonShadow)));
  const ui::TDCStateSaver saved(dc);
  if (font)
    SelectObject(dc, font);
  SIZE zero{};
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const int top = GroupBoxFrameTop(zero.cy);
  const COLORREF face = ui::ColorToRGB(elements->Colours.ButtonFace);

  // Wipe the native border and caption: the band the caption and the top edge take, and the
  // two outer rings where the other edges lie.
  const RECT band{2, 0, w - 2, zero.cy};
  FillSkinColor(dc, band);
  RECT ring{0, top, w, h};
  FrameWithColour(dc, ring, face);
  InflateRect(&ring, -1, -1);
  FrameWithColour(dc, ring, face);

  SelectObject(dc, pen.Get());
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, 1, top, w - 1, h - 1, 5, 5);

  if (!painted_.empty()) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, face);
    SetTextColor(dc, Enabled() ? textColour : GetSysColor(COLOR_BTNSHADOW));
    RECT text{9, 0, w, h};
    DrawSkinText(dc, painted_, text, DT_EXPANDTABS);
  }
}

} // namespace vela::skin
