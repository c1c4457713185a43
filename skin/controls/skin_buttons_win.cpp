// Push and speed buttons painted from the skin's button element.
#include "skin/controls/skin_buttons.h"

#include "skin/controls/button_layout.h"
#include "skin/controls/button_looks.h"
#include "skin/controls/skin_paint.h"
#include "skin/data/skin_text_win.h"
#include "skin/draw/primitives_win.h"
#include "ui/control.h"
#include "ui/core/props.h"
#include "ui/core/text.h"
#include "ui/win_control.h"

#include <algorithm>

namespace vela::skin {

namespace {

bool PropIsTrue(const ui::TObject* object, const char* name) {
  return ui::AsciiLowerCase(ui::GetEnumProp(object, name)) == "true";
}

RECT Measure(HDC dc, const std::wstring& text, const RECT& area, UINT flags) {
  RECT r{0, 0, area.right - area.left, area.bottom - area.top};
  if (!text.empty())
    DrawSkinText(dc, text, r, flags | DT_CALCRECT);
  else
    r = RECT{0, 0, 0, 0};
  return r;
}

// One cell of a glyph strip, greyed for the disabled look, drawn with its bottom-left pixel's
// colour transparent.
void DrawGlyphCell(HDC dc, Point at, const ui::TBitmap& glyph, int numGlyphs, Look look) {
  const int cells = std::max(1, numGlyphs);
  const int cellWidth = glyph.Width() / cells;
  if (cellWidth <= 0 || glyph.Height() <= 0)
    return;
  const int cell = GlyphCellForLook(look, numGlyphs) - 1;
  const Raster source = glyph.View();
  Bitmap cut(cellWidth, glyph.Height());
  Raster target = cut.View();
  const bool grey = look == Look::Disabled;
  for (int y = 0; y < target.height; ++y)
    for (int x = 0; x < target.width; ++x) {
      Pixel p = source.At(cell * cellWidth + x, y) & 0xFFFFFF;
      if (grey) {
        const auto average = std::uint8_t((PixelRed(p) + PixelGreen(p) + PixelBlue(p)) / 3);
        p = MakePixel(average, average, average);
      }
      target.At(x, y) = p;
    }
  const Pixel transparent = target.At(0, target.height - 1);
  DrawTransparent(dc, Rect{at.x, at.y, at.x + cellWidth, at.y + target.height}, target, transparent);
}

} // namespace

// ---- TSkinButton

const ui::TClassInfo& TSkinButton::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinButton>("TSkinButton", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinButton::TSkinButton(ui::TComponent* owner) : TSkinControl(owner) {}
TSkinButton::~TSkinButton() {
  Destroying();
}

bool TSkinButton::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_PAINT: {
    if (!ButtonElement())
      return true; // no skin to paint with: the control keeps its own look
    PaintMessage(m, [this](HDC dc) { TSkinControl::PaintWindow(dc); });
    return false;
  }
  case WM_ERASEBKGND:
    if (!ButtonElement())
      return true;
    m.Result = 1;
    return false;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    if (GetFocus() != Handle())
      SetFocus(Handle());
    SetState(sbPressed, true);
    PaintWindow(nullptr);
    return false;
  default:
    return TSkinControl::BeforeMessage(m);
  }
}

void TSkinButton::TakeHot() {
  SetState(sbHot, true);
  if (TSkinControl* previous = Host() ? Host()->HotControl() : nullptr; previous && previous != this)
    previous->SendMouseLeave();
  Repaint();
  if (Host())
    Host()->SetHotControl(this);
}

void TSkinButton::DropHot() {
  SetState(sbHot | sbPressed, false);
  Repaint();
  if (Host() && Host()->HotControl() == this)
    Host()->SetHotControl(nullptr);
}

void TSkinButton::Click() {
  if (Control()) {
    Control()->Click();
  } else if (Handle()) {
    PostMessageW(GetParent(Handle()), WM_COMMAND, WPARAM(GetDlgCtrlID(Handle())), LPARAM(Handle()));
  }
}

void TSkinButton::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_KEYDOWN:
    if (m.WParam == VK_SPACE) {
      SetState(sbPressed, true);
      Repaint();
    }
    break;
  case WM_KEYUP:
    if (m.WParam == VK_SPACE) {
      SetState(sbPressed, false);
      Repaint();
    }
    break;
  case WM_MOUSEMOVE:
    if (!Hot())
      TakeHot();
    break;
  case WM_LBUTTONUP:
    if (Pressed()) {
      SetState(sbPressed, false);
      Repaint();
      Click();
    }
    break;
  case ui::CM_MOUSEENTER:
    if (Enabled())
      TakeHot();
    break;
  case ui::CM_MOUSELEAVE:
    if (Enabled())
      DropHot();
    break;
  default:
    TSkinControl::AfterMessage(m);
    break;
  }
}

COLORREF TSkinButton::CaptionColour(int look, COLORREF fallback, bool always) const {
  const TDataSkinButton* element = ButtonElement();
  if (!element)
    return fallback;
  switch (CaptionColourForLook(Look(look))) {
  case CaptionColour::Normal:
    return (always || element->HasNormalColour2) ? ui::ColorToRGB(element->NormalColour2) : fallback;
  case CaptionColour::MouseOver:
    return (always || element->HasMouseOverColour2) ? ui::ColorToRGB(element->MouseOverColour2) : fallback;
  case CaptionColour::Pressed:
    return (always || element->HasPressedColour2) ? ui::ColorToRGB(element->PressedColour2) : fallback;
  case CaptionColour::Disabled:
    return always ? RGB(0x80, 0x80, 0x80) : GetSysColor(COLOR_BTNSHADOW);
  case CaptionColour::Plain:
    break;
  }
  return fallback;
}

void TSkinButton::DrawButtonCaption(HDC dc, const RECT& rect, const std::wstring& caption) {
  const std::wstring text = ButtonCaptionLines(caption);
  const RECT measured = Measure(dc, text, rect, DT_EXPANDTABS | DT_NOCLIP | DT_WORDBREAK | DT_CENTER);
  const Rect box = CaptionBox(Rect{rect.left, rect.top, rect.right, rect.bottom},
                              Size{measured.right - measured.left, measured.bottom - measured.top}, true);
  RECT r{box.left, box.top, box.right, box.bottom};
  SetBkMode(dc, TRANSPARENT);
  DrawSkinText(dc, text, r, DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER);
}

HDC TSkinButton::BackBuffer(const RECT& rect) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0)
    return nullptr;
  if (buffer_.Width() != w || buffer_.Height() != h)
    buffer_.SetSize(w, h);
  return buffer_.Dc();
}

void TSkinButton::Draw(HDC dc, const RECT& rect) {
  const TDataSkinButton* element = ButtonElement();
  if (!element)
    return;
  ReadWindowState();
  ButtonState s;
  s.Hot = Hot();
  s.Pressed = Pressed();
  s.Focused = Focused();
  s.Enabled = Enabled();
  s.Default = (GetWindowLongPtrW(Handle(), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
  look_ = LookCell(PushButtonLook(s));
  std::wstring caption = Control() ? ui::GetStrProp(Control(), "Caption") : Caption();

  HDC back = BackBuffer(rect);
  if (!back)
    return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const RECT local{0, 0, w, h};
  FillSkinColor(back, local);
  DrawSkinElement(back, local, 5, look_, *element);

  HFONT font = nullptr;
  COLORREF colour = 0;
  if (Control()) {
    font = Control()->Font()->Handle();
    colour = CaptionColour(look_, ui::ColorToRGB(Control()->Font()->Color()), false);
  } else {
    font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    colour = CaptionColour(look_, ui::ColorToRGB(Elements()->Colours.ButtonText), true);
  }
  const ui::TDCStateSaver saved(back);
  if (font)
    SelectObject(back, font);
  SetTextColor(back, colour);
  DrawButtonCaption(back, local, caption);
  BitBlt(dc, rect.left, rect.top, w, h, back, 0, 0, SRCCOPY);
}

void TSkinButton::DrawGlyphAndCaption(HDC back, const RECT& local, const std::wstring& caption,
                                      const ui::TBitmap* glyph, int numGlyphs, Look look,
                                      int margin, bool speedButton, UINT textFlags) {
  const ui::TObject* control = Control() ? static_cast<const ui::TObject*>(Control()) : GraphicControl();
  const bool hasGlyph = glyph && !glyph->Empty();
  const Size glyphSize = hasGlyph ? Size{glyph->Width() / std::max(1, numGlyphs), glyph->Height()} : Size{};
  const RECT measured = Measure(back, caption, local, DT_EXPANDTABS | DT_NOCLIP | textFlags);
  const Size textSize{measured.right - measured.left, measured.bottom - measured.top};
  const GlyphLayout layout = ParseGlyphLayout(ui::GetEnumProp(control, "Layout"));
  const GlyphAndCaption at =
      LayoutGlyphAndCaption(Size{local.right - local.left, local.bottom - local.top}, glyphSize,
                            textSize, layout, margin, int(ui::GetOrdProp(control, "Spacing")), speedButton);
  if (hasGlyph)
    DrawGlyphCell(back, at.Glyph, *glyph, numGlyphs, look);
  if (caption.empty())
    return;
  const UINT align = layout == GlyphLayout::Right ? DT_RIGHT
                     : layout == GlyphLayout::Left ? 0u
                                                   : UINT(DT_CENTER);
  RECT r{at.Text.x, at.Text.y, at.Text.x + textSize.x, at.Text.y + textSize.y};
  DrawSkinText(back, caption, r, DT_EXPANDTABS | align | textFlags);
}

// ---- TSkinBitButton

const ui::TClassInfo& TSkinBitButton::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinBitButton>("TSkinBitButton", &TSkinButton::StaticClassInfo(), {});
  return info;
}

TSkinBitButton::TSkinBitButton(ui::TComponent* owner) : TSkinButton(owner) {}

void TSkinBitButton::Draw(HDC dc, const RECT& rect) {
  const TDataSkinButton* element = ButtonElement();
  if (!element)
    return;
  ReadWindowState();
  const ui::TObject* control = Control();
  ButtonState s;
  s.Hot = Hot();
  s.Pressed = Pressed();
  s.Focused = Focused();
  s.Enabled = Enabled();
  s.Default = control && PropIsTrue(control, "Default");
  const Look look = BitButtonLook(s);
  look_ = LookCell(look);
  HDC back = BackBuffer(rect);
  if (!back)
    return;
  const RECT local{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  FillSkinColor(back, local);
  DrawSkinElement(back, local, std::max(1, int(element->FrameCount)), look_, *element);

  // The buffer outlives this paint: what is selected into it is given back on every path, so
  // that a font the control frees later is never still selected here.
  const ui::TDCStateSaver saved(back);
  const HFONT font = Control() ? Control()->Font()->Handle()
                               : reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  if (font)
    SelectObject(back, font);
  SetTextColor(back, Control() ? CaptionColour(look_, ui::ColorToRGB(Control()->Font()->Color()), false)
                               : CaptionColour(look_, ui::ColorToRGB(Elements()->Colours.ButtonText), true));
  SetBkMode(back, TRANSPARENT);
  const std::wstring caption = ButtonCaptionLines(control ? ui::GetStrProp(control, "Caption") : Caption());
  const int margin = control && ui::AsciiLowerCase(ui::GetEnumProp(control, "Alignment")) == "tacenter"
                         ? -1
                         : (control ? int(ui::GetOrdProp(control, "Margin")) : -1);
  DrawGlyphAndCaption(back, local, caption,
                      control ? ui::GetObjectProp<ui::TBitmap>(control, "Glyph") : nullptr,
                      control ? int(ui::GetOrdProp(control, "NumGlyphs")) : 1, look, margin, false,
                      DT_WORDBREAK);
  BitBlt(dc, rect.left, rect.top, local.right, local.bottom, back, 0, 0, SRCCOPY);
}

// ---- TSkinSpeedButton

const ui::TClassInfo& TSkinSpeedButton::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinSpeedButton>("TSkinSpeedButton", &TSkinBitButton::StaticClassInfo(), {});
  return info;
}

TSkinSpeedButton::TSkinSpeedButton(ui::TComponent* owner) : TSkinBitButton(owner) {}
TSkinSpeedButton::~TSkinSpeedButton() {
  Destroying();
}

void TSkinSpeedButton::AttachGraphic(TSkinHost* host, ui::TCanvas* canvas) {
  HookGraphic(host, canvas);
  if (GraphicControl())
    GraphicControl()->Invalidate();
}

void TSkinSpeedButton::Unskin() {
  TSkinButton::Unskin();
  ReleaseHook();
  if (GraphicControl())
    GraphicControl()->Invalidate();
}

bool TSkinSpeedButton::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_PAINT: {
    if (!ButtonElement() || !m.WParam || !GraphicControl())
      return true;
    const RECT r = GraphicControl()->ClientRect();
    DrawSpeedButton(reinterpret_cast<HDC>(m.WParam), r);
    m.Result = 1;
    return false;
  }
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    // The speed button keeps its own down state and click.
    DefaultProc(m);
    SetState(sbPressed, true);
    PaintWindow(nullptr);
    return false;
  case WM_ERASEBKGND:
    return true;
  default:
    return TSkinButton::BeforeMessage(m);
  }
}

void TSkinSpeedButton::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case ui::CM_RELEASE:
    ReleaseHook();
    break;
  case WM_KEYDOWN:
    if (m.WParam == VK_SPACE) {
      SetState(sbPressed, true);
      PaintWindow(nullptr);
    }
    break;
  case WM_KEYUP:
    if (m.WParam == VK_SPACE) {
      SetState(sbPressed, false);
      PaintWindow(nullptr);
    }
    break;
  case WM_LBUTTONUP:
    SetState(sbPressed, false);
    PaintWindow(nullptr);
    break;
  case ui::CM_MOUSEENTER:
    SetState(sbHot, true);
    if (TSkinControl* previous = Host() ? Host()->HotControl() : nullptr; previous && previous != this)
      previous->SendMouseLeave();
    if (Host())
      Host()->SetHotControl(this);
    PaintWindow(nullptr);
    break;
  case ui::CM_MOUSELEAVE:
    SetState(sbHot | sbPressed, false);
    if (Host() && Host()->HotControl() == this)
      Host()->SetHotControl(nullptr);
    if (GraphicControl() && GraphicControl()->Visible())
      PaintWindow(nullptr);
    break;
  case WM_MOUSEMOVE:
    // The framework tells a graphic control of the mouse with enter and leave.
    break;
  default:
    TSkinButton::AfterMessage(m);
    break;
  }
}

void TSkinSpeedButton::PaintWindow(HDC) {
  if (auto* graphic = dynamic_cast<ui::TGraphicControl*>(GraphicControl()))
    graphic->PaintNow();
}

void TSkinSpeedButton::DrawSpeedButton(HDC dc, const RECT& rect) {
  const TDataSkinButton* element = ButtonElement();
  ui::TControl* control = GraphicControl();
  if (!element || !control)
    return;
  ButtonState s;
  s.Hot = Hot();
  s.Pressed = Pressed();
  s.Enabled = PropIsTrue(control, "Enabled");
  const Look look = SpeedButtonLook(s, PropIsTrue(control, "Down"));
  look_ = LookCell(look);
  const std::wstring caption = ui::GetStrProp(control, "Caption");
  auto* glyph = ui::GetObjectProp<ui::TBitmap>(control, "Glyph");
  const int numGlyphs = std::max<int>(1, int(ui::GetOrdProp(control, "NumGlyphs")));
  const bool flat = PropIsTrue(control, "Flat");

  HDC back = BackBuffer(rect);
  if (!back)
    return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const RECT local{0, 0, w, h};
  const ui::TDCStateSaver saved(back);
  SelectObject(back, control->Font()->Handle());
  FillSkinColor(back, local);
  if (SpeedButtonDrawsElement(look, flat))
    DrawSkinElement(back, local, std::max(1, int(element->FrameCount)), look_, *element);
  SetTextColor(back, CaptionColour(look_, ui::ColorToRGB(control->Font()->Color()), false));
  SetBkMode(back, TRANSPARENT);

  if (!glyph || glyph->Empty()) {
    DrawButtonCaption(back, local, caption);
  } else {
    DrawGlyphAndCaption(back, local, caption, glyph, numGlyphs, look, int(ui::GetOrdProp(control, "Margin")),
                        true, 0);
  }
  BitBlt(dc, rect.left, rect.top, w, h, back, 0, 0, SRCCOPY);
}

// ---- check boxes and radio buttons

const ui::TClassInfo& TSkinCheckMark::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinCheckMark>("TSkinCheckMark", &TSkinControl::StaticClassInfo(), {});
  return info;
}
const ui::TClassInfo& TSkinCheckBox::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinCheckBox>("TSkinCheckBox", &TSkinCheckMark::StaticClassInfo(), {});
  return info;
}
const ui::TClassInfo& TSkinRadioButton::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinRadioButton>("TSkinRadioButton", &TSkinCheckMark::StaticClassInfo(), {});
  return info;
}

TSkinCheckMark::TSkinCheckMark(ui::TComponent* owner, bool radio) : TSkinControl(owner), radio_(radio) {}
TSkinCheckMark::~TSkinCheckMark() {
  Destroying();
}
TSkinCheckBox::TSkinCheckBox(ui::TComponent* owner) : TSkinCheckMark(owner, false) {}
TSkinRadioButton::TSkinRadioButton(ui::TComponent* owner) : TSkinCheckMark(owner, true) {}

void TSkinCheckMark::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case BM_SETCHECK:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case ui::CM_BASE + 0x1B:
  case ui::CM_BASE + 0xD0:
    Repaint();
    break;
  default:
    TSkinControl::AfterMessage(m);
    break;
  }
}

void TSkinCheckMark::Draw(HDC dc, const RECT& rect) {
  const TSkinElements* elements = Elements();
  if (!elements)
    return;
  const TDataSkinButton& element = elements->Buttons;
  const Bitmap& strip = radio_ ? element.RadioBitmap : element.CheckBitmap;
  const int cells = radio_ ? element.RadioButtonFrame : element.CheckButtonFrame;
  if (strip.Empty() || cells <= 0 || strip.Width() / cells <= 0)
    return;
  const int cellWidth = strip.Width() / cells;
  const int imageHeight = strip.Height();

  const LRESULT buttonState = SendMessageW(Handle(), radio_ ? BM_GETCHECK : BM_GETSTATE, 0, 0);
  CheckState state = (buttonState & BST_CHECKED) ? CheckState::Checked : CheckState::Unchecked;
  if (Control())
    state = CheckStateFromProperties(ui::GetEnumProp(Control(), "State"),
                                     PropIsTrue(Control(), "Checked"), radio_, state);
  const bool indeterminate = !radio_ && (buttonState & BST_INDETERMINATE);
  const bool enabled = !(GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_DISABLED);
  cell_ = CheckMarkCell(state, indeterminate, enabled, radio_, cells);

  const bool boxOnRight = (GetWindowLongPtrW(Handle(), GWL_STYLE) & BS_LEFTTEXT) != 0;
  const CheckMarkPlacement place = PlaceCheckMark(Rect{rect.left, rect.top, rect.right, rect.bottom},
                                                  cellWidth, imageHeight, boxOnRight, radio_);
  ui::TColor parentColour = FaceColour();
  if (Control() && Control()->Parent())
    parentColour = Control()->Parent()->Color();
  const RECT fill{place.ParentFill.left, place.ParentFill.top, place.ParentFill.right, place.ParentFill.bottom};
  FillWithColour(dc, fill, ui::ColorToRGB(parentColour));

  Bitmap image(cellWidth, imageHeight);
  const Raster source = strip.View();
  Raster target = image.View();
  for (int y = 0; y < imageHeight; ++y)
    for (int x = 0; x < cellWidth; ++x)
      target.At(x, y) = source.At((cell_ - 1) * cellWidth + x, y) & 0xFFFFFF;
  DrawTransparent(dc, place.Image, target, kMagenta);
}

} // namespace vela::skin
