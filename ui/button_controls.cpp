#include "ui/button_controls.h"

#include <algorithm>

namespace vela::ui {

namespace {

const std::vector<std::string> kAlignmentIdents = {"taLeftJustify", "taRightJustify", "taCenter"};

// The caption goes left of the mark only for taLeftJustify.
DWORD TextSideStyle(TAlignment alignment) {
  return alignment == TAlignment::taLeftJustify ? BS_LEFTTEXT : 0;
}

WPARAM NativeCheck(TCheckBoxState state) {
  switch (state) {
  case TCheckBoxState::cbChecked:
    return BST_CHECKED;
  case TCheckBoxState::cbGrayed:
    return BST_INDETERMINATE;
  case TCheckBoxState::cbUnchecked:
    break;
  }
  return BST_UNCHECKED;
}

bool IsClickNotification(const TMessage& m) {
  return m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED;
}

} // namespace

// ---- TCheckBox

const TClassInfo& TCheckBox::StaticClassInfo() {
  using P = PropsOf<TCheckBox>;
  static const TClassInfo info = MakeClassInfo<TCheckBox>(
      "TCheckBox", &TButtonControl::StaticClassInfo(),
      {P::Enum<TAlignment>("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment, kAlignmentIdents),
       P::Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed),
       P::Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked),
       P::Enum<TCheckBoxState>("State", &TCheckBox::State, &TCheckBox::SetState,
                               {"cbUnchecked", "cbChecked", "cbGrayed"})});
  return info;
}

// Check boxes and radio buttons show their parent's colour around the mark and caption unless
// given their own, so that they sit on a recoloured panel or group box without a patch.
TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetParentColor(true);
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.baseClass = L"BUTTON";
  p.style |= BS_3STATE | TextSideStyle(alignment_);
}

void TCheckBox::HandleCreated() {
  TButtonControl::HandleCreated();
  SendMessageW(HandleIfAllocated(), BM_SETCHECK, NativeCheck(state_), 0);
}

void TCheckBox::SetChecked(bool value) {
  SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCheckBox::SetState(TCheckBoxState value) {
  if (value == state_) return;
  state_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETCHECK, NativeCheck(state_), 0);
  if (!HasState(csLoading)) Click();
}

void TCheckBox::Toggle() {
  switch (state_) {
  case TCheckBoxState::cbUnchecked:
    SetState(TCheckBoxState::cbChecked);
    break;
  case TCheckBoxState::cbChecked:
    SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
    break;
  case TCheckBoxState::cbGrayed:
    SetState(TCheckBoxState::cbUnchecked);
    break;
  }
}

void TCheckBox::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

void TCheckBox::WndProc(TMessage& m) {
  if (IsClickNotification(m)) {
    Toggle();
    return;
  }
  TButtonControl::WndProc(m);
}

// ---- TRadioButton

const TClassInfo& TRadioButton::StaticClassInfo() {
  using P = PropsOf<TRadioButton>;
  static const TClassInfo info = MakeClassInfo<TRadioButton>(
      "TRadioButton", &TButtonControl::StaticClassInfo(),
      {P::Enum<TAlignment>("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment, kAlignmentIdents),
       P::Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)});
  return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 113, 17);
  SetParentColor(true);
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.baseClass = L"BUTTON";
  p.style |= BS_RADIOBUTTON | TextSideStyle(alignment_);
}

void TRadioButton::HandleCreated() {
  TButtonControl::HandleCreated();
  SendMessageW(HandleIfAllocated(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!value) return;
  if (TWinControl* parent = Parent())
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
        sibling->SetChecked(false);
  if (!HasState(csLoading)) Click();
}

void TRadioButton::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

void TRadioButton::WndProc(TMessage& m) {
  if (IsClickNotification(m)) {
    SetChecked(true);
    return;
  }
  TButtonControl::WndProc(m);
}

const TClassInfo& TGroupButton::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TGroupButton>("TGroupButton", &TRadioButton::StaticClassInfo(), {});
  return info;
}

// ---- TCustomRadioGroup, TRadioGroup

const TClassInfo& TCustomRadioGroup::StaticClassInfo() {
  using P = PropsOf<TCustomRadioGroup>;
  static const TClassInfo info = MakeClassInfo<TCustomRadioGroup>(
      "TCustomRadioGroup", &TCustomGroupBox::StaticClassInfo(),
      {P::Int("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns),
       P::Int("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex),
       P::Strings<TStrings>("Items", &TCustomRadioGroup::Items)});
  return info;
}

const TClassInfo& TRadioGroup::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TRadioGroup>("TRadioGroup", &TCustomRadioGroup::StaticClassInfo(), {});
  return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
  items_->OnChange = [this](TObject*) { UpdateButtons(); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
  items_->OnChange = nullptr;
  Destroying();
}

void TCustomRadioGroup::SetItemIndex(int value) {
  if (HasState(csLoading)) {
    itemIndex_ = value;
    return;
  }
  value = value < 0 || value >= items_->Count() ? -1 : value;
  if (value == itemIndex_) return;
  itemIndex_ = value;
  updating_ = true;
  for (int i = 0; i < ButtonCount(); ++i) buttons_[std::size_t(i)]->SetChecked(i == value);
  updating_ = false;
  Click();
}

void TCustomRadioGroup::SetColumns(int value) {
  columns_ = std::clamp(value, 1, 16);
  ArrangeButtons();
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  int wanted = itemIndex_;
  itemIndex_ = -1;
  UpdateButtons();
  SetItemIndex(wanted);
}

void TCustomRadioGroup::UpdateButtons() {
  if (HasState(csLoading)) return;
  // Buttons beyond the lines go; the rest take the lines' texts, new ones are made as needed.
  while (ButtonCount() > items_->Count()) {
    delete buttons_.back();
    buttons_.pop_back();
  }
  while (ButtonCount() < items_->Count()) {
    auto* button = new TGroupButton(this);
    button->OnClick = [this, button](TObject*) { ButtonClicked(button); };
    button->SetParent(this);
    buttons_.push_back(button);
  }
  for (int i = 0; i < ButtonCount(); ++i) buttons_[std::size_t(i)]->SetCaption(items_->Get(i));
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  updating_ = true;
  for (int i = 0; i < ButtonCount(); ++i) buttons_[std::size_t(i)]->SetChecked(i == itemIndex_);
  updating_ = false;
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  RECT r = ClientRect();
  AdjustClientRect(r);
  InflateRect(&r, -4, 0);
  const int rows = (ButtonCount() + columns_ - 1) / columns_;
  const int columnWidth = std::max(0, int(r.right - r.left) / columns_);
  const int rowHeight = std::max(1, int(r.bottom - r.top) / std::max(1, rows));
  TCanvas measure;
  measure.Font()->Assign(Font());
  const int buttonHeight = std::min(rowHeight, measure.TextHeight(L"0") + 4);
  for (int i = 0; i < ButtonCount(); ++i) {
    const int column = i / rows, row = i % rows;
    const int top = r.top + row * rowHeight + (rowHeight - buttonHeight) / 2;
    buttons_[std::size_t(i)]->SetBounds(r.left + column * columnWidth, top, columnWidth, buttonHeight);
  }
}

void TCustomRadioGroup::ButtonClicked(TGroupButton* button) {
  if (updating_ || !button->Checked()) return;
  auto at = std::find(buttons_.begin(), buttons_.end(), button);
  if (at != buttons_.end()) SetItemIndex(int(at - buttons_.begin()));
}

void TCustomRadioGroup::BoundsChanged() {
  TCustomGroupBox::BoundsChanged();
  ArrangeButtons();
}

void TCustomRadioGroup::FontChanged() {
  TCustomGroupBox::FontChanged();
  ArrangeButtons();
}

// ---- TBitBtn

std::wstring BitBtnKindCaption(TBitBtnKind kind) {
  switch (kind) {
  case TBitBtnKind::bkOK: return L"OK";
  case TBitBtnKind::bkCancel: return L"Cancel";
  case TBitBtnKind::bkHelp: return L"&Help";
  case TBitBtnKind::bkYes: return L"&Yes";
  case TBitBtnKind::bkNo: return L"&No";
  case TBitBtnKind::bkClose: return L"&Close";
  case TBitBtnKind::bkAbort: return L"Abort";
  case TBitBtnKind::bkRetry: return L"&Retry";
  case TBitBtnKind::bkIgnore: return L"&Ignore";
  case TBitBtnKind::bkAll: return L"&All";
  case TBitBtnKind::bkCustom: break;
  }
  return L"";
}

const TClassInfo& TBitBtn::StaticClassInfo() {
  using P = PropsOf<TBitBtn>;
  static const TClassInfo info = MakeClassInfo<TBitBtn>(
      "TBitBtn", &TButton::StaticClassInfo(),
      {P::Owned<TBitmap>("Glyph", &TBitBtn::Glyph),
       P::Enum<TBitBtnKind>("Kind", &TBitBtn::Kind, &TBitBtn::SetKind,
                            {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
                             "bkRetry", "bkIgnore", "bkAll"}),
       P::Enum<TButtonLayout>("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout,
                              {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}),
       P::Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin),
       P::Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs),
       P::Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing)});
  return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() { Destroying(); }

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  p.style = (p.style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetNumGlyphs(int value) {
  numGlyphs_ = std::clamp(value, 1, 4);
  Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind value) {
  kind_ = value;
  if (Caption().empty()) SetCaption(BitBtnKindCaption(value));
  if (value == TBitBtnKind::bkOK || value == TBitBtnKind::bkYes) SetDefault(true);
  if (value == TBitBtnKind::bkCancel || value == TBitBtnKind::bkNo) SetCancel(true);
}

void TBitBtn::SetLayout(TButtonLayout value) {
  layout_ = value;
  Invalidate();
}

void TBitBtn::SetMargin(int value) {
  margin_ = std::max(-1, value);
  Invalidate();
}

void TBitBtn::SetSpacing(int value) {
  spacing_ = std::max(-1, value);
  Invalidate();
}

void TBitBtn::WndProc(TMessage& m) {
  if (m.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
    m.Result = TRUE;
    return;
  }
  // The default-button role must not turn the owner-drawn button back into a native one.
  if (m.Msg == BM_SETSTYLE) m.WParam = (m.WParam & ~WPARAM(BS_TYPEMASK)) | BS_OWNERDRAW;
  TButton::WndProc(m);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pushed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  RECT face = r;
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pushed ? DFCS_PUSHED : 0));
  TCanvas canvas;
  TCanvasBinding binding(canvas, dc);
  canvas.Font()->Assign(Font());
  SIZE glyphSize{0, 0};
  if (!glyph_->Empty()) glyphSize = SIZE{glyph_->Width() / std::min(numGlyphs_, glyph_->Width()), glyph_->Height()};
  SIZE textSize{0, 0};
  const std::wstring caption = Caption();
  if (!caption.empty()) {
    RECT measure{0, 0, r.right, 0};
    canvas.DrawText(caption, measure, DT_SINGLELINE | DT_CALCRECT);
    textSize = SIZE{measure.right - measure.left, measure.bottom - measure.top};
  }
  const TGlyphLayout layout =
      LayoutGlyphAndText(SIZE{r.right - r.left, r.bottom - r.top}, glyphSize, textSize, layout_, margin_, spacing_);
  const int shift = pushed ? 1 : 0;
  const TButtonState state = disabled ? TButtonState::bsDisabled : pushed ? TButtonState::bsDown : TButtonState::bsUp;
  DrawGlyphCell(dc, POINT{r.left + layout.glyph.x + shift, r.top + layout.glyph.y + shift}, *glyph_, numGlyphs_, state);
  if (!caption.empty()) {
    RECT text = layout.text;
    OffsetRect(&text, r.left + shift, r.top + shift);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.Font()->SetColor(disabled ? clGrayText : clBtnText);
    canvas.DrawText(caption, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = face;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(dc, &focus);
  }
}

} // namespace vela::ui
