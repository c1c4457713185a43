#include "skin/controls/control_mapping.h"

#include <algorithm>
#include <initializer_list>

#include "ui/core/text.h"

namespace vela::skin::mapping {
namespace {

constexpr std::size_t kMaxKindLength = 50;

bool OneOf(const std::string& name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

MappingDecision Take(SkinnerKind kind, AttachMode attach, bool recolour = false,
                     ChildAction children = ChildAction::None) {
  MappingDecision d;
  d.Matched = true;
  d.Kind = kind;
  d.Attach = attach;
  d.Recolour = recolour;
  d.Children = children;
  return d;
}

MappingDecision WithWrite(MappingDecision d, std::string_view name, std::string_view value) {
  d.Writes.push_back(PropertyWrite{name, value});
  return d;
}

// A class-map line that names the class but whose switch is off: the class is known, so the
// built-in rules are not asked, and the control stays unskinned.
MappingDecision KnownButOff() {
  MappingDecision d;
  d.Matched = true;
  return d;
}

MappingDecision ForKind(std::string_view kind, const MappingContext& c) {
  const auto gated = [](bool on, MappingDecision d) { return on ? d : KnownButOff(); };
  if (kind == "nil")
    return KnownButOff();
  if (kind == "combobox")
    return gated(c.Has(xcCombo), Take(SkinnerKind::TSkinComBox, AttachMode::Control));
  if (kind == "edit")
    return gated(c.Has(xcEdit), Take(SkinnerKind::TSkinEdit, AttachMode::Handle));
  if (kind == "radiobutton")
    return gated(c.Has(xcRadioButton), Take(SkinnerKind::TSkinRadioButton, AttachMode::Control));
  if (kind == "panel")
    return gated(c.Has(xcPanel), WithWrite(Take(SkinnerKind::TSkinBox, AttachMode::Control, true),
                                           "Transparent", "True"));
  if (kind == "trackbar")
    return gated(c.Has(xcButton), WithWrite(Take(SkinnerKind::TSkinTrackBar, AttachMode::Control),
                                            "Transparent", "True"));
  if (kind == "button")
    return gated(c.Has(xcButton), Take(SkinnerKind::TSkinButton, AttachMode::Control));
  if (kind == "bitbtn")
    return gated(c.Has(xcButton), Take(SkinnerKind::TSkinBitButton, AttachMode::Control));
  if (kind == "speedbutton")
    return gated(c.Has(xcSpeedButton), Take(SkinnerKind::TSkinSpeedButton, AttachMode::Graphic));
  if (kind == "tab")
    return gated(c.Has(xcTab) && c.HasTabsElement, Take(SkinnerKind::TSkinTab, AttachMode::Handle));
  if (kind == "progress")
    return gated(c.Has(xcProgress), Take(SkinnerKind::TSkinProgress, AttachMode::Control));
  if (kind == "scrollbar")
    return gated(c.Has(xcScrollbar), Take(SkinnerKind::TSkinScrollbar, AttachMode::Scrolling, false,
                                          ChildAction::SkinComponents));
  if (kind == "embedscrollbar")
    return gated(c.Has(xcScrollbar),
                 Take(SkinnerKind::None, AttachMode::None, false, ChildAction::EmbeddedScrollbars));
  if (kind == "container")
    return Take(SkinnerKind::None, AttachMode::None, false, ChildAction::MapChildrenByClass);
  if (kind == "groupbox")
    return gated(c.Has(xcGroupBox), Take(SkinnerKind::TSkinGroupBox, AttachMode::Control, true));
  if (kind == "radiogroup") {
    if (!c.Has(xcGroupBox))
      return KnownButOff();
    MappingDecision d =
        Take(SkinnerKind::TSkinGroupBox, AttachMode::Control, true,
             c.Has(xcRadioButton) ? ChildAction::RadioButtonChildren : ChildAction::None);
    d.ChildrenFirst = true;
    return d;
  }
  if (kind == "checkgroup") {
    if (!c.Has(xcPanel))
      return KnownButOff();
    MappingDecision d = c.Has(xcGroupBox)
                            ? Take(SkinnerKind::TSkinGroupBox, AttachMode::Control, true)
                            : KnownButOff();
    d.Children = c.Has(xcCheckBox) ? ChildAction::CheckBoxChildren : ChildAction::None;
    d.ChildrenFirst = true;
    return d;
  }
  if (kind == "checkbox")
    return gated(c.Has(xcCheckBox), Take(SkinnerKind::TSkinCheckBox, AttachMode::Control));
  return KnownButOff();
}

// The built-in rules, in their order; the first whose every condition holds decides.
MappingDecision ByRules(const ControlFacts& f, const std::string& name, const MappingContext& c) {
  const bool tabs = c.Has(xcTab) && c.HasTabsElement;
  if (name == "TTABSET" && tabs)
    return Take(SkinnerKind::TSkinTab31, AttachMode::Control);
  if (name == "TTABBEDNOTEBOOK" && tabs)
    return Take(SkinnerKind::TSkinTab, AttachMode::Handle);
  if (name == "TMVCPANEL")
    return Take(SkinnerKind::None, AttachMode::None, false, ChildAction::SkinComponents);
  if (name == "TTRACKBAR" && c.Has(xcButton))
    return Take(SkinnerKind::TSkinTrackBar, AttachMode::Control);
  if (OneOf(name, {"TUPDOWN", "TSPINBUTTON"}) && c.Has(xcButton))
    return Take(SkinnerKind::TSkinUpDown, AttachMode::Control);
  if (name == "TDBNAVIGATOR" && c.Has(xcPanel))
    return WithWrite(Take(SkinnerKind::TSkinBox, AttachMode::Control, true), "Flat", "True");
  if (name == "TRZDBCHECKBOX" && c.Has(xcCheckBox)) {
    MappingDecision d = Take(SkinnerKind::TSkinObjImage, AttachMode::Control, true);
    d.GlyphMode = 1;
    return d;
  }
  if (f.IsGroupBox && c.Has(xcPanel))
    return Take(SkinnerKind::TSkinGroupBox, AttachMode::Control, true, ChildAction::SkinComponents);
  if (f.IsStatusBar && c.Has(xcStatusBar))
    return WithWrite(Take(SkinnerKind::TSkinStatusBar, AttachMode::Control), "SizeGrip", "False");
  if (f.IsProgressBar && c.Has(xcProgress))
    return Take(SkinnerKind::TSkinProgress, AttachMode::Control);
  if (name == "TDATETIMEPICKER" && c.Has(xcEdit))
    return Take(f.PickerUpDownOrTime ? SkinnerKind::TSkinEdit : SkinnerKind::TSkinComBox,
                AttachMode::Control);
  if (OneOf(name, {"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"}) && c.Has(xcScrollbar))
    return Take(SkinnerKind::TSkinScrollbar, AttachMode::Scrolling);
  if (f.IsSpeedButton && c.Has(xcSpeedButton))
    return Take(SkinnerKind::TSkinSpeedButton, AttachMode::Graphic);
  if (f.IsPanel && c.Has(xcPanel))
    return Take(SkinnerKind::TSkinBox, AttachMode::Control, true, ChildAction::SkinComponents);
  if (OneOf(name, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}) && c.Has(xcScrollbar))
    return Take(SkinnerKind::TSkinScrollbar, AttachMode::Scrolling);
  if (f.IsListView && c.Has(xcScrollbar))
    return Take(SkinnerKind::TSkinListView, AttachMode::Scrolling);
  if ((f.IsMemo || f.IsScrollingWindow) && c.Has(xcScrollbar))
    return Take(SkinnerKind::TSkinScrollbar, AttachMode::Scrolling);
  if (f.IsButton && c.Has(xcButton))
    return Take(SkinnerKind::TSkinButton, AttachMode::Control);
  if (f.IsEdit && c.Has(xcEdit))
    return Take(SkinnerKind::TSkinEdit, AttachMode::Handle);
  const bool dcEdit = OneOf(name, {"TDCEDIT", "TDCDBEDIT"});
  if (!dcEdit && f.IsForm)
    return Take(SkinnerKind::TSkinBox, AttachMode::Control, true, ChildAction::SkinComponents);
  if (dcEdit && f.NumButtons == 1 && c.Has(xcCombo))
    return Take(SkinnerKind::TSkinComBox, AttachMode::Control);
  if (dcEdit && f.NumButtons == 0 && c.Has(xcEdit))
    return Take(SkinnerKind::TSkinEdit, AttachMode::Handle);
  return MappingDecision{};
}

} // namespace

const char* SkinnerKindName(SkinnerKind kind) {
  switch (kind) {
  case SkinnerKind::None:
    return "none";
  case SkinnerKind::TSkinButton:
    return "TSkinButton";
  case SkinnerKind::TSkinBitButton:
    return "TSkinBitButton";
  case SkinnerKind::TSkinSpeedButton:
    return "TSkinSpeedButton";
  case SkinnerKind::TSkinCheckBox:
    return "TSkinCheckBox";
  case SkinnerKind::TSkinRadioButton:
    return "TSkinRadioButton";
  case SkinnerKind::TSkinObjImage:
    return "TSkinObjImage";
  case SkinnerKind::TSkinScrollbar:
    return "TSkinScrollbar";
  case SkinnerKind::TSkinListView:
    return "TSkinListView";
  case SkinnerKind::TSkinStatusBar:
    return "TSkinStatusBar";
  case SkinnerKind::TSkinGroupBox:
    return "TSkinGroupBox";
  case SkinnerKind::TSkinBox:
    return "TSkinBox";
  case SkinnerKind::TSkinBoxH:
    return "TSkinBoxH";
  case SkinnerKind::TSkinEdit:
    return "TSkinEdit";
  case SkinnerKind::TSkinProgress:
    return "TSkinProgress";
  case SkinnerKind::TSkinTrackBar:
    return "TSkinTrackBar";
  case SkinnerKind::TSkinSizer:
    return "TSkinSizer";
  case SkinnerKind::TSkinTab:
    return "TSkinTab";
  case SkinnerKind::TSkinTab31:
    return "TSkinTab31";
  case SkinnerKind::TSkinUpDown:
    return "TSkinUpDown";
  case SkinnerKind::TSkinComBox:
    return "TSkinComBox";
  }
  return "?";
}

bool FindClassMapKind(const std::vector<std::wstring>& lines, std::string_view className,
                      std::string& kind) {
  // Class names are ASCII, so a line that matches has as many characters before its kind as
  // the key has bytes; and the class name holds no "=", so the key's own "=" is the line's first.
  const std::string key = ui::AsciiLowerCase(className) + "=";
  for (const std::wstring& line : lines) {
    if (line.size() < key.size() || ui::AsciiLowerCase(ui::WideToUtf8(line)).rfind(key, 0) != 0)
      continue;
    kind = ui::AsciiLowerCase(
        ui::WideToUtf8(std::wstring_view(line).substr(key.size(), kMaxKindLength)));
    return true;
  }
  return false;
}

MappingDecision MapByClassList(std::string_view className, const MappingContext& context) {
  std::string kind;
  if (!FindClassMapKind(context.Skin3rd, className, kind))
    return MappingDecision{};
  return ForKind(kind, context);
}

MappingDecision MapControl(const ControlFacts& control, const MappingContext& context) {
  const std::string name = ui::AsciiUpperCase(control.ClassName);
  MappingDecision byList = MapByClassList(name, context);
  if (byList.Matched)
    return byList;
  if (OneOf(name, {"TDBCOMBOBOXEH", "TQRPREVIEW", "TFRDESIGNERPAGE", "TFRPBOX"}))
    return MappingDecision{};
  return ByRules(control, name, context);
}

ChildWindowDecision SkinChildWindowKind(std::string_view windowClass, std::uint32_t style) {
  const std::string cls = ui::AsciiLowerCase(windowClass);
  if (cls == "button") {
    const std::uint32_t type = style & 0x0F;
    if ((type & 7) == 7)
      return {}; // group box
    // Push boxes, owner-drawn, split and command-link buttons have looks of their own that
    // neither the check-box nor the push-button skinner reproduces; owner-drawn ones would
    // get a check box painted over them. They keep their own painting.
    if (type >= 10)
      return {};
    if ((type & 3) == 3 || (type & 2) != 0 || (type & 5) == 5)
      return {SkinnerKind::TSkinCheckBox, false};
    if ((type & 9) == 9 || (type & 4) != 0)
      return {SkinnerKind::TSkinRadioButton, false};
    return {SkinnerKind::TSkinButton, false};
  }
  if (cls == "combobox")
    return (style & 3) == 1 ? ChildWindowDecision{} // a simple combo's list is always shown
                            : ChildWindowDecision{SkinnerKind::TSkinComBox, false};
  if (cls == "comboboxex32")
    return {SkinnerKind::TSkinComBox, true};
  if (cls == "scrollbar")
    return {SkinnerKind::TSkinSizer, false};
  if (cls == "#32770")
    return {SkinnerKind::TSkinBoxH, false};
  if (cls == "edit")
    return {SkinnerKind::TSkinEdit, false};
  return {};
}

} // namespace vela::skin::mapping
