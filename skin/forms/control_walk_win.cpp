// The frame skinner's control skinners: handing each control of the window to its skinner,
// keeping the list, and the one hot control.
#include "skin/controls/control_mapping.h"
#include "skin/controls/skin_box.h"
#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_combo.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_group_box.h"
#include "skin/controls/skin_list_view.h"
#include "skin/controls/skin_obj_image.h"
#include "skin/controls/skin_progress.h"
#include "skin/controls/skin_scrollbar.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_tabs.h"
#include "skin/controls/skin_track_bar.h"
#include "skin/controls/skin_up_down.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/win_skin_form_impl.h"
#include "ui/com_controls.h"
#include "ui/core/props.h"
#include "ui/core/text.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/speed_button.h"
#include "ui/std_controls.h"

#include <algorithm>

namespace vela::skin {

using TImpl = TWinSkinForm::TImpl;

namespace {

bool IsScrollingWindow(ui::TControl* control) {
  auto* windowed = dynamic_cast<ui::TWinControl*>(control);
  if (!windowed)
    return false;
  if (control->Tag() == 55 || dynamic_cast<ui::TCustomMemo*>(control))
    return true;
  const LONG_PTR style = GetWindowLongPtrW(windowed->Handle(), GWL_STYLE);
  return (style & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

mapping::ControlFacts FactsOf(ui::TControl* control) {
  mapping::ControlFacts f;
  f.ClassName = control->ClassName();
  f.IsGroupBox = dynamic_cast<ui::TCustomGroupBox*>(control) != nullptr;
  f.IsStatusBar = dynamic_cast<ui::TCustomStatusBar*>(control) != nullptr;
  f.IsProgressBar = dynamic_cast<ui::TProgressBar*>(control) != nullptr;
  f.IsSpeedButton = dynamic_cast<ui::TSpeedButton*>(control) != nullptr;
  f.IsPanel = dynamic_cast<ui::TCustomPanel*>(control) != nullptr;
  f.IsListView = dynamic_cast<ui::TCustomListView*>(control) != nullptr;
  f.IsMemo = dynamic_cast<ui::TCustomMemo*>(control) != nullptr;
  f.IsButton = dynamic_cast<ui::TButton*>(control) != nullptr;
  f.IsEdit = dynamic_cast<ui::TCustomEdit*>(control) != nullptr;
  f.IsForm = dynamic_cast<ui::TCustomForm*>(control) != nullptr;
  f.IsScrollingWindow = IsScrollingWindow(control);
  f.NumButtons = int(ui::GetOrdProp(control, "NumButtons"));
  f.PickerUpDownOrTime = ui::GetEnumProp(control, "Kind") == "dtkTime" ||
                         ui::GetEnumProp(control, "DateMode") == "dmUpDown";
  return f;
}

mapping::MappingContext ContextOf(const TSkinData& data) {
  mapping::MappingContext c;
  c.SkinControls = data.SkinControls();
  if (ui::TStrings* lines = data.Skin3rd())
    for (int i = 0; i < lines->Count(); ++i)
      c.Skin3rd.push_back(lines->Strings(i));
  c.HasTabsElement = data.Elements().Tabs != nullptr;
  return c;
}

// A new skinner of `kind`, owned by `owner`: the control it skins, or none for a bare window's
// skinner, which the frame skinner keeps. Null for no kind.
std::unique_ptr<TSkinControl> NewSkinner(mapping::SkinnerKind kind, ui::TComponent* owner, int glyphMode) {
  using K = mapping::SkinnerKind;
  switch (kind) {
  case K::None:
    return nullptr;
  case K::TSkinButton:
    return std::make_unique<TSkinButton>(owner);
  case K::TSkinBitButton:
    return std::make_unique<TSkinBitButton>(owner);
  case K::TSkinSpeedButton:
    return std::make_unique<TSkinSpeedButton>(owner);
  case K::TSkinCheckBox:
    return std::make_unique<TSkinCheckBox>(owner);
  case K::TSkinRadioButton:
    return std::make_unique<TSkinRadioButton>(owner);
  case K::TSkinObjImage:
    return std::make_unique<TSkinObjImage>(owner, glyphMode);
  case K::TSkinScrollbar:
    return std::make_unique<TSkinScrollbar>(owner);
  case K::TSkinListView:
    return std::make_unique<TSkinListView>(owner);
  case K::TSkinStatusBar:
    return std::make_unique<TSkinStatusBar>(owner);
  case K::TSkinGroupBox:
    return std::make_unique<TSkinGroupBox>(owner);
  case K::TSkinBox:
    return std::make_unique<TSkinBox>(owner);
  case K::TSkinBoxH:
    return std::make_unique<TSkinBoxH>(owner);
  case K::TSkinEdit:
    return std::make_unique<TSkinEdit>(owner);
  case K::TSkinProgress:
    return std::make_unique<TSkinProgress>(owner);
  case K::TSkinTrackBar:
    return std::make_unique<TSkinTrackBar>(owner);
  case K::TSkinSizer:
    return std::make_unique<TSkinSizer>(owner);
  case K::TSkinTab:
    return std::make_unique<TSkinTab>(owner);
  case K::TSkinTab31:
    return std::make_unique<TSkinTab31>(owner);
  case K::TSkinUpDown:
    return std::make_unique<TSkinUpDown>(owner);
  case K::TSkinComBox:
    return std::make_unique<TSkinComBox>(owner);
  }
  return nullptr;
}

} // namespace

// ---- the list and the hot control

const TSkinElements* TWinSkinForm::SkinElements() const {
  return impl_ && impl_->skinData ? &impl_->skinData->Elements() : nullptr;
}

bool TWinSkinForm::AddControlSkinner(TSkinControl* skinner) {
  if (!impl_ || !skinner)
    return false;
  auto& list = impl_->controlSkinners;
  if (std::find(list.begin(), list.end(), skinner) != list.end())
    return true;
  list.push_back(skinner);
  return false;
}

void TWinSkinForm::RemoveControlSkinner(TSkinControl* skinner) {
  if (!impl_)
    return;
  auto& list = impl_->controlSkinners;
  if (auto it = std::find(list.rbegin(), list.rend(), skinner); it != list.rend())
    list.erase(std::next(it).base());
  if (impl_->hotControl == skinner)
    impl_->hotControl = nullptr;
}

TSkinControl* TWinSkinForm::FindControlSkinner(HWND window) const {
  if (!impl_ || !window)
    return nullptr;
  for (TSkinControl* skinner : impl_->controlSkinners)
    if (skinner->Handle() == window)
      return skinner;
  return nullptr;
}

TSkinControl* TWinSkinForm::HotControl() const {
  return impl_ ? impl_->hotControl : nullptr;
}

void TWinSkinForm::SetHotControl(TSkinControl* skinner) {
  if (impl_)
    impl_->hotControl = skinner;
}

int TWinSkinForm::ControlSkinnerCount() const {
  return impl_ ? int(impl_->controlSkinners.size()) : 0;
}

TSkinControl* TWinSkinForm::ControlSkinner(int index) const {
  return impl_ ? impl_->controlSkinners.at(std::size_t(index)) : nullptr;
}

void TImpl::FreeControlSkinners() {
  hotControl = nullptr;
  // Freeing a skinner takes it off the list: work on a copy.
  const std::vector<TSkinControl*> list = std::move(controlSkinners);
  controlSkinners.clear();
  for (TSkinControl* skinner : list) {
    if (skinner->LifeState() != clsWindowDestroyed) {
      if (lifeState == lsDestroying)
        skinner->SetLifeState(clsFormUnskinning);
      skinner->Unskin();
    }
    auto owned = std::find_if(ownedSkinners.begin(), ownedSkinners.end(),
                              [skinner](const auto& p) { return p.get() == skinner; });
    if (owned != ownedSkinners.end())
      ownedSkinners.erase(owned);
    else
      delete skinner; // owned by its control, which lets go of it
  }
  ownedSkinners.clear();
}

// ---- the walk

void TImpl::SkinComponents(ui::TComponent* container) {
  // Skinners whose window is gone are dropped before the walk.
  const std::vector<TSkinControl*> list = controlSkinners;
  for (TSkinControl* skinner : list) {
    if (skinner->LifeState() != clsWindowDestroyed)
      continue;
    auto owned = std::find_if(ownedSkinners.begin(), ownedSkinners.end(),
                              [skinner](const auto& p) { return p.get() == skinner; });
    if (owned != ownedSkinners.end())
      ownedSkinners.erase(owned);
    else
      delete skinner;
  }
  for (int i = 0; i < container->ComponentCount(); ++i)
    if (auto* control = dynamic_cast<ui::TControl*>(container->Components(i)))
      MapControl(control, container);
}

bool TImpl::IsControlSkinned(const ui::TControl* control) const {
  auto* windowed = dynamic_cast<const ui::TWinControl*>(control);
  for (TSkinControl* skinner : controlSkinners) {
    if (skinner->Control() == control || skinner->GraphicControl() == control)
      return true;
    if (!skinner->Control() && !skinner->GraphicControl() && windowed) {
      HWND handle = windowed->HandleIfAllocated();
      if (!handle)
        return false;
      if (handle == skinner->Handle())
        return true;
    }
  }
  return false;
}

void TImpl::MapControl(ui::TControl* control, ui::TComponent* container) {
  if (!skinData || mapping::IsDisabledByTag(control->Tag(), skinData->DisableTag()) ||
      IsControlSkinned(control))
    return;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control)) {
    try {
      windowed->HandleNeeded();
    } catch (...) {
      return; // a control whose window cannot be made stays as it is
    }
  }
  if (skinData->OnSkinControl) {
    ui::TComponent* answer = nullptr;
    auto* containerControl = dynamic_cast<ui::TControl*>(container);
    skinData->OnSkinControl(&self, skinData, containerControl, control, control->ClassName(), answer);
    if (auto* skinner = dynamic_cast<TSkinControl*>(answer)) {
      if (!self.AddControlSkinner(skinner))
        skinner->AttachControl(&self, skinner->Recolour(), &controlCanvas);
      if (dynamic_cast<ui::TCustomPanel*>(control))
        SkinComponents(control);
      return;
    }
  }
  ApplyDecision(control, mapping::MapControl(FactsOf(control), ContextOf(*skinData)));
}

void TImpl::ApplyDecision(ui::TControl* control, const mapping::MappingDecision& decision) {
  if (!decision.Matched)
    return;
  if (decision.ChildrenFirst)
    MapChildren(control, decision.Children);
  // The skinner is owned by the control it skins, which frees it.
  TSkinControl* skinner = NewSkinner(decision.Kind, control, decision.GlyphMode).release();
  // Written once the skinner exists (it may note what the control had) and before it attaches.
  for (const mapping::PropertyWrite& write : decision.Writes)
    ui::SetPropValue(control, write.Name, ui::Utf8ToWide(write.Value));
  if (skinner) {
    auto* windowed = dynamic_cast<ui::TWinControl*>(control);
    auto* scrolling = dynamic_cast<TSkinScrollbar*>(skinner);
    auto* speed = dynamic_cast<TSkinSpeedButton*>(skinner);
    if (decision.Attach == mapping::AttachMode::Graphic && speed)
      speed->AttachGraphic(&self, &controlCanvas);
    else if (decision.Attach == mapping::AttachMode::Scrolling && scrolling)
      scrolling->AttachScrolling(&self, &controlCanvas);
    else if (decision.Attach == mapping::AttachMode::Handle && windowed)
      skinner->AttachHandle(windowed->Handle(), &self, &controlCanvas);
    else
      skinner->AttachControl(&self, decision.Recolour, &controlCanvas);
  }
  if (!decision.ChildrenFirst)
    MapChildren(control, decision.Children);
}

void TImpl::MapChildren(ui::TControl* control, mapping::ChildAction action) {
  if (action == mapping::ChildAction::None)
    return;
  if (action == mapping::ChildAction::SkinComponents) {
    SkinComponents(control);
    return;
  }
  auto* parent = dynamic_cast<ui::TWinControl*>(control);
  if (!parent || !skinData)
    return;
  // Listed first: attaching may recreate a child's window, and the walk must not depend on the
  // control's own list staying as it was.
  std::vector<ui::TControl*> children;
  for (int i = 0; i < parent->ControlCount(); ++i)
    children.push_back(parent->Controls(i));
  const mapping::MappingContext context = ContextOf(*skinData);
  for (ui::TControl* child : children) {
    if (IsControlSkinned(child))
      continue;
    switch (action) {
    case mapping::ChildAction::MapChildrenByClass:
      ApplyDecision(child, mapping::MapByClassList(child->ClassName(), context));
      break;
    case mapping::ChildAction::RadioButtonChildren:
      if (dynamic_cast<ui::TWinControl*>(child))
        (new TSkinRadioButton(child))->AttachControl(&self, false, &controlCanvas);
      break;
    case mapping::ChildAction::CheckBoxChildren:
      if (dynamic_cast<ui::TWinControl*>(child))
        (new TSkinCheckBox(child))->AttachControl(&self, false, &controlCanvas);
      break;
    case mapping::ChildAction::EmbeddedScrollbars:
      if (IsScrollingWindow(child))
        (new TSkinScrollbar(child))->AttachScrolling(&self, &controlCanvas);
      break;
    default:
      break;
    }
  }
}

void TImpl::SkinChildWindows() {
  for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD)
      SkinChildWindow(child);
}

void TImpl::SkinChildWindow(HWND child) {
  if (self.FindControlSkinner(child))
    return;
  char name[101] = {};
  GetClassNameA(child, name, int(sizeof name));
  const auto style = std::uint32_t(GetWindowLongPtrW(child, GWL_STYLE));
  const mapping::ChildWindowDecision decision = mapping::SkinChildWindowKind(name, style);
  if (decision.OnFirstChild) {
    // An extended combo box draws nothing of its own: its first child, the combo box inside
    // it, is the window to skin.
    child = GetTopWindow(child);
    if (!child || self.FindControlSkinner(child))
      return;
  }
  std::unique_ptr<TSkinControl> skinner = NewSkinner(decision.Kind, nullptr, 0);
  if (!skinner)
    return;
  skinner->AttachHandle(child, &self, &controlCanvas);
  if (skinner->Attached())
    ownedSkinners.push_back(std::move(skinner));
}

} // namespace vela::skin
