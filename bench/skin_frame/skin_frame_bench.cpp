// Frame painting of a skinned window against the system's own, in one run, and the live GDI
// objects before and after repeated repaints, resizes and skin off/on cycles.
//
// Prints one line per measurement; the ratio line is what to watch (goal: at most 2).
#include "bench/common/win_bench.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/win_skin_form.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/graphics.h"

#include <windows.h>

#include <cstdio>

namespace {

using namespace vela;
using namespace vela::bench;

// Median of `rounds` timings of `count` full non-client repaints, in microseconds per repaint.
double RepaintMicros(HWND window, int count, int rounds) {
  return MedianMicros([&](int) { SendMessageW(window, WM_NCPAINT, 1, 0); }, count, rounds);
}

ui::TForm* MakeForm(const wchar_t* caption, int x) {
  auto* form = new ui::TForm(nullptr);
  form->SetCaption(caption);
  form->SetBounds(x, 80, 560, 420);
  form->Show();
  Pump();
  return form;
}

skin::TWinSkinForm* SkinnerOf(ui::TForm* form) {
  return skin::SkinManager ? skin::SkinManager->FindFormSkinner(form->Handle()) : nullptr;
}

bool Skin(ui::TForm* form) {
  skin::SkinManager->Active = true;
  skin::SkinManager->AttachWindow(form->Handle());
  return PumpUntil([&] { return SkinnerOf(form) && SkinnerOf(form)->LifeState() == 1; });
}

void Unskin(ui::TForm* form) {
  skin::TWinSkinForm* skinner = SkinnerOf(form);
  skinner->DetachFrame();
  delete skinner;
  Pump();
}

} // namespace

int main() {
  ui::Application->Initialize();
  ui::TForm* plain = MakeForm(L"System frame", 20);
  ui::TForm* skinned = MakeForm(L"Skinned frame", 600);
  auto* data = new skin::TSkinData(skinned);
  data->SetSkinFile(L"" VELA_DEFAULT_SKN);
  if (data->SkinEmpty() || !Skin(skinned)) {
    std::printf("the default skin did not load or the window was not skinned\n");
    return 1;
  }
  // The plain window keeps the system frame: the skinner stays on the other one only.
  skin::SkinManager->Active = false;

  const int count = 200, rounds = 9;
  RepaintMicros(plain->Handle(), 20, 1); // warm both up
  RepaintMicros(skinned->Handle(), 20, 1);
  const double system = RepaintMicros(plain->Handle(), count, rounds);
  const double skin = RepaintMicros(skinned->Handle(), count, rounds);
  std::printf("non-client repaint, system frame:  %8.1f us\n", system);
  std::printf("non-client repaint, skinned frame: %8.1f us\n", skin);
  std::printf("ratio skinned / system:            %8.2f\n", skin / system);

  const long atStart = ui::LiveGdiObjects();
  for (int i = 0; i < 1000; ++i)
    SendMessageW(skinned->Handle(), WM_NCPAINT, 1, 0);
  Pump();
  const long afterRepaints = ui::LiveGdiObjects();
  for (int i = 0; i < 200; ++i) {
    SetWindowPos(skinned->Handle(), nullptr, 0, 0, 400 + (i % 50) * 4, 300 + (i % 30) * 3,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
  }
  const long afterResizes = ui::LiveGdiObjects();
  for (int i = 0; i < 20; ++i) {
    Unskin(skinned);
    skin::SkinManager->Active = true;
    if (!Skin(skinned)) {
      std::printf("re-skinning failed at cycle %d\n", i);
      return 1;
    }
    skin::SkinManager->Active = false;
  }
  const long afterCycles = ui::LiveGdiObjects();
  std::printf("live GDI objects: start %ld, after 1000 repaints %ld, after 200 resizes %ld, "
              "after 20 skin off/on cycles %ld\n",
              atStart, afterRepaints, afterResizes, afterCycles);
  const DWORD system_count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  std::printf("system GDI object count (0 where the system does not keep one): %lu\n",
              system_count);

  delete skinned;
  delete plain;
  skin::FreeSkinManager();
  return 0;
}
