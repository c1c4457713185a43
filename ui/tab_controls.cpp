#include "ui/tab_controls.h"

#include "ui/core/tab_strip.h"
#include "ui/image_list.h"

#include <commctrl.h>

#include <algorithm>

namespace vela::ui {

namespace {

const std::vector<std::string> kTabPositionIdents = {"tpTop", "tpBottom", "tpLeft", "tpRight"};

// Without a window the tabs are guessed one text line high.
constexpr int kTabRowGuess = 24;

} // namespace

// ---- TCustomTabControl

const TClassInfo& TCustomTabControl::StaticClassInfo() {
  using P = PropsOf<TCustomTabControl>;
  static const TClassInfo info = MakeClassInfo<TCustomTabControl>(
      "TCustomTabControl", &TWinControl::StaticClassInfo(),
      {P::Ref<TImageList>("Images", &TCustomTabControl::Images, &TCustomTabControl::SetImages),
       P::Enum<TTabPosition>("TabPosition", &TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition,
                             kTabPositionIdents),
       P::Event("OnChange", &TCustomTabControl::OnChange)});
  return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

void TCustomTabControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.baseClass = WC_TABCONTROLW;
  p.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  switch (tabPosition_) {
  case TTabPosition::tpTop:
    break;
  case TTabPosition::tpBottom:
    p.style |= TCS_BOTTOM;
    break;
  case TTabPosition::tpLeft:
    p.style |= TCS_VERTICAL | TCS_MULTILINE;
    break;
  case TTabPosition::tpRight:
    p.style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
    break;
  }
  p.exStyle |= WS_EX_CONTROLPARENT;
}

void TCustomTabControl::HandleCreated() {
  TWinControl::HandleCreated();
  if (images_) SendMessageW(HandleIfAllocated(), TCM_SETIMAGELIST, 0, LPARAM(images_->Handle()));
  UpdateTabs();
}

void TCustomTabControl::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  if (HWND h = HandleIfAllocated()) {
    SendMessageW(h, TCM_SETIMAGELIST, 0, LPARAM(images_ ? images_->Handle() : nullptr));
    UpdateTabs();
  }
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) {
    images_ = nullptr;
    if (HWND h = HandleIfAllocated()) SendMessageW(h, TCM_SETIMAGELIST, 0, 0);
  }
}

void TCustomTabControl::HandleDestroying() {
  TabIndex();
  TWinControl::HandleDestroying();
}

void TCustomTabControl::SetTabPosition(TTabPosition value) {
  if (value == tabPosition_) return;
  tabPosition_ = value;
  RecreateWnd();
  Realign();
}

int TCustomTabControl::TabIndex() const {
  if (HWND h = HandleIfAllocated()) tabIndex_ = int(SendMessageW(h, TCM_GETCURSEL, 0, 0));
  return tabIndex_;
}

void TCustomTabControl::SetTabIndex(int value) {
  const int count = int(TabCaptions().size());
  if (!HasState(csLoading)) value = value < 0 || value >= count ? -1 : value;
  tabIndex_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, TCM_SETCURSEL, WPARAM(value), 0);
}

void TCustomTabControl::UpdateTabs() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  const std::vector<std::wstring> captions = TabCaptions();
  SendMessageW(h, TCM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<wchar_t*>(captions[i].c_str());
    item.iImage = images_ ? TabImageIndex(int(i)) : -1;
    SendMessageW(h, TCM_INSERTITEMW, WPARAM(i), LPARAM(&item));
  }
  if (tabIndex_ >= int(captions.size())) tabIndex_ = captions.empty() ? -1 : 0;
  if (tabIndex_ < 0 && !captions.empty()) tabIndex_ = 0;
  SendMessageW(h, TCM_SETCURSEL, WPARAM(tabIndex_), 0);
  Realign();
}

RECT TCustomTabControl::DisplayRect() const {
  RECT r = ClientRect();
  AdjustClientRect(r);
  return r;
}

RECT TCustomTabControl::TabRect(int index) const {
  RECT r{};
  if (HWND h = HandleIfAllocated()) SendMessageW(h, TCM_GETITEMRECT, WPARAM(index), LPARAM(&r));
  return r;
}

void TCustomTabControl::AdjustClientRect(RECT& r) const {
  if (HWND h = HandleIfAllocated()) {
    SendMessageW(h, TCM_ADJUSTRECT, FALSE, LPARAM(&r));
    return;
  }
  switch (tabPosition_) {
  case TTabPosition::tpTop: r.top += kTabRowGuess; break;
  case TTabPosition::tpBottom: r.bottom -= kTabRowGuess; break;
  case TTabPosition::tpLeft: r.left += kTabRowGuess; break;
  case TTabPosition::tpRight: r.right -= kTabRowGuess; break;
  }
  InflateRect(&r, -4, -4);
}

void TCustomTabControl::Change() {
  if (OnChange) OnChange(this);
}

void TCustomTabControl::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (header->code == UINT(TCN_SELCHANGE)) {
      TabIndex();
      Change();
      return;
    }
  }
  TWinControl::WndProc(m);
}

// ---- TTabControl

const TClassInfo& TTabControl::StaticClassInfo() {
  using P = PropsOf<TTabControl>;
  static const TClassInfo info = MakeClassInfo<TTabControl>(
      "TTabControl", &TCustomTabControl::StaticClassInfo(),
      {P::Int("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex),
       P::Strings<TStrings>("Tabs", &TTabControl::Tabs)});
  return info;
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner), tabs_(std::make_unique<TStringList>()) {
  tabs_->OnChange = [this](TObject*) { UpdateTabs(); };
}

TTabControl::~TTabControl() {
  tabs_->OnChange = nullptr;
  Destroying();
}

std::vector<std::wstring> TTabControl::TabCaptions() const {
  std::vector<std::wstring> captions;
  for (int i = 0; i < tabs_->Count(); ++i) captions.push_back(tabs_->Get(i));
  return captions;
}

// ---- TTabSheet

const TClassInfo& TTabSheet::StaticClassInfo() {
  using P = PropsOf<TTabSheet>;
  static const TClassInfo info = MakeClassInfo<TTabSheet>(
      "TTabSheet", &TWinControl::StaticClassInfo(),
      {P::Int("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex),
       P::Ref<TPageControl>("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl)});
  return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TTabSheet::~TTabSheet() {
  Destroying();
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.style |= WS_CLIPCHILDREN;
  p.exStyle |= WS_EX_CONTROLPARENT;
}

void TTabSheet::SetPageControl(TPageControl* control) { SetParent(control); }

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetParent(TWinControl* parent) {
  if (pageControl_ && parent != pageControl_) pageControl_->RemovePage(this);
  TWinControl::SetParent(parent);
  if (auto* pages = dynamic_cast<TPageControl*>(parent); pages && pages != pageControl_) pages->InsertPage(this);
}

void TTabSheet::SetImageIndex(int value) {
  imageIndex_ = value;
  if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::SetText(const std::wstring& text) {
  TWinControl::SetText(text);
  if (pageControl_) pageControl_->UpdateTabs();
}

// ---- TPageControl

const TClassInfo& TPageControl::StaticClassInfo() {
  using P = PropsOf<TPageControl>;
  static const TClassInfo info = MakeClassInfo<TPageControl>(
      "TPageControl", &TCustomTabControl::StaticClassInfo(),
      {P::Ref<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)});
  return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
  Destroying();
  for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
  pages_.clear();
  activePage_ = nullptr;
}

std::vector<std::wstring> TPageControl::TabCaptions() const {
  std::vector<std::wstring> captions;
  for (TTabSheet* page : pages_) captions.push_back(page->Caption());
  return captions;
}

int TPageControl::TabImageIndex(int index) const {
  return index >= 0 && index < PageCount() ? pages_[std::size_t(index)]->ImageIndex() : -1;
}

int TPageControl::ActivePageIndex() const {
  return activePage_ ? activePage_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
  if (index >= 0 && index < PageCount()) SetActivePage(pages_[std::size_t(index)]);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (!page || page->pageControl_ != this) return;
  activePage_ = page;
  ShowActivePage();
}

void TPageControl::ShowActivePage() {
  const int index = ActivePageIndex();
  TCustomTabControl::SetTabIndex(index);
  // The new page shows before the old one hides, so the area never flashes empty.
  if (activePage_) activePage_->SetVisible(true);
  for (TTabSheet* page : pages_)
    if (page != activePage_) page->SetVisible(false);
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  page->pageControl_ = this;
  page->FreeNotification(this);
  UpdateTabs();
  if (!activePage_) activePage_ = page;
  ShowActivePage();
  Realign();
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto at = std::find(pages_.begin(), pages_.end(), page);
  if (at == pages_.end()) return;
  const int index = int(at - pages_.begin());
  pages_.erase(at);
  page->pageControl_ = nullptr;
  page->RemoveFreeNotification(this);
  if (activePage_ == page)
    activePage_ = pages_.empty() ? nullptr : pages_[std::size_t(std::min(index, PageCount() - 1))];
  if (HasState(csDestroying)) return;
  UpdateTabs();
  ShowActivePage();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
  TCustomTabControl::Notification(component, operation);
  if (operation == TOperation::opRemove)
    if (auto* page = dynamic_cast<TTabSheet*>(component)) RemovePage(page);
}

void TPageControl::Loaded() {
  TCustomTabControl::Loaded();
  if (!activePage_ && !pages_.empty()) activePage_ = pages_.front();
  ShowActivePage();
}

void TPageControl::Change() {
  const int index = TabIndex();
  if (index >= 0 && index < PageCount()) {
    activePage_ = pages_[std::size_t(index)];
    ShowActivePage();
  }
  TCustomTabControl::Change();
}

void TPageControl::AlignControls(RECT rect) {
  TCustomTabControl::AlignControls(rect);
  for (TTabSheet* page : pages_)
    page->SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// ---- TTabScroller

const TClassInfo& TTabScroller::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TTabScroller>("TTabScroller", &TWinControl::StaticClassInfo(), {});
  return info;
}

TTabScroller::TTabScroller(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 2 * GetSystemMetrics(SM_CXHSCROLL), 17);
}

void TTabScroller::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.baseClass = UPDOWN_CLASSW;
  p.style |= UDS_HORZ;
}

void TTabScroller::SetRange(int max, int position) {
  HWND h = Handle();
  SendMessageW(h, UDM_SETRANGE32, 0, LPARAM(std::max(0, max)));
  SendMessageW(h, UDM_SETPOS32, 0, LPARAM(position));
}

void TTabScroller::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL) {
    if (auto* tabs = dynamic_cast<TTabSet*>(Owner()))
      tabs->SetFirstIndex(int(SendMessageW(HandleIfAllocated(), UDM_GETPOS32, 0, 0)));
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TTabSet

const TClassInfo& TTabSet::StaticClassInfo() {
  using P = PropsOf<TTabSet>;
  static const TClassInfo info = MakeClassInfo<TTabSet>(
      "TTabSet", &TCustomControl::StaticClassInfo(),
      {P::Int("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin),
       P::Int("FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex),
       P::Int("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin),
       P::Int("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex),
       P::Strings<TStrings>("Tabs", &TTabSet::Tabs), P::Event("OnChange", &TTabSet::OnChange)});
  return info;
}

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), tabs_(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 185, 21);
  // The arrows are the tab set's first component; they show only when needed.
  scroller_ = new TTabScroller(this);
  scroller_->SetVisible(false);
  scroller_->SetParent(this);
  tabs_->OnChange = [this](TObject*) {
    if (tabIndex_ >= tabs_->Count()) tabIndex_ = tabs_->Count() - 1;
    // Tabs taken away may leave the first shown one past the end: nothing would show.
    if (!HasState(csLoading))
      firstIndex_ = std::clamp(firstIndex_, 0, std::max(0, tabs_->Count() - 1));
    UpdateScroller();
    Invalidate();
  };
}

TTabSet::~TTabSet() {
  tabs_->OnChange = nullptr;
  Destroying();
}

void TTabSet::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.style |= WS_CLIPCHILDREN; // the arrows keep their own painting
}

std::vector<int> TTabSet::TabWidths() {
  TCanvas measure;
  measure.Font()->Assign(Font());
  std::vector<int> widths;
  for (int i = 0; i < tabs_->Count(); ++i) widths.push_back(measure.TextWidth(tabs_->Get(i)) + kTabPadding);
  return widths;
}

std::vector<RECT> TTabSet::VisibleTabRects() {
  const std::vector<int> widths = TabWidths();
  const TTabStripLayout layout = LayoutTabStripWithArrows(widths, firstIndex_, startMargin_, Width() - endMargin_,
                                                          scroller_->Width());
  std::vector<RECT> rects;
  for (const TTabStripSlot& slot : layout.Slots) rects.push_back(RECT{slot.Left, 0, slot.Right, Height()});
  return rects;
}

int TTabSet::TabAt(POINT point) {
  const std::vector<RECT> rects = VisibleTabRects();
  for (std::size_t i = 0; i < rects.size(); ++i)
    if (PtInRect(&rects[i], point)) return firstIndex_ + int(i);
  return -1;
}

void TTabSet::UpdateScroller() {
  if (HasState(csLoading | csDestroying)) return;
  const std::vector<int> widths = TabWidths();
  const int limit = Width() - endMargin_;
  const bool arrows = TabStripNeedsArrows(widths, firstIndex_, startMargin_, limit);
  if (arrows) {
    const int width = scroller_->Width();
    scroller_->SetBounds(Width() - width, 0, width, Height());
    if (HandleAllocated())
      scroller_->SetRange(LastUsefulFirstIndex(widths, startMargin_, limit - width), firstIndex_);
  }
  scroller_->SetVisible(arrows);
}

void TTabSet::SetTabIndex(int value) {
  if (!HasState(csLoading)) value = value < 0 || value >= tabs_->Count() ? -1 : value;
  if (value == tabIndex_) return;
  tabIndex_ = value;
  if (HasState(csLoading)) return;
  // Scroll the selected tab into view.
  if (value >= 0 && value < firstIndex_) {
    SetFirstIndex(value);
  } else if (value >= 0) {
    auto lastVisible = [this] { return firstIndex_ + int(VisibleTabRects().size()) - 1; };
    while (value > lastVisible() && firstIndex_ < value) SetFirstIndex(firstIndex_ + 1);
  }
  Invalidate();
  if (OnChange) OnChange(this);
}

void TTabSet::SetFirstIndex(int value) {
  value = std::clamp(value, 0, std::max(0, tabs_->Count() - 1));
  if (value == firstIndex_) return;
  firstIndex_ = value;
  UpdateScroller();
  Invalidate();
}

void TTabSet::SetStartMargin(int value) {
  startMargin_ = std::max(0, value);
  UpdateScroller();
  Invalidate();
}

void TTabSet::SetEndMargin(int value) {
  endMargin_ = std::max(0, value);
  UpdateScroller();
  Invalidate();
}

void TTabSet::Loaded() {
  TCustomControl::Loaded();
  if (tabIndex_ >= tabs_->Count()) tabIndex_ = -1;
  firstIndex_ = std::clamp(firstIndex_, 0, std::max(0, tabs_->Count() - 1));
  UpdateScroller();
}

void TTabSet::BoundsChanged() {
  TCustomControl::BoundsChanged();
  if (scroller_) UpdateScroller();
}

void TTabSet::FontChanged() {
  TCustomControl::FontChanged();
  if (scroller_) UpdateScroller();
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  const int index = TabAt(POINT{x, y});
  if (index >= 0) SetTabIndex(index);
}

void TTabSet::Paint() {
  //   ____________________________________  <- the edge the pages above stand on
  //    \ selected /\  other  /\  other  /
  //     \________/  \_______/  \_______/
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  RECT r = ClientRect();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  const std::vector<RECT> rects = VisibleTabRects();
  TGdiObject<HPEN> edge(CreatePen(PS_SOLID, 1, ColorToRGB(clBtnShadow)));
  HGDIOBJ oldPen = SelectObject(dc, edge.Get());
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const RECT& t = rects[i];
    const bool selected = firstIndex_ + int(i) == tabIndex_;
    POINT outline[] = {{t.left, 0}, {t.left + 3, t.bottom - 2}, {t.right - 3, t.bottom - 2}, {t.right, 0}};
    TGdiObject<HBRUSH> fill(CreateSolidBrush(ColorToRGB(selected ? Color() : clWindow)));
    HGDIOBJ oldBrush = SelectObject(dc, fill.Get());
    Polygon(dc, outline, 4);
    SelectObject(dc, oldBrush);
    RECT text = t;
    text.bottom -= 2;
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    canvas->Font()->SetColor(Enabled() ? clBtnText : clGrayText);
    canvas->DrawText(tabs_->Get(firstIndex_ + int(i)), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
  // The top edge runs under every tab but the selected one, which joins the page above.
  MoveToEx(dc, r.left, 0, nullptr);
  LineTo(dc, r.right, 0);
  for (std::size_t i = 0; i < rects.size(); ++i)
    if (firstIndex_ + int(i) == tabIndex_) {
      TGdiObject<HPEN> face(CreatePen(PS_SOLID, 1, ColorToRGB(Color())));
      SelectObject(dc, face.Get());
      MoveToEx(dc, rects[i].left + 1, 0, nullptr);
      LineTo(dc, rects[i].right, 0);
      SelectObject(dc, edge.Get());
    }
  SelectObject(dc, oldPen);
}

} // namespace vela::ui
