// The repaints an upgrade causes, skinned against unskinned: the progress bar moving one
// block, a status panel taking a new text, and an edit and a group box painted again. One line
// per control in microseconds, and the ratio to watch (goal: at most 3, the skinners paint over
// or instead of the control once).
#include "bench/common/win_bench.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/win_skin_form.h"
#include "ui/application.h"
#include "ui/com_controls.h"
#include "ui/form.h"
#include "ui/std_controls.h"

#include <windows.h>

#include <cstdio>

namespace {

using namespace vela;
using namespace vela::bench;

struct Window {
  ui::TForm* form;
  ui::TProgressBar* progress;
  ui::TStatusBar* status;
  ui::TEdit* edit;
  ui::TGroupBox* group;
};

Window MakeWindow(const wchar_t* caption, int x) {
  Window w{};
  w.form = new ui::TForm(nullptr);
  w.form->SetCaption(caption);
  w.form->SetBounds(x, 80, 560, 300);
  w.group = new ui::TGroupBox(w.form);
  w.group->SetParent(w.form);
  w.group->SetBounds(10, 10, 520, 120);
  w.group->SetCaption(L"File Load");
  w.edit = new ui::TEdit(w.form);
  w.edit->SetParent(w.group);
  w.edit->SetBounds(10, 25, 235, 21);
  w.progress = new ui::TProgressBar(w.form);
  w.progress->SetParent(w.group);
  w.progress->SetBounds(10, 60, 278, 17);
  w.progress->SetMax(1024);
  w.status = new ui::TStatusBar(w.form);
  w.status->SetParent(w.form);
  for (int i = 0; i < 3; ++i)
    static_cast<ui::TStatusPanel*>(w.status->Panels()->AddItem())->SetWidth(i == 2 ? 0 : 250);
  w.form->Show();
  Pump();
  return w;
}

void Redraw(ui::TWinControl* control) {
  RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

struct Costs {
  double progress, status, edit, group;
};

Costs Measure(const Window& w) {
  const int count = 200, rounds = 9;
  Costs c{};
  c.progress = MedianMicros([&](int i) {
    w.progress->SetPosition(i % 1025);
    UpdateWindow(w.progress->Handle());
  }, count, rounds);
  c.status = MedianMicros([&](int i) {
    w.status->Panels()->Items(1)->SetText(i % 2 ? L"Received Data from IP:127.0.0.1" : L"Sending block");
    UpdateWindow(w.status->Handle());
  }, count, rounds);
  c.edit = MedianMicros([&](int) { Redraw(w.edit); }, count, rounds);
  c.group = MedianMicros([&](int) { Redraw(w.group); }, count, rounds);
  return c;
}

} // namespace

int main() {
  ui::Application->Initialize();
  Window plain = MakeWindow(L"Unskinned controls", 20);
  Window skinned = MakeWindow(L"Skinned controls", 600);
  auto* data = new skin::TSkinData(skinned.form);
  data->SetSkinFile(L"" VELA_DEFAULT_SKN);
  if (data->SkinEmpty() || !skin::SkinManager) {
    std::printf("the default skin did not load\n");
    return 1;
  }
  skin::SkinManager->Active = true;
  skin::SkinManager->AttachWindow(skinned.form->Handle());
  const bool ready = PumpUntil([&] {
    skin::TWinSkinForm* skinner = skin::SkinManager->FindFormSkinner(skinned.form->Handle());
    return skinner && skinner->LifeState() == 1 && skinner->ControlSkinnerCount() > 0;
  });
  if (!ready) {
    std::printf("the window was not skinned\n");
    return 1;
  }
  // The other window keeps its native controls.
  skin::SkinManager->Active = false;
  Pump();

  Measure(plain); // warm both up
  Measure(skinned);
  const Costs native = Measure(plain), skin = Measure(skinned);
  const struct {
    const char* what;
    double native, skinned;
  } rows[] = {{"progress bar, one block", native.progress, skin.progress},
              {"status panel, new text", native.status, skin.status},
              {"edit, whole repaint", native.edit, skin.edit},
              {"group box, whole repaint", native.group, skin.group}};
  std::printf("%-28s %12s %12s %8s\n", "", "native us", "skinned us", "ratio");
  for (const auto& row : rows)
    std::printf("%-28s %12.1f %12.1f %8.2f\n", row.what, row.native, row.skinned, row.skinned / row.native);

  delete skinned.form;
  delete plain.form;
  skin::FreeSkinManager();
  return 0;
}
