// The "Text" page: edits (normal, read-only, disabled, and one with its text selected, which
// takes the focus when the page shows so that the selection is seen), a memo long and wide
// enough to scroll both ways, combo boxes of both drop-down kinds and a disabled one, a list box
// and an up-down that steps the number in its buddy edit.
#include "tools/skinview/page_places.h"
#include "tools/skinview/skinview_form.h"
#include "ui/com_controls.h"
#include "ui/list_controls.h"

#include <string>

namespace vela::skinview {
namespace {

void AddLabel(TPageHost& host, int left, int top, int width, const wchar_t* text) {
  host.Add<ui::TLabel>(left, top, width, 16)->SetCaption(text);
}

void AddEdits(TPageHost& host) {
  AddLabel(host, 16, 8, 600, L"Edits: normal, read-only, disabled, with its text selected");
  const wchar_t* texts[] = {L"Normal edit", L"Read-only edit", L"Disabled edit", L"Selected text"};
  ui::TEdit* edits[4] = {};
  for (int i = 0; i < 4; ++i) {
    edits[i] = host.Add<ui::TEdit>(16 + 156 * i, 28, 148, 22);
    edits[i]->SetText(texts[i]);
  }
  edits[1]->SetReadOnly(true);
  edits[2]->SetEnabled(false);
  ui::TEdit* selected = edits[3];
  selected->OnChange = [&host](ui::TObject*) { host.Form().Say(L"The edit changed"); };
  // An edit shows its selection only while it has the focus, which it gets as the page shows.
  selected->OnEnter = [selected](ui::TObject*) { selected->SelectAll(); };
  host.OnShowChanged = [&host, selected](bool shown) {
    if (shown)
      host.Form().SetActiveControl(selected);
  };
}

void AddMemo(TPageHost& host) {
  AddLabel(host, 16, 64, 300, L"A memo with more lines than it shows");
  auto* memo = host.Add<ui::TMemo>(16, 84, 304, 180);
  memo->SetWordWrap(false);
  memo->SetScrollBars(ui::TScrollStyle::ssBoth);
  ui::TStrings* lines = memo->Lines();
  for (int i = 1; i <= 40; ++i) {
    std::wstring line = L"Line " + std::to_wstring(i) + L": ";
    line += i % 3 == 0 ? L"a line long enough to need the horizontal scroll bar to be read whole"
                       : L"short";
    lines->Add(line);
  }
}

void AddLists(TPageHost& host) {
  AddLabel(host, 336, 64, 150, L"Combo boxes");
  auto* dropDown = host.Add<ui::TComboBox>(336, 84, 150, 24);
  auto* dropDownList = host.Add<ui::TComboBox>(places::kDropDownList);
  auto* disabled = host.Add<ui::TComboBox>(places::kDisabledCombo);
  for (ui::TComboBox* combo : {dropDown, dropDownList, disabled}) {
    for (const wchar_t* line : {L"COM1", L"COM2", L"COM3", L"192.168.0.10:5000"})
      combo->Items()->Add(line);
    combo->OnChange = [&host, combo](ui::TObject*) {
      host.Form().Say(L"Combo box: " + combo->GetText());
    };
  }
  dropDown->SetText(L"Drop-down");
  dropDownList->SetStyle(ui::TComboBoxStyle::csDropDownList);
  dropDownList->SetItemIndex(0);
  disabled->SetStyle(ui::TComboBoxStyle::csDropDownList);
  disabled->SetItemIndex(2);
  disabled->SetEnabled(false);

  AddLabel(host, 496, 64, 130, L"A list box");
  auto* list = host.Add<ui::TListBox>(496, 84, 128, 180);
  for (int i = 1; i <= 24; ++i)
    list->Items()->Add(L"Card " + std::to_wstring(i));
  list->SetItemIndex(2);
  list->OnClick = [&host, list](ui::TObject*) {
    host.Form().Say(L"List box: item " + std::to_wstring(list->ItemIndex()) + L" chosen");
  };

  AddLabel(host, 336, 184, 150, L"An up-down and its edit");
  auto* buddy = host.Add<ui::TEdit>(336, 204, 80, 22);
  auto* upDown = host.Add<ui::TUpDown>(416, 204, 17, 22);
  upDown->SetMin(0);
  upDown->SetMax(99);
  upDown->SetAssociate(buddy);
  upDown->SetPosition(42);
  upDown->OnChange = [&host, upDown](ui::TObject*) {
    host.Form().Say(L"Up-down: " + std::to_wstring(upDown->Position()));
  };
}

void FillTextPage(TPageHost& host) {
  AddEdits(host);
  AddMemo(host);
  AddLists(host);
}

[[maybe_unused]] const bool registered = RegisterPage("Text", 40, &FillTextPage);

} // namespace
} // namespace vela::skinview
