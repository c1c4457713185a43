// The "Tabs" page: page controls and tab controls with more tabs than fit, so that their scroll
// arrows show, with tabs on top, at the bottom, on the left and on the right, and two tab sets,
// one whose tabs fit and one with its arrows.
#include "tools/skinview/page_places.h"
#include "tools/skinview/skinview_form.h"
#include "ui/tab_controls.h"

#include <string>

namespace vela::skinview {
namespace {

constexpr int kManyTabs = 12;
constexpr int kFewTabs = 4;

std::wstring Numbered(const wchar_t* word, int number) {
  return std::wstring(word) + L" " + std::to_wstring(number);
}

void AddPageControl(TPageHost& host, const places::Place& place, ui::TTabPosition position,
                    const wchar_t* name) {
  auto* pages = host.Add<ui::TPageControl>(place);
  pages->SetTabPosition(position);
  for (int i = 1; i <= kManyTabs; ++i) {
    auto* sheet = new ui::TTabSheet(&host.Form());
    sheet->SetCaption(Numbered(L"Page", i));
    sheet->SetPageControl(pages);
    auto* text = new ui::TLabel(&host.Form());
    text->SetParent(sheet);
    text->SetBounds(8, 8, place.width - 24, 16);
    text->SetCaption(std::wstring(name) + L": sheet " + std::to_wstring(i));
  }
  pages->SetActivePageIndex(0);
  pages->OnChange = [&host, pages, name](ui::TObject*) {
    host.Form().Say(std::wstring(name) + L": " + pages->ActivePage()->Caption());
  };
}

void AddTabControl(TPageHost& host, int left, int top, int width, int height,
                   ui::TTabPosition position, int count, const wchar_t* name) {
  auto* tabs = host.Add<ui::TTabControl>(left, top, width, height);
  tabs->SetTabPosition(position);
  for (int i = 1; i <= count; ++i)
    tabs->Tabs()->Add(Numbered(L"Tab", i));
  tabs->SetTabIndex(0);
  tabs->OnChange = [&host, tabs, name](ui::TObject*) {
    host.Form().Say(std::wstring(name) + L": tab " + std::to_wstring(tabs->TabIndex() + 1));
  };
}

ui::TTabSet* AddTabSet(TPageHost& host, const places::Place& place, int count) {
  auto* set = host.Add<ui::TTabSet>(place);
  for (int i = 1; i <= count; ++i)
    set->Tabs()->Add(Numbered(L"Set", i));
  set->SetTabIndex(0);
  set->OnChange = [&host, set](ui::TObject*) {
    host.Form().Say(L"Tab set: " + set->Tabs()->Strings(set->TabIndex()));
  };
  return set;
}

void FillTabsPage(TPageHost& host) {
  AddPageControl(host, places::kTopPageControl, ui::TTabPosition::tpTop, L"Page control");
  AddTabControl(host, 324, 8, 300, 120, ui::TTabPosition::tpTop, kManyTabs, L"Tab control");
  AddPageControl(host, places::Place{16, 136, 300, 120}, ui::TTabPosition::tpBottom,
                 L"Page control, tabs at the bottom");
  // Tabs on a side are stacked in rows rather than scrolled, so these have fewer.
  AddTabControl(host, 324, 136, 148, 120, ui::TTabPosition::tpLeft, kFewTabs,
                L"Tab control, tabs on the left");
  AddTabControl(host, 476, 136, 148, 120, ui::TTabPosition::tpRight, kFewTabs,
                L"Tab control, tabs on the right");

  host.Add<ui::TLabel>(16, 268, 600, 16)->SetCaption(L"Tab sets: tabs that fit, and too many");
  AddTabSet(host, places::Place{16, 288, 300, places::kTabSet.height}, kFewTabs);
  ui::TTabSet* many = AddTabSet(host, places::kTabSet, 3 * kManyTabs);
  many->SetStartMargin(places::kTabSetStartMargin);
}

[[maybe_unused]] const bool registered = RegisterPage("Tabs", 50, &FillTabsPage);

} // namespace
} // namespace vela::skinview
