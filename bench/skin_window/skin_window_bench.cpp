// The update tool's window, frame and every control, repainted with its skin and without it,
// in one run; then the live GDI objects across 1,000 repaints, 200 resizes and 20 skin off/on
// cycles of the skinned window.
//
// Prints one line per measurement; the ratio line is what to watch (goal: at most 2).
#include "app/form1.h"
#include "bench/common/win_bench.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"
#include "skin/forms/win_skin_form.h"
#include "ui/application.h"
#include "ui/graphics.h"

#include <windows.h>

#include <cstdio>

namespace {

using namespace vela;
using namespace vela::bench;

// Everything the operator sees is painted again: the frame, the client area and every child.
void RepaintAll(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Median of `rounds` timings of `count` full repaints, in microseconds per repaint.
double RepaintMicros(HWND window, int count, int rounds) {
  return MedianMicros([&](int) { RepaintAll(window); }, count, rounds);
}

bool Skinned(HWND window) {
  return SendMessageW(window, skin::SKM_ISSKINNED, 0, 0) == 1;
}

int ControlSkinners(HWND window) {
  skin::TWinSkinForm* skinner = skin::SkinManager ? skin::SkinManager->FindFormSkinner(window) : nullptr;
  return skinner ? skinner->ControlSkinnerCount() : 0;
}

bool SetSkin(app::TForm1* form, bool on) {
  form->SkinData1->SetActive(on);
  HWND window = form->Handle();
  const bool done = PumpUntil([&] { return Skinned(window) == on; });
  Pump();
  return done;
}

} // namespace

int main() {
  ui::Application->Initialize();
  auto* form = new app::TForm1(ui::Application);
  form->Show();
  HWND window = form->Handle();
  if (!PumpUntil([&] { return Skinned(window); })) {
    std::printf("the window was not skinned\n");
    return 1;
  }
  Pump();
  std::printf("control skinners on the window: %d\n", ControlSkinners(window));

  const int count = 100, rounds = 9;
  RepaintMicros(window, 10, 1); // warm up
  const double skinned = RepaintMicros(window, count, rounds);
  if (!SetSkin(form, false)) {
    std::printf("the skin did not switch off\n");
    return 1;
  }
  RepaintMicros(window, 10, 1);
  const double plain = RepaintMicros(window, count, rounds);
  std::printf("full repaint, skin off: %9.1f us\n", plain);
  std::printf("full repaint, skinned:  %9.1f us\n", skinned);
  std::printf("ratio skinned / off:    %9.2f\n", skinned / plain);

  if (!SetSkin(form, true)) {
    std::printf("the skin did not switch back on\n");
    return 1;
  }
  const long atStart = ui::LiveGdiObjects();
  const DWORD systemAtStart = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 1000; ++i)
    RepaintAll(window);
  Pump();
  const long afterRepaints = ui::LiveGdiObjects();
  RECT original{};
  GetWindowRect(window, &original);
  for (int i = 0; i < 200; ++i) {
    SetWindowPos(window, nullptr, 0, 0, 560 + (i % 50) * 6, 420 + (i % 30) * 5,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
  }
  SetWindowPos(window, nullptr, 0, 0, original.right - original.left, original.bottom - original.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  const long afterResizes = ui::LiveGdiObjects();
  for (int i = 0; i < 20; ++i) {
    if (!SetSkin(form, false) || !SetSkin(form, true)) {
      std::printf("skin off/on cycle %d did not finish\n", i);
      return 1;
    }
  }
  RepaintAll(window);
  Pump();
  const long afterCycles = ui::LiveGdiObjects();
  std::printf("live GDI objects: start %ld, after 1000 repaints %ld, after 200 resizes %ld, "
              "after 20 skin off/on cycles %ld\n",
              atStart, afterRepaints, afterResizes, afterCycles);
  std::printf("system GDI objects (0 where the system keeps no count): start %lu, end %lu\n",
              systemAtStart, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  std::printf("control skinners on the window: %d\n", ControlSkinners(window));

  delete form;
  skin::FreeSkinManager();
  return 0;
}
