#pragma once
// Which control skinner takes over a control, decided from facts the caller has read: the
// control's class name and framework ancestry, its Tag and a few properties, the skin data's
// switches and class map, and whether the skin has a `Tabs` element. The decision names the
// skinner kind, how it attaches and what happens around the attach (properties to set, child
// controls to visit); the Windows side carries it out.
//
// For a framework control the order is: the Tag test (IsDisabledByTag); then, on the Windows
// side, whether a listed skinner already covers it, the window handle and the `OnSkinControl`
// event; then MapControl here, which tries the class map first (MapByClassList) and then
// the built-in rules in their fixed order, the first matching rule winning.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/controls/skin_control_types.h"

namespace vela::skin::mapping {

// The control skinners the mapping can hand out.
enum class SkinnerKind {
  None,
  TSkinButton,
  TSkinBitButton,
  TSkinSpeedButton,
  TSkinCheckBox,
  TSkinRadioButton,
  TSkinObjImage,
  TSkinScrollbar,
  TSkinListView,
  TSkinStatusBar,
  TSkinGroupBox,
  TSkinBox,
  TSkinBoxH,
  TSkinEdit,
  TSkinProgress,
  TSkinTrackBar,
  TSkinSizer,
  TSkinTab,
  TSkinTab31,
  TSkinUpDown,
  TSkinComBox,
};

const char* SkinnerKindName(SkinnerKind kind);

enum class AttachMode {
  None,
  Control,   // AttachControl with the decision's recolour value
  Handle,    // AttachHandle on the control's window
  Scrolling, // AttachScrolling
  Graphic,   // the speed button's own attach
};

// What is done with the control's children once the control itself has been dealt with.
enum class ChildAction {
  None,
  SkinComponents,      // the control's own components go through MapControl
  EmbeddedScrollbars,  // every scrolling child gets a TSkinScrollbar, attached scrolling
  MapChildrenByClass,  // every child goes through MapByClassList with its own class name
  RadioButtonChildren, // every child gets a TSkinRadioButton, attach(0)
  CheckBoxChildren,    // every child gets a TSkinCheckBox, attach(0)
};

// A published property written by name before the skinner attaches.
struct PropertyWrite {
  std::string_view Name;
  std::string_view Value;
  friend bool operator==(const PropertyWrite&, const PropertyWrite&) = default;
};

struct MappingDecision {
  // False when neither the class map nor a rule named the control: it stays unskinned.
  bool Matched = false;
  SkinnerKind Kind = SkinnerKind::None;
  AttachMode Attach = AttachMode::None;
  bool Recolour = false;
  int GlyphMode = 0; // TSkinObjImage: 1 hands the skin's check-box strip to the control
  std::vector<PropertyWrite> Writes;
  ChildAction Children = ChildAction::None;
  // True when the children are dealt with before the control (radio and check groups).
  bool ChildrenFirst = false;
};

// What the mapping reads of one framework control. The Is* facts say whether the control
// descends from the framework class named in the comment.
struct ControlFacts {
  std::string ClassName;      // as the control's class reports it; case does not matter
  bool IsGroupBox = false;    // TCustomGroupBox
  bool IsStatusBar = false;   // TCustomStatusBar
  bool IsProgressBar = false; // TProgressBar
  bool IsSpeedButton = false; // TSpeedButton
  bool IsPanel = false;       // TCustomPanel
  bool IsListView = false;    // TCustomListView
  bool IsMemo = false;        // TCustomMemo
  bool IsButton = false;      // TButton
  bool IsEdit = false;        // TCustomEdit
  bool IsForm = false;        // TCustomForm
  bool IsScrollingWindow = false;
  int NumButtons = 0;              // integer property "NumButtons", 0 when not published
  bool PickerUpDownOrTime = false; // a date picker shown as up-down or as a time
};

// What the mapping reads of the skin data and the skin.
struct MappingContext {
  TSkinControls SkinControls = 0;
  std::vector<std::wstring> Skin3rd;
  bool HasTabsElement = false;

  bool Has(TSkinControlType type) const { return (SkinControls & SkinControlBit(type)) != 0; }
};

// A control whose Tag mod 100 (the remainder keeps the Tag's sign) equals DisableTag is never
// skinned.
constexpr bool IsDisabledByTag(int tag, int disableTag) {
  return tag % 100 == disableTag;
}

// The kind a `Skin3rd` line gives the class, lower-cased and at most 50 characters, from the
// first line that starts with the class name and "=" (letter case ignored on both sides).
// False when no line names the class.
bool FindClassMapKind(const std::vector<std::wstring>& lines, std::string_view className,
                      std::string& kind);

// The class-map step: Matched is false when no line names the class; when one does, the
// mapping ends here even if the kind is unknown or its switch is off (the control then stays
// unskinned).
MappingDecision MapByClassList(std::string_view className, const MappingContext& context);

// The whole decision for one framework control after the Windows-side checks.
MappingDecision MapControl(const ControlFacts& control, const MappingContext& context);

// A bare child window of a window without a framework form.
struct ChildWindowDecision {
  SkinnerKind Kind = SkinnerKind::None;
  // True when the skinner goes to the window's first child (the combo inside an extended
  // combo box) rather than to the window itself.
  bool OnFirstChild = false;
  friend bool operator==(const ChildWindowDecision&, const ChildWindowDecision&) = default;
};

// The skinner for a bare window of class `windowClass` (letter case ignored) and style
// `style`; it attaches by handle.
ChildWindowDecision SkinChildWindowKind(std::string_view windowClass, std::uint32_t style);

} // namespace vela::skin::mapping
