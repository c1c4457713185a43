#include "ui/speed_button.h"

#include "ui/win_control.h"

#include <algorithm>

namespace vela::ui {

using vela::skin::Pixel;

TGlyphLayout LayoutGlyphAndText(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout, int margin, int spacing) {
  //   blGlyphLeft:  |margin|glyph|spacing|text|      blGlyphTop: the same, top to bottom
  //   blGlyphRight: |text|spacing|glyph|margin|      blGlyphBottom: likewise upwards
  bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  int c = horizontal ? client.cx : client.cy;
  int g = horizontal ? glyph.cx : glyph.cy;
  int t = horizontal ? text.cx : text.cy;
  if (text.cx == 0 || glyph.cx == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (c - (g + t)) / 3;
      spacing = margin;
    } else {
      margin = (c - (g + spacing + t) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (c - (margin + g) - t) / 2;
  }
  TGlyphLayout out;
  int glyphAt = 0, textAt = 0;
  switch (layout) {
  case TButtonLayout::blGlyphLeft:
  case TButtonLayout::blGlyphTop:
    glyphAt = margin;
    textAt = margin + g + spacing;
    break;
  case TButtonLayout::blGlyphRight:
  case TButtonLayout::blGlyphBottom:
    glyphAt = c - margin - g;
    textAt = glyphAt - spacing - t;
    break;
  }
  if (horizontal) {
    out.glyph = POINT{glyphAt, (client.cy - glyph.cy + 1) / 2};
    int ty = (client.cy - text.cy + 1) / 2;
    out.text = RECT{textAt, ty, textAt + text.cx, ty + text.cy};
  } else {
    out.glyph = POINT{(client.cx - glyph.cx + 1) / 2, glyphAt};
    int tx = (client.cx - text.cx + 1) / 2;
    out.text = RECT{tx, textAt, tx + text.cx, textAt + text.cy};
  }
  return out;
}

const TClassInfo& TSpeedButton::StaticClassInfo() {
  using P = PropsOf<TSpeedButton>;
  static const TClassInfo info = MakeClassInfo<TSpeedButton>(
      "TSpeedButton", &TGraphicControl::StaticClassInfo(),
      {P::Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp),
       P::Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
       P::Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown),
       P::Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat),
       P::Owned<TBitmap>("Glyph", &TSpeedButton::Glyph),
       P::Enum<TButtonLayout>("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout,
                              {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}),
       P::Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin),
       P::Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs),
       P::Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing),
       P::Bool("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent)});
  return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
  SetParentColor(true);
  // Clicks are decided here: a press and a release over the button.
  clickOnRelease_ = false;
  glyph_->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() {
  Destroying();
  glyph_->OnChange = nullptr;
}

void TSpeedButton::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 4);
  if (value == numGlyphs_) return;
  numGlyphs_ = value;
  Invalidate();
}
void TSpeedButton::SetFlat(bool value) {
  flat_ = value;
  Invalidate();
}
void TSpeedButton::SetLayout(TButtonLayout value) {
  layout_ = value;
  Invalidate();
}
void TSpeedButton::SetMargin(int value) {
  margin_ = std::max(-1, value);
  Invalidate();
}
void TSpeedButton::SetSpacing(int value) {
  spacing_ = std::max(-1, value);
  Invalidate();
}
void TSpeedButton::SetTransparent(bool value) {
  transparent_ = value;
  Invalidate();
}
void TSpeedButton::SetText(const std::wstring& text) {
  TGraphicControl::SetText(text);
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
  groupIndex_ = std::max(0, value);
  if (groupIndex_ == 0) SetDown(false);
}

void TSpeedButton::SetDown(bool value) {
  // Only a button of a group stays down.
  if (groupIndex_ == 0 && !HasState(csLoading)) value = false;
  if (value == down_) return;
  down_ = value;
  if (down_) ReleaseGroup();
  Invalidate();
}

void TSpeedButton::ReleaseGroup() {
  if (!Parent() || groupIndex_ == 0) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
      other->down_ = false;
      other->Invalidate();
    }
  }
}

TButtonState TSpeedButton::State() const {
  if (pressing_ && dragInside_) return TButtonState::bsDown;
  if (down_) return TButtonState::bsExclusive;
  if (!Enabled()) return TButtonState::bsDisabled;
  return TButtonState::bsUp;
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled()) {
    pressing_ = true;
    dragInside_ = true;
    SetMouseCapture(true);
    Invalidate();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  if (pressing_) {
    RECT r = ClientRect();
    bool inside = x >= r.left && y >= r.top && x < r.right && y < r.bottom;
    if (inside != dragInside_) {
      dragInside_ = inside;
      Invalidate();
    }
  }
  TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  bool clicked = false;
  if (button == TMouseButton::mbLeft && pressing_) {
    pressing_ = false;
    SetMouseCapture(false);
    clicked = dragInside_;
    dragInside_ = false;
    if (clicked && groupIndex_ > 0) SetDown(!(down_ && allowAllUp_));
    Invalidate();
  }
  auto alive = AliveToken();
  TGraphicControl::MouseUp(button, shift, x, y);
  if (clicked && !alive.expired()) Click();
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
  case CM_MOUSEENTER:
    mouseIn_ = true;
    if (flat_ && Enabled()) Invalidate();
    break;
  case CM_MOUSELEAVE:
    mouseIn_ = false;
    if (flat_ && Enabled()) Invalidate();
    break;
  case CM_ENABLEDCHANGED:
    if (!Enabled() && pressing_) {
      pressing_ = dragInside_ = false;
      SetMouseCapture(false);
    }
    Invalidate();
    break;
  default:
    break;
  }
  TGraphicControl::WndProc(m);
}

void DrawGlyphCell(HDC dc, POINT at, const TBitmap& glyph, int numGlyphs, TButtonState state) {
  if (glyph.Empty()) return;
  int cells = std::min(numGlyphs, std::max(1, glyph.Width()));
  int cellWidth = glyph.Width() / cells;
  int index = int(state);
  bool grey = false;
  if (index >= cells) {
    grey = state == TButtonState::bsDisabled;
    index = 0;
  }
  // The cell is copied out so that a disabled look can be made from it.
  TBitmap cell;
  cell.SetSize(cellWidth, glyph.Height());
  auto src = glyph.View();
  auto dst = cell.View();
  Pixel transparent = vela::skin::PixelFromColorRef(std::uint32_t(ColorToRGB(glyph.TransparentColor())));
  for (int y = 0; y < dst.height; ++y)
    for (int x = 0; x < dst.width; ++x) {
      Pixel p = src.At(index * cellWidth + x, y) & 0xFFFFFF;
      if (grey && p != transparent) {
        int avg = (vela::skin::PixelRed(p) + vela::skin::PixelGreen(p) + vela::skin::PixelBlue(p)) / 3;
        auto light = std::uint8_t((avg + 2 * 0xC0) / 3);
        p = vela::skin::MakePixel(light, light, light);
        if (p == transparent) p ^= 1;
      }
      dst.At(x, y) = p;
    }
  TransparentBlt(dc, at.x, at.y, cellWidth, cell.Height(), cell.Canvas()->Handle(), 0, 0, cellWidth, cell.Height(),
                 vela::skin::ColorRefFromPixel(transparent));
}

void TSpeedButton::DrawGlyph(HDC dc, POINT at, TButtonState state) { DrawGlyphCell(dc, at, *glyph_, numGlyphs_, state); }

void TSpeedButton::Paint() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  RECT r = ClientRect();
  TButtonState state = State();
  bool pushed = state == TButtonState::bsDown || state == TButtonState::bsExclusive;
  if (!transparent_ || !flat_) {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
  }
  if (flat_) {
    if (pushed) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (mouseIn_ && Enabled()) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  } else {
    RECT face = r;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pushed ? DFCS_PUSHED : 0));
  }

  SIZE glyphSize{0, 0};
  if (!glyph_->Empty()) glyphSize = SIZE{glyph_->Width() / std::min(numGlyphs_, std::max(1, glyph_->Width())), glyph_->Height()};
  SIZE textSize{0, 0};
  std::wstring caption = Caption();
  if (!caption.empty()) {
    RECT measure{0, 0, r.right, 0};
    canvas->DrawText(caption, measure, DT_SINGLELINE | DT_CALCRECT);
    textSize = SIZE{measure.right - measure.left, measure.bottom - measure.top};
  }
  TGlyphLayout layout = LayoutGlyphAndText(SIZE{r.right, r.bottom}, glyphSize, textSize, layout_, margin_, spacing_);
  int shift = pushed ? 1 : 0;
  DrawGlyph(dc, POINT{layout.glyph.x + shift, layout.glyph.y + shift}, state);
  if (caption.empty()) return;
  RECT text = layout.text;
  OffsetRect(&text, shift, shift);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  if (state == TButtonState::bsDisabled) {
    RECT emboss = text;
    OffsetRect(&emboss, 1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->DrawText(caption, emboss, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    canvas->Font()->SetColor(clBtnShadow);
  }
  canvas->DrawText(caption, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

} // namespace vela::ui
