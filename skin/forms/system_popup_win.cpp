#include "skin/forms/system_popup.h"

#include "ui/core/shortcut.h"
#include "ui/image_list.h"
#include "ui/menus.h"

namespace vela::skin {

TSystemPopup::TSystemPopup(bool maximizeBox, bool minimizeBox, ui::TImageList* glyphs,
                           int extraWidth, std::function<void(int)> onClick)
    : menu_(std::make_unique<ui::TPopupMenu>(nullptr)),
      extraWidth_(extraWidth + (glyphs ? 12 : 35)) {
  menu_->SetTag(kSystemPopupTag);
  menu_->SetOwnerDraw(true);
  menu_->SetImages(glyphs);
  for (const SystemPopupItem& text : SystemPopupItems(maximizeBox, minimizeBox)) {
    auto* item = new ui::TMenuItem(menu_.get());
    item->SetCaption(text.caption);
    item->SetTag(text.tag);
    item->SetImageIndex(text.tag == spLine ? -1 : text.tag);
    if (!text.shortcut.empty())
      item->SetShortCut(ui::TextToShortCut(text.shortcut));
    const int tag = text.tag;
    item->OnClick = [onClick, tag](ui::TObject*) { onClick(tag); };
    menu_->Items()->Add(item);
    items_.push_back(item);
  }
}

TSystemPopup::~TSystemPopup() = default;

void TSystemPopup::UpdateEnabled(ShowState show) {
  for (ui::TMenuItem* item : items_)
    item->SetEnabled(SystemPopupItemEnabled(item->Tag(), show));
}

void TSystemPopup::Track(HWND owner, POINT p, const std::shared_ptr<bool>& alive) {
  const UINT command = UINT(TrackPopupMenu(menu_->Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x,
                                           p.y, 0, owner, nullptr));
  if (command && *alive)
    menu_->DispatchCommand(command);
}

ui::TMenuItem* TSystemPopup::Find(ULONG_PTR itemData) const {
  for (ui::TMenuItem* item : items_)
    if (ULONG_PTR(item) == itemData)
      return item;
  return nullptr;
}

bool TSystemPopup::HandleItemMessage(HWND window, ui::TMessage& m) {
  if (!ui::DispatchMenuItemMessage(menu_.get(), window, m))
    return false;
  if (m.Msg == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (ui::TMenuItem* item = Find(mis->itemData); item && !item->IsLine())
      mis->itemWidth += UINT(extraWidth_);
  }
  return true;
}

} // namespace vela::skin
