#include "skin/forms/system_popup.h"

#include "ui/image_list.h"
#include "ui/menus.h"

#include <algorithm>

namespace vela::skin {

namespace {

constexpr int kGlyphColumn = 24;
constexpr int kTextGap = 24;

} // namespace

TSystemPopup::TSystemPopup(bool maximizeBox, bool minimizeBox, ui::TImageList* glyphs, int extraWidth,
                           std::function<void(int)> onClick)
    : menu_(std::make_unique<ui::TPopupMenu>(nullptr)), glyphs_(glyphs), extraWidth_(extraWidth) {
  menu_->SetTag(kSystemPopupTag);
  menu_->SetOwnerDraw(true);
  for (const SystemPopupItem& text : SystemPopupItems(maximizeBox, minimizeBox)) {
    auto* item = new ui::TMenuItem(menu_.get());
    item->SetCaption(text.caption);
    item->SetTag(text.tag);
    const int tag = text.tag;
    item->OnClick = [onClick, tag](ui::TObject*) { onClick(tag); };
    menu_->Items()->Add(item);
    entries_.push_back({item, text});
  }
}

TSystemPopup::~TSystemPopup() {
  if (menuFont_) DeleteObject(menuFont_);
}

void TSystemPopup::UpdateEnabled(ShowState show) {
  for (const Entry& e : entries_) e.item->SetEnabled(SystemPopupItemEnabled(e.text.tag, show));
}

void TSystemPopup::Track(HWND owner, POINT p, const std::shared_ptr<bool>& alive) {
  const UINT command = UINT(TrackPopupMenu(menu_->Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0,
                                           owner, nullptr));
  if (command && *alive) menu_->DispatchCommand(command);
}

const TSystemPopup::Entry* TSystemPopup::Find(ULONG_PTR itemData) const {
  for (const Entry& e : entries_)
    if (ULONG_PTR(e.item) == itemData) return &e;
  return nullptr;
}

bool TSystemPopup::HandleItemMessage(ui::TMessage& m) {
  if (m.Msg == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (!mis || mis->CtlType != ODT_MENU) return false;
    const Entry* e = Find(mis->itemData);
    if (!e) return false;
    Measure(*e, *mis);
    m.Result = TRUE;
    return true;
  }
  if (m.Msg == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (!dis || dis->CtlType != ODT_MENU) return false;
    const Entry* e = Find(dis->itemData);
    if (!e) return false;
    Draw(*e, *dis);
    m.Result = TRUE;
    return true;
  }
  return false;
}

HFONT TSystemPopup::MenuFont() const {
  if (!menuFont_) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      menuFont_ = CreateFontIndirectW(&metrics.lfMenuFont);
  }
  return menuFont_ ? menuFont_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TSystemPopup::Measure(const Entry& e, MEASUREITEMSTRUCT& mis) const {
  if (e.text.tag == spLine) {
    mis.itemWidth = 0;
    mis.itemHeight = 8;
    return;
  }
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, MenuFont());
  SIZE caption{}, shortcut{};
  GetTextExtentPoint32W(dc, e.text.caption.c_str(), int(e.text.caption.size()), &caption);
  if (!e.text.shortcut.empty())
    GetTextExtentPoint32W(dc, e.text.shortcut.c_str(), int(e.text.shortcut.size()), &shortcut);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // The skin's menu-item margin, then room for the glyph (more when there is no glyph list, as
  // the text then starts where the glyph would be).
  const int padding = extraWidth_ + (glyphs_ ? 12 : 35);
  mis.itemWidth = UINT(kGlyphColumn + caption.cx + (shortcut.cx ? kTextGap + shortcut.cx : 0) + padding);
  mis.itemHeight = UINT(std::max<LONG>({caption.cy + 6, LONG(GetSystemMetrics(SM_CYMENU)), 18}));
}

void TSystemPopup::Draw(const Entry& e, const DRAWITEMSTRUCT& dis) const {
  HDC dc = dis.hDC;
  RECT r = dis.rcItem;
  const bool selected = (dis.itemState & ODS_SELECTED) != 0;
  const bool disabled = (dis.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
  FillRect(dc, &r, GetSysColorBrush(selected && !disabled ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (e.text.tag == spLine) {
    RECT line{r.left + 2, (r.top + r.bottom) / 2 - 1, r.right - 2, (r.top + r.bottom) / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const int saved = SaveDC(dc);
  if (glyphs_ && e.text.tag >= 0 && e.text.tag < glyphs_->Count()) {
    const int y = r.top + (r.bottom - r.top - glyphs_->Height()) / 2;
    ImageList_DrawEx(glyphs_->Handle(), e.text.tag, dc, r.left + (kGlyphColumn - glyphs_->Width()) / 2, y, 0, 0,
                     CLR_NONE, CLR_NONE, disabled ? ILD_BLEND50 : ILD_NORMAL);
  }
  SelectObject(dc, MenuFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  RECT text{r.left + kGlyphColumn, r.top, r.right - 6, r.bottom};
  DrawTextW(dc, e.text.caption.c_str(), int(e.text.caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  if (!e.text.shortcut.empty())
    DrawTextW(dc, e.text.shortcut.c_str(), int(e.text.shortcut.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
  RestoreDC(dc, saved);
}

} // namespace vela::skin
