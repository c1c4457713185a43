// The "Lists" page: a report-style list view with check boxes whose rows and columns overflow
// it both ways (both skinned scroll bars and the square between them), a list view in list
// style that scrolls sideways, and a list box that scrolls.
#include "tools/skinview/page_places.h"
#include "tools/skinview/skinview_form.h"
#include "ui/list_controls.h"
#include "ui/list_view.h"

#include <string>

namespace vela::skinview {
namespace {

constexpr int kReportRows = 48;
constexpr int kListItems = 60;

const wchar_t* const kColumns[] = {L"Device", L"Card", L"Type", L"Version", L"Bootloader", L"State"};
const wchar_t* const kTypes[] = {L"Control", L"Relay", L"Sensor", L"Display"};
const wchar_t* const kStates[] = {L"Ready", L"Updating", L"Up to date", L"Not answering"};

std::wstring Numbered(const wchar_t* word, int number) {
  return std::wstring(word) + L" " + std::to_wstring(number);
}

std::wstring Version(int major, int minor) {
  return std::to_wstring(major) + L"." + std::to_wstring(minor);
}

void AddReportList(TPageHost& host) {
  auto* list = host.Add<ui::TListView>(places::kReportList);
  list->SetViewStyle(ui::TViewStyle::vsReport);
  list->SetCheckboxes(true);
  list->SetRowSelect(true);
  list->SetGridLines(true);
  for (const wchar_t* caption : kColumns) {
    ui::TListColumn* column = list->Columns()->Add();
    column->SetCaption(caption);
    column->SetWidth(110);
  }
  for (int i = 0; i < kReportRows; ++i) {
    ui::TListItem* row = list->Items()->Add();
    row->SetCaption(Numbered(L"Vela unit", i / 4 + 1));
    row->SubItems()->Add(Numbered(L"Card", i % 4 + 1));
    row->SubItems()->Add(kTypes[i % 4]);
    row->SubItems()->Add(Version(2, i % 7));
    row->SubItems()->Add(Version(1, i % 3));
    row->SubItems()->Add(kStates[(i / 3) % 4]);
    row->SetChecked(i % 3 == 0);
  }
  list->OnClick = [&host, list](ui::TObject*) {
    if (ui::TListItem* row = list->Selected())
      host.Form().Say(L"Report list: " + row->Caption() + L", " + row->SubItems()->Strings(0));
  };
}

void AddSmallList(TPageHost& host) {
  host.Add<ui::TLabel>(424, 8, 200, 16)->SetCaption(L"List style, scrolling sideways");
  auto* list = host.Add<ui::TListView>(424, 28, 200, 210);
  list->SetViewStyle(ui::TViewStyle::vsList);
  for (int i = 1; i <= kListItems; ++i)
    list->Items()->Add()->SetCaption(Numbered(L"Image file", i));
}

void AddListBox(TPageHost& host) {
  host.Add<ui::TLabel>(16, 250, 392, 16)->SetCaption(L"A list box");
  auto* box = host.Add<ui::TListBox>(16, 270, 392, 120);
  for (int i = 1; i <= kListItems; ++i)
    box->Items()->Add(Numbered(L"Log line", i) + L": block " + std::to_wstring(i * 16) + L" acknowledged");
  box->OnClick = [&host, box](ui::TObject*) {
    if (box->ItemIndex() >= 0)
      host.Form().Say(L"List box: " + box->Items()->Strings(box->ItemIndex()));
  };
}

void FillListsPage(TPageHost& host) {
  host.Add<ui::TLabel>(16, 8, 392, 16)->SetCaption(L"Report style with check boxes, too big both ways");
  AddReportList(host);
  AddSmallList(host);
  AddListBox(host);
}

[[maybe_unused]] const bool registered = RegisterPage("Lists", 60, &FillListsPage);

} // namespace
} // namespace vela::skinview
