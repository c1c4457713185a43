// skinview's window switched between two skins as a user switching skins does it: the skin
// data reads the other skin file and applies it, the manager re-skins the window at its next
// deferred action, and the window repaints. Every page has been shown once first, so every
// control of the program has its window and its skinner.
//
// Prints the time of each switch (wall clock, which includes the manager's fixed deferral,
// and the thread's processor time, which is the work), their medians, and the live GDI
// objects before and after the switches (the framework's count and the system's).
#include "bench/common/win_bench.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/win_skin_form.h"
#include "tools/skinview/skinview_form.h"
#include "ui/application.h"
#include "ui/core/text.h"
#include "ui/graphics.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace vela;
using bench::Now;

constexpr int kSwitches = 20;
constexpr DWORD kLimitMs = 30000;

// Processor time of this thread, user and kernel, in seconds.
double ThreadSeconds() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  auto seconds = [](FILETIME t) {
    return double((std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// Runs the program's messages until `done` holds and nothing is left in the queue.
bool RunUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  for (;;) {
    ui::Application->ProcessMessages();
    if (done() && HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0)
      return true;
    if (GetTickCount() - start > kLimitMs)
      return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool Skinned(HWND window) {
  skin::TWinSkinForm* skinner =
      skin::SkinManager ? skin::SkinManager->FindFormSkinner(window) : nullptr;
  return skinner && skinner->LifeState() == 1;
}

void RepaintAll(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
}

long SystemGdiObjects() {
  return long(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

int Run() {
  skinview::TSkinViewForm* form = nullptr;
  ui::Application->CreateForm(form);
  const std::wstring skins[2] = {ui::Utf8ToWide(CALM_SKN), ui::Utf8ToWide(DUSK_SKN)};
  if (!form->UseSkin(skins[0], true))
    return 1;
  form->Show();
  if (!RunUntil([&] { return Skinned(form->Handle()); })) {
    std::fprintf(stderr, "the window was not skinned within %lu s\n", kLimitMs / 1000);
    return 1;
  }
  bool changed = false;
  form->SkinData().OnSkinChanged = [&changed](ui::TObject*) { changed = true; };
  auto switchTo = [&](const std::wstring& file) {
    changed = false;
    if (!form->UseSkin(file, true))
      return false;
    const bool done = RunUntil([&] { return changed; });
    RepaintAll(form->Handle());
    return done;
  };

  // Every page once, then one round trip, so that everything made once is made.
  for (const std::string& page : form->PageNames()) {
    form->ShowPage(page);
    RunUntil([] { return true; });
    RepaintAll(form->Handle());
  }
  if (!switchTo(skins[1]) || !switchTo(skins[0])) {
    std::fprintf(stderr, "a skin change did not finish within %lu s\n", kLimitMs / 1000);
    return 1;
  }
  const long liveBefore = ui::LiveGdiObjects();
  const long systemBefore = SystemGdiObjects();

  std::vector<double> wall, work;
  for (int i = 0; i < kSwitches; ++i) {
    const std::wstring& file = skins[(i + 1) % 2];
    const double start = Now(), startCpu = ThreadSeconds();
    if (!switchTo(file)) {
      std::fprintf(stderr, "switch %d did not finish within %lu s\n", i + 1, kLimitMs / 1000);
      return 1;
    }
    wall.push_back((Now() - start) * 1e3);
    work.push_back((ThreadSeconds() - startCpu) * 1e3);
    std::printf("switch %2d to %-9s wall %7.1f ms  processor %6.1f ms\n", i + 1,
                i % 2 == 0 ? "Vela Dusk" : "Vela Calm", wall.back(), work.back());
  }
  std::printf("pages: %zu, switches: %d\n", form->PageNames().size(), kSwitches);
  std::printf("median per switch: wall %.1f ms (the manager defers each change by %u ms), "
              "processor %.1f ms\n",
              Median(wall), skin::TSkinManage::kActionDelay, Median(work));
  std::printf("live GDI objects (framework): before %ld, after %ld\n", liveBefore,
              ui::LiveGdiObjects());
  if (systemBefore == 0)
    std::printf("GDI objects (system count): not reported by this system\n");
  else
    std::printf("GDI objects (system count): before %ld, after %ld\n", systemBefore,
                SystemGdiObjects());
  return 0;
}

} // namespace

int main() {
  ui::Application->Initialize();
  try {
    return Run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinview_switch_bench: %s\n", e.what());
    return 1;
  }
}
