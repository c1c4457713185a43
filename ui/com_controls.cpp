#include "ui/com_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace vela::ui {

namespace {
const std::vector<std::string> kAlignmentIdents = {"taLeftJustify", "taRightJustify", "taCenter"};
} // namespace

// ---- TProgressBar

const TClassInfo& TProgressBar::StaticClassInfo() {
  using P = PropsOf<TProgressBar>;
  static const TClassInfo info = MakeClassInfo<TProgressBar>(
      "TProgressBar", &TWinControl::StaticClassInfo(),
      {P::Int("Min", &TProgressBar::Min, &TProgressBar::SetMin), P::Int("Max", &TProgressBar::Max, &TProgressBar::SetMax),
       P::Int("Position", &TProgressBar::Position, &TProgressBar::SetPosition),
       P::Int("Step", &TProgressBar::Step, &TProgressBar::SetStep),
       P::Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth),
       P::Enum<TProgressBarOrientation>("Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation,
                                        {"pbHorizontal", "pbVertical"})});
  return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.baseClass = PROGRESS_CLASSW;
  if (smooth_) p.style |= PBS_SMOOTH;
  if (orientation_ == TProgressBarOrientation::pbVertical) p.style |= PBS_VERTICAL;
}

void TProgressBar::HandleCreated() {
  TWinControl::HandleCreated();
  HWND h = HandleIfAllocated();
  SendMessageW(h, PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
  SendMessageW(h, PBM_SETSTEP, WPARAM(step_), 0);
  SendMessageW(h, PBM_SETPOS, WPARAM(position_), 0);
}

int TProgressBar::Position() const { return position_; }

void TProgressBar::SetPosition(int value) {
  if (!HasState(csLoading)) value = std::clamp(value, min_, std::max(min_, max_));
  position_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, PBM_SETPOS, WPARAM(value), 0);
}

void TProgressBar::SetMin(int value) {
  min_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
  if (position_ < min_ && !HasState(csLoading)) SetPosition(min_);
}

void TProgressBar::SetMax(int value) {
  max_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
  if (position_ > max_ && !HasState(csLoading)) SetPosition(max_);
}

void TProgressBar::SetStep(int value) {
  step_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, PBM_SETSTEP, WPARAM(step_), 0);
}

void TProgressBar::StepIt() {
  // Like the native control: passing the end starts over from the beginning.
  long long next = (long long)position_ + step_;
  SetPosition(next > max_ ? min_ + int(next - max_) % std::max(1, max_ - min_) : int(next));
}

void TProgressBar::StepBy(int delta) { SetPosition(int(std::clamp<long long>((long long)position_ + delta, min_, max_))); }

void TProgressBar::SetSmooth(bool value) {
  if (value == smooth_) return;
  smooth_ = value;
  RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  RecreateWnd();
}

// ---- status panels

const TClassInfo& TStatusPanel::StaticClassInfo() {
  using P = PropsOf<TStatusPanel>;
  static const TClassInfo info = MakeClassInfo<TStatusPanel>(
      "TStatusPanel", &TCollectionItem::StaticClassInfo(),
      {P::Enum<TAlignment>("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment, kAlignmentIdents),
       P::Enum<TStatusPanelBevel>("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel,
                                  {"pbNone", "pbLowered", "pbRaised"}),
       P::Enum<TStatusPanelStyle>("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle, {"psText", "psOwnerDraw"}),
       P::Str("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
       P::Int("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)});
  return info;
}

void TStatusPanel::SetText(const std::wstring& text) {
  if (text == text_) return;
  text_ = text;
  Changed();
}
void TStatusPanel::SetWidth(int width) {
  if (width == width_) return;
  width_ = std::max(0, width);
  Changed();
}
void TStatusPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Changed();
}
void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
  bevel_ = bevel;
  Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
  style_ = style;
  Changed();
}

void TStatusPanel::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TStatusPanel*>(source)) {
    style_ = p->style_;
    text_ = p->text_;
    width_ = p->width_;
    alignment_ = p->alignment_;
    bevel_ = p->bevel_;
    Changed();
    return;
  }
  TCollectionItem::Assign(source);
}

const TClassInfo& TStatusPanels::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TStatusPanels>("TStatusPanels", &TCollection::StaticClassInfo(), {});
  return info;
}

// ---- TCustomStatusBar

const TClassInfo& TCustomStatusBar::StaticClassInfo() {
  using P = PropsOf<TCustomStatusBar>;
  static const TClassInfo info = MakeClassInfo<TCustomStatusBar>(
      "TCustomStatusBar", &TWinControl::StaticClassInfo(),
      {P::Owned<TStatusPanels>("Panels", &TCustomStatusBar::Panels),
       P::Bool("SimplePanel", &TCustomStatusBar::SimplePanel, &TCustomStatusBar::SetSimplePanel),
       P::Str("SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText),
       P::Bool("SizeGrip", &TCustomStatusBar::SizeGrip, &TCustomStatusBar::SetSizeGrip),
       P::Event("OnDrawPanel", &TCustomStatusBar::OnDrawPanel)});
  return info;
}

const TClassInfo& TStatusBar::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TStatusBar>("TStatusBar", &TCustomStatusBar::StaticClassInfo(), {});
  return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>()) {
  SetBounds(0, 0, 200, 19);
  SetAlign(TAlign::alBottom);
  panels_->OnUpdate = [this](TCollectionItem*) { UpdatePanels(); };
}

TCustomStatusBar::~TCustomStatusBar() {
  Destroying();
  panels_->OnUpdate = nullptr;
}

void TCustomStatusBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.baseClass = STATUSCLASSNAMEW;
  // The framework places the bar (Align); the native control must not move itself.
  p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (sizeGrip_) p.style |= SBARS_SIZEGRIP;
}

void TCustomStatusBar::HandleCreated() {
  TWinControl::HandleCreated();
  appliedParts_.clear();
  appliedTexts_.clear();
  UpdatePanels();
}

void TCustomStatusBar::UpdatePanels() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  SendMessageW(h, SB_SIMPLE, simplePanel_, 0);
  if (simplePanel_) {
    SendMessageW(h, SB_SETTEXTW, 255 | SBT_NOBORDERS, LPARAM(simpleText_.c_str()));
    return;
  }
  int count = std::max(1, panels_->Count());
  std::vector<int> parts(std::size_t(count), -1);
  int edge = 0;
  for (int i = 0; i < panels_->Count(); ++i) {
    edge += panels_->Items(i)->Width();
    // The last panel reaches the right edge.
    parts[std::size_t(i)] = i == panels_->Count() - 1 ? -1 : edge;
  }
  if (parts != appliedParts_) {
    SendMessageW(h, SB_SETPARTS, WPARAM(count), LPARAM(parts.data()));
    appliedParts_ = parts;
    appliedTexts_.assign(std::size_t(count), std::wstring(1, L'\x1'));
  }
  for (int i = 0; i < panels_->Count(); ++i) {
    TStatusPanel* panel = panels_->Items(i);
    // The native control centres text after one tab and right-aligns it after two.
    std::wstring text = panel->Alignment() == TAlignment::taCenter        ? L"\t" + panel->Text()
                        : panel->Alignment() == TAlignment::taRightJustify ? L"\t\t" + panel->Text()
                                                                           : panel->Text();
    WPARAM flags = WPARAM(i) | (panel->Bevel() == TStatusPanelBevel::pbNone    ? SBT_NOBORDERS
                                : panel->Bevel() == TStatusPanelBevel::pbRaised ? SBT_POPOUT
                                                                                : 0);
    bool ownerDraw = panel->Style() == TStatusPanelStyle::psOwnerDraw;
    if (ownerDraw) text = L"\x2" + std::to_wstring(reinterpret_cast<std::uintptr_t>(panel));
    if (appliedTexts_[std::size_t(i)] == text) continue;
    if (ownerDraw) SendMessageW(h, SB_SETTEXTW, flags | SBT_OWNERDRAW, LPARAM(panel));
    else SendMessageW(h, SB_SETTEXTW, flags, LPARAM(text.c_str()));
    appliedTexts_[std::size_t(i)] = text;
  }
}

std::wstring TCustomStatusBar::NativePanelText(int index) {
  HWND h = HandleIfAllocated();
  if (!h) return index >= 0 && index < panels_->Count() ? panels_->Items(index)->Text() : std::wstring();
  int length = LOWORD(SendMessageW(h, SB_GETTEXTLENGTHW, WPARAM(index), 0));
  std::wstring text(std::size_t(length) + 1, L'\0');
  SendMessageW(h, SB_GETTEXTW, WPARAM(index), LPARAM(text.data()));
  text.resize(std::size_t(length));
  text.erase(0, text.find_first_not_of(L'\t') == std::wstring::npos ? text.size() : text.find_first_not_of(L'\t'));
  return text;
}

void TCustomStatusBar::WndProc(TMessage& m) {
  if (m.Msg == CN_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    int index = int(dis->itemID);
    if (OnDrawPanel && index >= 0 && index < panels_->Count()) {
      canvas_.SetHandle(dis->hDC);
      canvas_.Font()->Assign(Font());
      canvas_.Brush()->SetColor(Color());
      try {
        OnDrawPanel(this, panels_->Items(index), dis->rcItem);
      } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
      }
      canvas_.SetHandle(nullptr);
    }
    m.Result = TRUE;
    return;
  }
  TWinControl::WndProc(m);
}

void TCustomStatusBar::SetSimplePanel(bool value) {
  simplePanel_ = value;
  appliedParts_.clear();
  appliedTexts_.clear();
  UpdatePanels();
}

void TCustomStatusBar::SetSimpleText(const std::wstring& text) {
  simpleText_ = text;
  UpdatePanels();
}

void TCustomStatusBar::SetSizeGrip(bool value) {
  if (value == sizeGrip_) return;
  sizeGrip_ = value;
  RecreateWnd();
}

// ---- TTrackBar

const TClassInfo& TTrackBar::StaticClassInfo() {
  using P = PropsOf<TTrackBar>;
  static const TClassInfo info = MakeClassInfo<TTrackBar>(
      "TTrackBar", &TWinControl::StaticClassInfo(),
      {P::Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency),
       P::Int("Max", &TTrackBar::Max, &TTrackBar::SetMax), P::Int("Min", &TTrackBar::Min, &TTrackBar::SetMin),
       P::Enum<TTrackBarOrientation>("Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation,
                                     {"trHorizontal", "trVertical"}),
       P::Int("Position", &TTrackBar::Position, &TTrackBar::SetPosition),
       P::Enum<TTickStyle>("TickStyle", &TTrackBar::TickStyle, &TTrackBar::SetTickStyle,
                           {"tsNone", "tsAuto", "tsManual"}),
       P::Event("OnChange", &TTrackBar::OnChange)});
  return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.baseClass = TRACKBAR_CLASSW;
  p.style |= orientation_ == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
  if (tickStyle_ == TTickStyle::tsAuto) p.style |= TBS_AUTOTICKS;
  if (tickStyle_ == TTickStyle::tsNone) p.style |= TBS_NOTICKS;
}

void TTrackBar::HandleCreated() {
  TWinControl::HandleCreated();
  HWND h = HandleIfAllocated();
  SendMessageW(h, TBM_SETRANGEMIN, FALSE, min_);
  SendMessageW(h, TBM_SETRANGEMAX, FALSE, max_);
  SendMessageW(h, TBM_SETTICFREQ, WPARAM(frequency_), 0);
  SendMessageW(h, TBM_SETPOS, TRUE, position_);
}

int TTrackBar::Position() const {
  if (HWND h = HandleIfAllocated()) position_ = int(SendMessageW(h, TBM_GETPOS, 0, 0));
  return position_;
}

void TTrackBar::SetPosition(int value) {
  if (!HasState(csLoading)) value = std::clamp(value, min_, std::max(min_, max_));
  bool changed = value != Position();
  position_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, TBM_SETPOS, TRUE, value);
  if (changed && OnChange && !HasState(csLoading)) OnChange(this);
}

void TTrackBar::SetMin(int value) {
  min_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, TBM_SETRANGEMIN, TRUE, value);
}

void TTrackBar::SetMax(int value) {
  max_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, TBM_SETRANGEMAX, TRUE, value);
}

void TTrackBar::SetFrequency(int value) {
  frequency_ = std::max(1, value);
  if (HWND h = HandleIfAllocated()) SendMessageW(h, TBM_SETTICFREQ, WPARAM(frequency_), 0);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle value) {
  if (value == tickStyle_) return;
  tickStyle_ = value;
  RecreateWnd();
}

void TTrackBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    int before = position_;
    if (Position() != before && OnChange) OnChange(this);
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TUpDown

const TClassInfo& TUpDown::StaticClassInfo() {
  using P = PropsOf<TUpDown>;
  static const TClassInfo info = MakeClassInfo<TUpDown>(
      "TUpDown", &TWinControl::StaticClassInfo(),
      {P::Ref<TWinControl>("Associate", &TUpDown::Associate, &TUpDown::SetAssociate),
       P::Int("Increment", &TUpDown::Increment, &TUpDown::SetIncrement),
       P::Int("Max", &TUpDown::Max, &TUpDown::SetMax), P::Int("Min", &TUpDown::Min, &TUpDown::SetMin),
       P::Enum<TUDOrientation>("Orientation", &TUpDown::Orientation, &TUpDown::SetOrientation,
                               {"udHorizontal", "udVertical"}),
       P::Int("Position", &TUpDown::Position, &TUpDown::SetPosition),
       P::Bool("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap), P::Event("OnChange", &TUpDown::OnChange)});
  return info;
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 17, 25); }

void TUpDown::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.baseClass = UPDOWN_CLASSW;
  p.style |= UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
  if (associate_) p.style |= UDS_ALIGNRIGHT;
  if (wrap_) p.style |= UDS_WRAP;
  if (orientation_ == TUDOrientation::udHorizontal) p.style |= UDS_HORZ;
}

void TUpDown::HandleCreated() {
  TWinControl::HandleCreated();
  HWND h = HandleIfAllocated();
  SendMessageW(h, UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
  UDACCEL accel{0, UINT(increment_)};
  SendMessageW(h, UDM_SETACCEL, 1, LPARAM(&accel));
  if (associate_) SendMessageW(h, UDM_SETBUDDY, WPARAM(associate_->Handle()), 0);
  SendMessageW(h, UDM_SETPOS32, 0, LPARAM(position_));
}

int TUpDown::Position() const {
  if (HWND h = HandleIfAllocated()) {
    BOOL failed = FALSE;
    int pos = int(SendMessageW(h, UDM_GETPOS32, 0, LPARAM(&failed)));
    if (!failed) position_ = pos;
  }
  return position_;
}

void TUpDown::SetPosition(int value) {
  if (!HasState(csLoading)) value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
  position_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, UDM_SETPOS32, 0, LPARAM(value));
}

void TUpDown::SetMin(int value) {
  min_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
}

void TUpDown::SetMax(int value) {
  max_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
}

void TUpDown::SetIncrement(int value) {
  increment_ = std::max(1, value);
  if (HWND h = HandleIfAllocated()) {
    UDACCEL accel{0, UINT(increment_)};
    SendMessageW(h, UDM_SETACCEL, 1, LPARAM(&accel));
  }
}

void TUpDown::SetWrap(bool value) {
  if (value == wrap_) return;
  wrap_ = value;
  RecreateWnd();
}

void TUpDown::SetOrientation(TUDOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* control) {
  if (control == this) throw EInvalidOperation("An up-down cannot be associated with itself");
  if (associate_) associate_->RemoveFreeNotification(this);
  associate_ = control;
  if (associate_) associate_->FreeNotification(this);
  if (HandleAllocated() && !HasState(csLoading)) RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == associate_) associate_ = nullptr;
}

void TUpDown::WndProc(TMessage& m) {
  if (m.Msg == CN_VSCROLL || m.Msg == CN_HSCROLL) {
    int before = position_;
    if (Position() != before && OnChange) OnChange(this);
    return;
  }
  TWinControl::WndProc(m);
}

} // namespace vela::ui
