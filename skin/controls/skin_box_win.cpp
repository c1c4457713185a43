#include "skin/controls/skin_box.h"

namespace vela::skin {

// ---- TSkinBox

const ui::TClassInfo& TSkinBox::StaticClassInfo() {
  static const ui::TClassInfo info = ui::MakeClassInfo<TSkinBox>("TSkinBox", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinBox::TSkinBox(ui::TComponent* owner) : TSkinControl(owner) {}

void TSkinBox::AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) {
  TSkinControl::AttachControl(host, recolour, canvas);
  // A panel paints itself in the colour it was given; its messages stay its own.
  ReleaseHook();
}

void TSkinBox::Unskin() {
  TSkinControl::Unskin();
  SetLifeState(clsUnskinned);
}

// ---- TSkinBoxH

const ui::TClassInfo& TSkinBoxH::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinBoxH>("TSkinBoxH", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinBoxH::TSkinBoxH(ui::TComponent* owner) : TSkinControl(owner) {}

bool TSkinBoxH::BeforeMessage(ui::TMessage& m) {
  if (m.Msg != WM_ERASEBKGND)
    return TSkinControl::BeforeMessage(m);
  RECT r{};
  GetWindowRect(Handle(), &r);
  OffsetRect(&r, -r.left, -r.top);
  FillSkinColor(reinterpret_cast<HDC>(m.WParam), r);
  m.Result = 0;
  return false;
}

// ---- TSkinSizer

const ui::TClassInfo& TSkinSizer::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinSizer>("TSkinSizer", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinSizer::TSkinSizer(ui::TComponent* owner) : TSkinControl(owner) {}

void TSkinSizer::Draw(HDC dc, const RECT& rect) {
  FillSkinColor(dc, rect);
}

} // namespace vela::skin
