// The update tool: one window, run until it closes.
#include "app/form1.h"
#include "app/texts.h"
#include "ui/application.h"
#include "ui/core/text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace vela;
  ui::Application->Initialize();
  ui::Application->SetTitle(ui::Utf8ToWide(app::text::kAppTitle));
  app::TForm1* Form1 = nullptr;
  try {
    ui::Application->CreateForm(Form1);
  } catch (const std::exception& e) {
    // The window could not be built from its description: say why instead of vanishing.
    ui::Application->ShowException(e);
    return 1;
  }
  ui::Application->Run();
  return 0;
}
