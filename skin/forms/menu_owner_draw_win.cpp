#include "skin/forms/menu_owner_draw.h"

#include "skin/forms/menu_item_painter.h"
#include "skin/forms/menu_layout.h"
#include "skin/forms/skin_data.h"
#include "ui/graphics.h"
#include "ui/menus.h"

#include <functional>
#include <utility>

namespace vela::skin {

namespace {

const TDataSkinObject* MenuItemElement(const TSkinData* data) {
  if (!data || data->SkinEmpty())
    return nullptr;
  const TDataSkinObject* element = data->Elements().MenuItem.get();
  return element && !element->Bitmap.Empty() ? element : nullptr;
}

// Visits every item below `item`, with its depth (the menu's own items are depth 1).
void ForEachItem(ui::TMenuItem* item, int depth,
                 const std::function<void(ui::TMenuItem*, int)>& visit) {
  for (int i = 0; i < item->Count(); ++i) {
    ui::TMenuItem* child = item->Items(i);
    visit(child, depth);
    ForEachItem(child, depth + 1, visit);
  }
}

void AssignEvents(ui::TMenuItem* item, TSkinData* data, MenuKind kind) {
  item->OnDrawItem = [item, data](ui::TObject*, ui::TCanvas* canvas, const RECT& rect,
                                  bool selected) {
    PaintSkinnedMenuItem(item, data, canvas, rect, selected);
  };
  if (kind == MenuKind::Popup)
    item->OnMeasureItem = [item, data](ui::TObject*, ui::TCanvas* canvas, int& w, int& h) {
      MeasurePopupItem(item, data, canvas, w, h);
    };
  else
    item->OnMeasureItem = [item, data](ui::TObject*, ui::TCanvas* canvas, int& w, int& h) {
      MeasureMainMenuItem(item, data, canvas, w, h);
    };
}

void ClearEvents(ui::TMenuItem* item) {
  item->OnDrawItem = nullptr;
  item->OnMeasureItem = nullptr;
}

// The framework's measuring of the item, its own measure event set aside for the call.
void OwnMeasure(ui::TMenuItem* item, ui::TCanvas* canvas, int& width, int& height) {
  ui::TMenuMeasureItemEvent event = std::exchange(item->OnMeasureItem, nullptr);
  item->MeasureItem(canvas, width, height);
  item->OnMeasureItem = std::move(event);
}

void AddSkinColumns(ui::TMenuItem* item, TSkinData* data, MenuKind kind, int& width) {
  const TDataSkinObject* element = MenuItemElement(data);
  ui::TMenu* menu = item->GetParentMenu();
  width = MeasuredItemWidth(width, element ? element->LeftWidth : 0, menu && menu->Images(), kind);
}

bool SkinsPopups(const TSkinData* data, const ui::TComponent* menu) {
  return data->HasControl(xcPopupMenu) && menu->Tag() % 100 != data->DisableTag();
}

} // namespace

void SetPopupOwnerDraw(ui::TComponent* form, TSkinData* data, bool on) {
  if (!form || !data || form->ClassName() == "TwwRichEditForm")
    return;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* popup = dynamic_cast<ui::TPopupMenu*>(form->Components(i));
    if (!popup || !SkinsPopups(data, popup))
      continue;
    popup->SetOwnerDraw(on);
    ForEachItem(popup->Items(), 1, [data, on](ui::TMenuItem* item, int) {
      if (on)
        AssignEvents(item, data, MenuKind::Popup);
      else
        ClearEvents(item);
    });
  }
}

void SetMainMenuOwnerDraw(ui::TComponent* form, TSkinData* data, bool on) {
  if (!form || !data)
    return;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* mainMenu = dynamic_cast<ui::TMainMenu*>(form->Components(i));
    if (!mainMenu)
      continue;
    mainMenu->SetOwnerDraw(on);
    ForEachItem(mainMenu->Items(), 1, [data, on](ui::TMenuItem* item, int depth) {
      if (!on)
        ClearEvents(item);
      else if (depth >= 2 && !item->OnDrawItem)
        AssignEvents(item, data, MenuKind::MainMenu);
    });
  }
}

void MeasurePopupItem(ui::TMenuItem* item, TSkinData* data, ui::TCanvas* canvas, int& width,
                      int& height) {
  OwnMeasure(item, canvas, width, height);
  AddSkinColumns(item, data, MenuKind::Popup, width);
}

void MeasureMainMenuItem(ui::TMenuItem* item, TSkinData* data, ui::TCanvas* canvas, int& width,
                         int& height) {
  OwnMeasure(item, canvas, width, height);
  AddSkinColumns(item, data, MenuKind::MainMenu, width);
}

void PaintSkinnedMenuItem(ui::TMenuItem* item, TSkinData* data, ui::TCanvas* canvas,
                          const RECT& rect, bool selected) {
  if (!item || !canvas || !canvas->Handle() || !data || data->SkinEmpty())
    return;
  const HMENU parent = item->Parent() ? item->Parent()->Handle() : nullptr;
  PaintSkinnedMenuItem(canvas->Handle(), rect, ContentOf(*item), selected, data->Elements(),
                       ItemBackground(parent, rect));
}

} // namespace vela::skin
