#include "skin/forms/system_popup.h"

#include "skin/forms/menu_item_painter.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/win_skin_form.h"
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

namespace {

// The skin of the window that owns the menu: the one its frame skinner paints with.
const TSkinElements* SkinOf(HWND window) {
  TWinSkinForm* skinner = SkinManager ? SkinManager->FindFormSkinner(window) : nullptr;
  TSkinData* data = skinner ? skinner->SkinData() : nullptr;
  return data && !data->SkinEmpty() ? &data->Elements() : nullptr;
}

} // namespace

bool TSystemPopup::PaintItem(HWND window, ui::TMessage& m) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  if (!dis || dis->CtlType != ODT_MENU)
    return false;
  // The entry's data is trusted only when it is the item that has the entry's command id.
  ui::TMenuItem* item = Find(dis->itemData);
  if (!item || menu_->FindItem(dis->itemID) != item)
    return false;
  const TSkinElements* skin = SkinOf(window);
  if (!skin)
    return false;
  PaintSkinnedMenuItem(dis->hDC, dis->rcItem, ContentOf(*item),
                       (dis->itemState & ODS_SELECTED) != 0, *skin,
                       ItemBackground(menu_->Handle(), dis->rcItem));
  m.Result = 1;
  return true;
}

bool TSystemPopup::HandleItemMessage(HWND window, ui::TMessage& m) {
  // Items are drawn from the skin of the window; without one they draw themselves plainly.
  if (m.Msg == WM_DRAWITEM && PaintItem(window, m))
    return true;
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
