// A full repaint of a report-style list view that overflows (frame, rows, header and vertical
// scroll bar), skinned against left to the system, in one run; and the live GDI objects across
// many repaints of the skinned one.
//
// Prints one line per measurement; the ratio line is what to watch.
#include "bench/common/win_bench.h"
#include "skin/controls/skin_list_view.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/win_skin_form.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/graphics.h"
#include "ui/list_view.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace vela;
using namespace vela::bench;

ui::TListView* MakeList(ui::TForm* form) {
  auto* list = new ui::TListView(form);
  list->SetParent(form);
  list->SetBounds(8, 8, 520, 360);
  list->SetViewStyle(ui::TViewStyle::vsReport);
  list->SetCheckboxes(true);
  for (const wchar_t* caption : {L"", L"Device Name", L"Card Name", L"Hardware Version", L"Software Version"}) {
    ui::TListColumn* column = list->Columns()->Add();
    column->SetCaption(caption);
    column->SetWidth(caption[0] ? 110 : 25);
  }
  for (int i = 0; i < 80; ++i) {
    ui::TListItem* row = list->Items()->Add();
    row->SetCaption(L"");
    for (const wchar_t* text : {L"Vela-Demo", L"CPU", L"HW1.0", L"SW1.2"})
      row->SubItems()->Add(text + (i == 0 ? std::wstring() : L" " + std::to_wstring(i)));
  }
  return list;
}

ui::TForm* MakeForm(const wchar_t* caption, int x) {
  auto* form = new ui::TForm(nullptr);
  form->SetCaption(caption);
  form->SetBounds(x, 60, 560, 420);
  form->Show();
  Pump();
  return form;
}

// Repaints the list with its frame and header, then whatever the repaint invalidated among the
// list's siblings (the skinned bars), as the message loop would.
void RepaintList(ui::TListView* list, const std::vector<HWND>& overlays) {
  RedrawWindow(list->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (HWND overlay : overlays)
    UpdateWindow(overlay);
}

// Median of `rounds` timings of `count` full repaints, in microseconds per repaint.
double RepaintMicros(ui::TListView* list, const std::vector<HWND>& overlays, int count, int rounds) {
  return MedianMicros([&](int) { RepaintList(list, overlays); }, count, rounds);
}

void Redraw(HWND window, UINT flags) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | flags);
}

// Where the time of one repaint goes: the header alone, the frame with the bars alone, the
// skinned bar alone.
void PrintParts(const char* what, ui::TListView* list, HWND overlay) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list->Handle(), 0x101F /* LVM_GETHEADER */, 0, 0));
  const double headerOnly = MedianMicros([&](int) { Redraw(header, RDW_ERASE); }, 100, 5);
  const double frameOnly =
      MedianMicros([&](int) { Redraw(list->Handle(), RDW_FRAME | RDW_NOCHILDREN); }, 100, 5);
  std::printf("%s: header %8.1f us, frame and bars %8.1f us", what, headerOnly, frameOnly);
  if (overlay)
    std::printf(", skinned bar %8.1f us", MedianMicros([&](int) { Redraw(overlay, 0); }, 100, 5));
  std::printf("\n");
}

} // namespace

int main() {
  ui::Application->Initialize();
  ui::TForm* plain = MakeForm(L"System list", 10);
  ui::TListView* plainList = MakeList(plain);
  ui::TForm* skinned = MakeForm(L"Skinned list", 580);
  ui::TListView* skinnedList = MakeList(skinned);
  auto* data = new skin::TSkinData(skinned);
  data->SetSkinFile(L"" VELA_DEFAULT_SKN);
  if (data->SkinEmpty()) {
    std::printf("the default skin did not load\n");
    return 1;
  }
  skin::SkinManager->Active = true;
  skin::SkinManager->AttachWindow(skinned->Handle());
  skin::TSkinListView* listSkinner = nullptr;
  const bool ready = PumpUntil([&] {
    skin::TWinSkinForm* form = skin::SkinManager->FindFormSkinner(skinned->Handle());
    listSkinner = form ? dynamic_cast<skin::TSkinListView*>(form->FindControlSkinner(skinnedList->Handle())) : nullptr;
    return listSkinner && listSkinner->Overlays().Vertical()->Shown();
  });
  if (!ready) {
    std::printf("the list view was not skinned or shows no skinned bar\n");
    return 1;
  }
  // The plain window stays as the system draws it.
  skin::SkinManager->Active = false;
  Pump();
  const std::vector<HWND> overlays{listSkinner->Overlays().Vertical()->Handle()};

  const int count = 100, rounds = 9;
  RepaintMicros(plainList, {}, 10, 1); // warm both up
  RepaintMicros(skinnedList, overlays, 10, 1);
  const double system = RepaintMicros(plainList, {}, count, rounds);
  const double skin = RepaintMicros(skinnedList, overlays, count, rounds);
  std::printf("list view repaint, system bars and header:  %8.1f us\n", system);
  std::printf("list view repaint, skinned bars and header: %8.1f us\n", skin);
  std::printf("ratio skinned / system:                     %8.2f\n", skin / system);

  PrintParts("system ", plainList, nullptr);
  PrintParts("skinned", skinnedList, overlays[0]);

  const long before = ui::LiveGdiObjects();
  for (int i = 0; i < 1000; ++i)
    RepaintList(skinnedList, overlays);
  Pump();
  std::printf("live GDI objects: before %ld, after 1000 skinned repaints %ld\n", before,
              ui::LiveGdiObjects());

  delete skinned;
  delete plain;
  skin::FreeSkinManager();
  return 0;
}
