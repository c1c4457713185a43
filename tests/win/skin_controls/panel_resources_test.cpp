// A form holding the panel family's controls leaves no GDI object behind across repaints,
// resizes and skin cycles. Both counts are read: the framework's own (every GDI object it and
// the skin engine own through TGdiObject) and the system's (GetGuiResources, which also sees
// objects made and freed directly; Wine may report 0 for it, which then compares equal).
#include "tests/win/skin_frame/frame_fixture.h"
#include "ui/com_controls.h"
#include "ui/std_controls.h"

namespace vela::skin::test {
namespace {

class PanelResourcesTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    CreateForm();
    auto* panel = new ui::TPanel(form);
    panel->SetParent(form);
    panel->SetAlign(ui::TAlign::alTop);
    panel->SetHeight(40);
    auto* edit = new ui::TEdit(form);
    edit->SetParent(panel);
    edit->SetBounds(10, 10, 120, 21);
    auto* group = new ui::TGroupBox(form);
    group->SetParent(form);
    group->SetBounds(10, 50, 220, 80);
    group->SetCaption(L"File Load");
    auto* file = new ui::TEdit(form);
    file->SetParent(group);
    file->SetBounds(10, 25, 120, 21);
    progress = new ui::TProgressBar(form);
    progress->SetParent(group);
    progress->SetBounds(10, 52, 200, 17);
    auto* track = new ui::TTrackBar(form);
    track->SetParent(form);
    track->SetBounds(240, 50, 110, 40);
    auto* status = new ui::TStatusBar(form);
    status->SetParent(form);
    for (int i = 0; i < 3; ++i) {
      auto* p = static_cast<ui::TStatusPanel*>(status->Panels()->AddItem());
      p->SetText(i == 0 ? L"Connected" : L"");
      p->SetWidth(i == 2 ? 0 : 120);
    }
    PumpMessages();
  }
  void RepaintAll() {
    RedrawWindow(Window(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  static DWORD SystemCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

  ui::TProgressBar* progress = nullptr;
};

TEST_F(PanelResourcesTest, RepaintsResizesAndSkinCyclesLeaveNoGdiObjectBehind) {
  Skin();
  RepaintAll(); // the first paint makes the skinners' buffers and fonts
  const long before = ui::LiveGdiObjects();
  const DWORD systemBefore = SystemCount();
  for (int i = 0; i < 1000; ++i) {
    progress->SetPosition(i % 101);
    RepaintAll();
  }
  EXPECT_EQ(ui::LiveGdiObjects(), before) << "after the repaints";
  EXPECT_EQ(SystemCount(), systemBefore) << "after the repaints";
  for (int i = 0; i < 200; ++i) {
    form->SetClientWidth(360 + (i % 20) * 9);
    form->SetClientHeight(200 + (i % 10) * 7);
    UpdateWindow(Window());
  }
  form->SetClientWidth(360);
  form->SetClientHeight(200);
  RepaintAll();
  EXPECT_EQ(ui::LiveGdiObjects(), before) << "after the resizes";
  for (int cycle = 0; cycle < 20; ++cycle) {
    Skinner()->DetachFrame();
    delete Skinner();
    RepaintAll();
    Skin();
    RepaintAll();
  }
  EXPECT_EQ(ui::LiveGdiObjects(), before) << "after the skin cycles";
  EXPECT_EQ(SystemCount(), systemBefore) << "after the skin cycles";
}

} // namespace
} // namespace vela::skin::test
