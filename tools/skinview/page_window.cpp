// The "Window" page: windows the skin manager skins as they appear, a message box and a second
// window of the program.
#include "tools/skinview/skinview_form.h"
#include "ui/application.h"

#include <memory>

namespace vela::skinview {
namespace {

// A small second window; one at a time, brought forward when asked for again.
class TSecondForm : public ui::TForm {
public:
  explicit TSecondForm(ui::TComponent* owner) : ui::TForm(owner) {
    SetCaption(L"Second skinned window");
    SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
    SetBounds(260, 220, 300, 180);
    SetClientWidth(320);
    SetClientHeight(150);
    auto* text = new ui::TLabel(this);
    text->SetParent(this);
    text->SetBounds(16, 16, 290, 16);
    text->SetCaption(L"A second window, skinned by the same skin.");
    auto* close = new ui::TButton(this);
    close->SetParent(this);
    close->SetBounds(220, 104, 84, 28);
    close->SetCaption(L"&Close");
    close->OnClick = [this](ui::TObject*) { Close(); };
  }
};

void FillWindowPage(TPageHost& host) {
  TSkinViewForm& form = host.Form();
  auto* intro = host.Add<ui::TLabel>(16, 12, 600, 16);
  intro->SetCaption(L"Every window of the program takes the skin as it appears.");

  auto* box = host.Add<ui::TButton>(16, 44, 170, 28);
  box->SetCaption(L"&Message box\x2026");
  box->OnClick = [&form](ui::TObject*) {
    ui::Application->MessageBox(L"A message box, skinned like every window of the program.",
                                L"Skinned message box", MB_OK | MB_ICONINFORMATION);
    form.Say(L"The message box closed");
  };

  auto* second = host.Add<ui::TButton>(16, 84, 170, 28);
  second->SetCaption(L"&Second window\x2026");
  // Closing the window hides it (the framework's default), so one instance serves every click.
  auto window = std::make_shared<TSecondForm*>(nullptr);
  second->OnClick = [&form, window](ui::TObject*) {
    if (!*window)
      *window = new TSecondForm(&form);
    (*window)->Show();
    (*window)->BringToFront();
    form.Say(L"Second window shown");
  };
}

[[maybe_unused]] const bool registered = RegisterPage("Window", 20, &FillWindowPage);

} // namespace
} // namespace vela::skinview
