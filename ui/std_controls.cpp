#include "ui/std_controls.h"

#include <algorithm>

namespace vela::ui {

namespace {
const std::vector<std::string> kAlignmentIdents = {"taLeftJustify", "taRightJustify", "taCenter"};
} // namespace

// ---- TLabel

const TClassInfo& TLabel::StaticClassInfo() {
  using P = PropsOf<TLabel>;
  static const TClassInfo info = MakeClassInfo<TLabel>(
      "TLabel", &TGraphicControl::StaticClassInfo(),
      {P::Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize),
       P::Enum<TAlignment>("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, kAlignmentIdents),
       P::Enum<TTextLayout>("Layout", &TLabel::Layout, &TLabel::SetLayout, {"tlTop", "tlCenter", "tlBottom"}),
       P::Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap),
       P::Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)});
  return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 13);
  SetParentColor(true);
}

void TLabel::SetAutoSize(bool value) {
  autoSize_ = value;
  AdjustSize();
}
void TLabel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}
void TLabel::SetLayout(TTextLayout value) {
  layout_ = value;
  Invalidate();
}
void TLabel::SetWordWrap(bool value) {
  wordWrap_ = value;
  AdjustSize();
  Invalidate();
}
void TLabel::SetTransparent(bool value) {
  transparent_ = value;
  Invalidate();
}

void TLabel::SetText(const std::wstring& text) {
  TGraphicControl::SetText(text);
  AdjustSize();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustSize();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustSize();
}

UINT TLabel::TextFormat() const {
  UINT f = DT_EXPANDTABS;
  f |= alignment_ == TAlignment::taCenter ? DT_CENTER : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT;
  f |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  return f;
}

void TLabel::AdjustSize() {
  if (!autoSize_ || HasState(csLoading)) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  std::wstring text = Caption().empty() ? std::wstring(L" ") : Caption();
  DrawTextW(dc, text.c_str(), int(text.size()), &r, TextFormat() | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void TLabel::Paint() {
  TCanvas* canvas = Canvas();
  RECT r = ClientRect();
  if (!transparent_) {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
  }
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  UINT format = TextFormat();
  if (layout_ != TTextLayout::tlTop) {
    RECT measure = r;
    canvas->DrawText(Caption(), measure, format | DT_CALCRECT);
    int free = (r.bottom - r.top) - (measure.bottom - measure.top);
    r.top += layout_ == TTextLayout::tlCenter ? free / 2 : free;
  }
  canvas->DrawText(Caption(), r, format);
}

// ---- TCustomEdit, TEdit

const TClassInfo& TCustomEdit::StaticClassInfo() {
  using P = PropsOf<TCustomEdit>;
  static const TClassInfo info = MakeClassInfo<TCustomEdit>(
      "TCustomEdit", &TWinControl::StaticClassInfo(),
      {P::Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
       P::Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
       P::Event("OnChange", &TCustomEdit::OnChange)});
  return info;
}

const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TEdit>("TEdit", &TCustomEdit::StaticClassInfo(), {});
  return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.baseClass = L"EDIT";
  p.style |= ES_AUTOHSCROLL;
  if (readOnly_) p.style |= ES_READONLY;
  p.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::HandleCreated() {
  TWinControl::HandleCreated();
  // 0 lifts the native default limit, so long texts (a memo's log) are never cut off.
  SendMessageW(HandleIfAllocated(), EM_SETLIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
  maxLength_ = std::max(0, value);
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETLIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SelectAll() {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETSEL, 0, -1);
}

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    if (OnChange) OnChange(this);
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TCustomMemo, TMemo

// The lines of a memo: while the window exists they live in the edit control, otherwise in
// the text the window will be created with. Lines are the text's own lines, not the rows that
// word wrap shows.
class TCustomMemo::TMemoStrings : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

  int Count() const override { return CountLines(memo_.GetText()); }
  std::wstring Get(int index) const override {
    CheckIndex(index, false);
    std::wstring all = memo_.GetText();
    std::size_t start = LineStart(all, index);
    std::size_t end = all.find_first_of(L"\r\n", start);
    return all.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
  }

  void Insert(int index, const std::wstring& text) override {
    CheckIndex(index, true);
    HWND h = memo_.HandleIfAllocated();
    if (!h) return EditCached([&](TStringList& l) { l.Insert(index, text); });
    std::wstring all = memo_.GetText();
    std::size_t at = LineStart(all, index);
    // Appending after a last line without its line break adds the break first.
    bool needBreak = at == all.size() && !all.empty() && all.back() != L'\n' && all.back() != L'\r';
    Replace(h, at, at, (needBreak ? L"\r\n" : L"") + text + L"\r\n");
  }

  void Delete(int index) override {
    CheckIndex(index, false);
    HWND h = memo_.HandleIfAllocated();
    if (!h) return EditCached([&](TStringList& l) { l.Delete(index); });
    std::wstring all = memo_.GetText();
    Replace(h, LineStart(all, index), LineStart(all, index + 1), L"");
  }

  void Clear() override { memo_.SetText(L""); }
  std::wstring Text() const override { return memo_.GetText(); }
  void SetText(const std::wstring& text) override { memo_.SetText(text); }

private:
  // Lines end at CR LF, CR or LF; a final line break does not start another line. Counting
  // does not copy lines, so that a long log stays cheap to append to.
  static int CountLines(const std::wstring& text) {
    int lines = 0;
    for (std::size_t at = 0; at < text.size(); ++lines) {
      std::size_t end = text.find_first_of(L"\r\n", at);
      if (end == std::wstring::npos) return lines + 1;
      at = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
    }
    return lines;
  }
  // Offset of the first character of line `index` (the text's length past the last line).
  static std::size_t LineStart(const std::wstring& text, int index) {
    std::size_t at = 0;
    for (int line = 0; line < index && at < text.size(); ++line) {
      std::size_t end = text.find_first_of(L"\r\n", at);
      if (end == std::wstring::npos) return text.size();
      at = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
    }
    return at;
  }
  static void Replace(HWND h, std::size_t from, std::size_t to, const std::wstring& text) {
    SendMessageW(h, EM_SETSEL, WPARAM(from), LPARAM(to));
    SendMessageW(h, EM_REPLACESEL, FALSE, LPARAM(text.c_str()));
  }
  TStringList Parsed() const {
    TStringList l;
    l.SetText(memo_.GetText());
    return l;
  }
  template <class F>
  void EditCached(F edit) {
    TStringList l = Parsed();
    edit(l);
    memo_.text_ = l.Text();
  }
  TCustomMemo& memo_;
};

const TClassInfo& TCustomMemo::StaticClassInfo() {
  using P = PropsOf<TCustomMemo>;
  static const TClassInfo info = MakeClassInfo<TCustomMemo>(
      "TCustomMemo", &TCustomEdit::StaticClassInfo(),
      {P::Strings<TStrings>("Lines", &TCustomMemo::Lines),
       P::Enum<TScrollStyle>("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars,
                             {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}),
       P::Bool("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)});
  return info;
}

const TClassInfo& TMemo::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TMemo>("TMemo", &TCustomMemo::StaticClassInfo(), {});
  return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
  SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() { Destroying(); }

TStrings* TCustomMemo::Lines() const { return lines_.get(); }

void TCustomMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (wordWrap_ && scrollBars_ != TScrollStyle::ssHorizontal && scrollBars_ != TScrollStyle::ssBoth)
    p.style &= ~DWORD(ES_AUTOHSCROLL);
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) p.style |= WS_VSCROLL;
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) p.style |= WS_HSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  RecreateWnd();
}

// ---- TButtonControl, TButton

const TClassInfo& TButtonControl::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TButtonControl>("TButtonControl", &TWinControl::StaticClassInfo(), {});
  return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

const TClassInfo& TButton::StaticClassInfo() {
  using P = PropsOf<TButton>;
  static const TClassInfo info =
      MakeClassInfo<TButton>("TButton", &TButtonControl::StaticClassInfo(),
                             {P::Bool("Default", &TButton::Default, &TButton::SetDefault),
                              P::Bool("Cancel", &TButton::Cancel, &TButton::SetCancel)});
  return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.baseClass = L"BUTTON";
  p.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  TButtonControl::WndProc(m);
}

// ---- TCustomPanel, TPanel

namespace {

// Draws `width` rings of a 3-D edge and moves the rectangle inside them.
void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width) {
  TGdiObject<HBRUSH> light(CreateSolidBrush(ColorToRGB(topLeft)));
  TGdiObject<HBRUSH> dark(CreateSolidBrush(ColorToRGB(bottomRight)));
  for (int i = 0; i < width; ++i) {
    RECT top{r.left, r.top, r.right - 1, r.top + 1};
    RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
    RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    RECT right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, light.Get());
    FillRect(dc, &left, light.Get());
    FillRect(dc, &bottom, dark.Get());
    FillRect(dc, &right, dark.Get());
    InflateRect(&r, -1, -1);
  }
}

void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
  if (cut == TBevelCut::bvNone) return;
  if (cut == TBevelCut::bvSpace) {
    InflateRect(&r, -width, -width);
    return;
  }
  bool raised = cut == TBevelCut::bvRaised;
  Frame3D(dc, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, width);
}

const std::vector<std::string> kBevelIdents = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

} // namespace

const TClassInfo& TCustomPanel::StaticClassInfo() {
  using P = PropsOf<TCustomPanel>;
  static const TClassInfo info = MakeClassInfo<TCustomPanel>(
      "TCustomPanel", &TCustomControl::StaticClassInfo(),
      {P::Enum<TBevelCut>("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, kBevelIdents),
       P::Enum<TBevelCut>("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, kBevelIdents),
       P::Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth),
       P::Int("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth),
       P::Enum<TAlignment>("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, kAlignmentIdents)});
  return info;
}

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TPanel>("TPanel", &TCustomPanel::StaticClassInfo(), {});
  return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.style |= WS_CLIPCHILDREN;
  p.exStyle |= WS_EX_CONTROLPARENT;
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  bevelInner_ = value;
  Realign();
  Invalidate();
}
void TCustomPanel::SetBevelOuter(TBevelCut value) {
  bevelOuter_ = value;
  Realign();
  Invalidate();
}
void TCustomPanel::SetBevelWidth(int value) {
  bevelWidth_ = std::max(1, value);
  Realign();
  Invalidate();
}
void TCustomPanel::SetBorderWidth(int value) {
  borderWidth_ = std::max(0, value);
  Realign();
  Invalidate();
}
void TCustomPanel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}

void TCustomPanel::SetText(const std::wstring& text) {
  TCustomControl::SetText(text);
  Invalidate();
}

void TCustomPanel::AdjustClientRect(RECT& r) const {
  int inset = borderWidth_;
  if (bevelOuter_ != TBevelCut::bvNone) inset += bevelWidth_;
  if (bevelInner_ != TBevelCut::bvNone) inset += bevelWidth_;
  InflateRect(&r, -inset, -inset);
}

void TCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  RECT r = ClientRect();
  DrawBevel(dc, r, bevelOuter_, bevelWidth_);
  if (borderWidth_ > 0) Frame3D(dc, r, Color(), Color(), borderWidth_);
  DrawBevel(dc, r, bevelInner_, bevelWidth_);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  if (Caption().empty()) return;
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  UINT align = alignment_ == TAlignment::taCenter ? DT_CENTER : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT;
  canvas->DrawText(Caption(), r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | align);
}

// ---- TCustomGroupBox, TGroupBox

const TClassInfo& TCustomGroupBox::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TCustomGroupBox>("TCustomGroupBox", &TCustomControl::StaticClassInfo(), {});
  return info;
}

const TClassInfo& TGroupBox::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TGroupBox>("TGroupBox", &TCustomGroupBox::StaticClassInfo(), {});
  return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 105); }

void TCustomGroupBox::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.style |= WS_CLIPCHILDREN;
  p.exStyle |= WS_EX_CONTROLPARENT;
}

void TCustomGroupBox::SetText(const std::wstring& text) {
  TCustomControl::SetText(text);
  Invalidate();
}

void TCustomGroupBox::AdjustClientRect(RECT& r) const {
  TCanvas measure;
  measure.Font()->Assign(Font());
  int textHeight = measure.TextHeight(L"0");
  r.top += textHeight;
  InflateRect(&r, -1, -1);
}

void TCustomGroupBox::Paint() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  RECT r = ClientRect();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  int textHeight = canvas->TextHeight(L"0");
  RECT frame{r.left, r.top + textHeight / 2, r.right, r.bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (Caption().empty()) return;
  RECT text{8, 0, 0, textHeight};
  canvas->DrawText(Caption(), text, DT_SINGLELINE | DT_CALCRECT);
  text.right = std::min(text.right, r.right - 8);
  RECT back{text.left - 1, text.top, text.right + 1, text.bottom};
  canvas->FillRect(back);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  canvas->DrawText(Caption(), text, DT_SINGLELINE | DT_LEFT);
}

} // namespace vela::ui
