// skinview: a window skinned with a skin file, with pages of the controls the engine paints.
//   skinview [SKIN.skn] [--page NAME] [--shot FILE.bmp]
#include "skin/forms/skin_manager.h"
#include "skin/forms/win_skin_form.h"
#include "tools/skinview/skinview_form.h"
#include "tools/skinview/skinview_options.h"
#include "ui/application.h"
#include "ui/core/text.h"

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace vela;
using namespace vela::skinview;

// How long --shot waits for the window to be skinned and painted.
constexpr UINT kShotLimitMs = 30000;

std::vector<std::string> CommandWords() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> words;
  for (int i = 1; i < count; ++i)
    words.push_back(ui::WideToUtf8(args[i]));
  LocalFree(args);
  return words;
}

bool Skinned(HWND window) {
  skin::TWinSkinForm* skinner =
      skin::SkinManager ? skin::SkinManager->FindFormSkinner(window) : nullptr;
  return skinner && skinner->LifeState() == 1;
}

bool limitReached = false;
void CALLBACK ShotLimit(HWND, UINT, UINT_PTR, DWORD) {
  limitReached = true;
}

// Waits, message by message, until the window is skinned (or, for a skin that could not be
// read, shown), paints it whole and saves it.
int TakeShot(TSkinViewForm& form, const std::wstring& file) {
  const UINT_PTR limit = SetTimer(nullptr, 0, kShotLimitMs, ShotLimit);
  const bool skinExpected = form.SkinLoaded();
  for (;;) {
    ui::Application->ProcessMessages();
    if (limitReached || ui::Application->Terminated())
      break;
    const bool ready = skinExpected ? Skinned(form.Handle()) : form.Showing();
    if (ready && HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0)
      break;
    WaitMessage();
  }
  KillTimer(nullptr, limit);
  if (limitReached || ui::Application->Terminated()) {
    std::fprintf(stderr, "skinview: the window was not skinned and painted within %u s\n",
                 kShotLimitMs / 1000);
    return kExitNotSkinned;
  }
  RedrawWindow(form.Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ui::Application->ProcessMessages();
  std::wstring error;
  if (!form.SaveShot(file, error)) {
    std::fprintf(stderr, "skinview: %s\n", ui::WideToUtf8(error).c_str());
    return kExitShotFailed;
  }
  RECT r{};
  GetWindowRect(form.Handle(), &r);
  std::printf("saved %ldx%ld to %s\n", r.right - r.left, r.bottom - r.top,
              ui::WideToUtf8(file).c_str());
  return skinExpected ? kExitShown : kExitSkinUnreadable;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Started from a console, the text output goes there.
  AttachConsole(ATTACH_PARENT_PROCESS);
  Options options;
  std::string error;
  const std::vector<std::string> pages = Pages().Names();
  if (!ParseOptions(CommandWords(), pages, options, error)) {
    std::fprintf(stderr, "skinview: %s (try --help)\n", error.c_str());
    return kExitUsage;
  }
  if (options.help) {
    std::fputs(HelpText(pages).c_str(), stdout);
    return kExitShown;
  }
  if (options.version) {
    std::printf("skinview %s\n", VELA_VERSION);
    return kExitShown;
  }
  ui::Application->Initialize();
  ui::Application->SetTitle(L"Vela Skin Viewer");
  TSkinViewForm* form = nullptr;
  int result = kExitShown;
  try {
    ui::Application->CreateForm(form);
    if (!options.page.empty())
      form->ShowPage(options.page);
    const bool shooting = !options.shotFile.empty();
    const bool loaded = form->UseSkin(ui::Utf8ToWide(options.skinFile), shooting);
    if (shooting) {
      form->Show();
      result = TakeShot(*form, ui::Utf8ToWide(options.shotFile));
    } else {
      ui::Application->Run();
      result = loaded ? kExitShown : kExitSkinUnreadable;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinview: %s\n", e.what());
    ui::Application->ShowException(e);
    return kExitShotFailed;
  }
  return result;
}
