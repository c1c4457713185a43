#include "skin/controls/control_mapping.h"

#include <gtest/gtest.h>

namespace vela::skin::mapping {

// Failures name the skinner instead of printing its number.
void PrintTo(SkinnerKind kind, std::ostream* os) {
  *os << SkinnerKindName(kind);
}

namespace {

constexpr TSkinControls kAll = (TSkinControls(1) << (xcFastReport + 1)) - 1;

// Every switch on, a skin with a Tabs element and an empty class map, unless a test says else.
class MappingTest : public testing::Test {
protected:
  MappingContext context{kAll, {}, true};

  void Without(TSkinControlType type) { context.SkinControls &= ~SkinControlBit(type); }
  static ControlFacts Named(const char* name) {
    ControlFacts f;
    f.ClassName = name;
    return f;
  }
};

using Facts = bool ControlFacts::*;

struct RuleRow {
  const char* what;
  const char* className;
  Facts fact;    // an ancestry fact set on the control, or none
  int switchOff; // a switch turned off (-1 none)
  SkinnerKind kind;
  AttachMode attach;
  bool recolour;
  ChildAction children;
};

TEST_F(MappingTest, BuiltInRulesGiveEachControlItsSkinner) {
  using K = SkinnerKind;
  using M = AttachMode;
  using C = ChildAction;
  const RuleRow rows[] = {
      {"tab set", "TTabSet", nullptr, -1, K::TSkinTab31, M::Control, false, C::None},
      {"tab set without xcTab", "TTabSet", nullptr, xcTab, K::None, M::None, false, C::None},
      {"tabbed notebook", "TTabbedNotebook", nullptr, -1, K::TSkinTab, M::Handle, false, C::None},
      {"MVC panel walks its components", "TMVCPanel", nullptr, xcPanel, K::None, M::None, false,
       C::SkinComponents},
      {"track bar", "TTrackBar", nullptr, -1, K::TSkinTrackBar, M::Control, false, C::None},
      {"track bar needs xcButton", "TTrackBar", nullptr, xcButton, K::None, M::None, false,
       C::None},
      {"up-down", "TUpDown", nullptr, -1, K::TSkinUpDown, M::Control, false, C::None},
      {"spin button", "TSpinButton", nullptr, -1, K::TSkinUpDown, M::Control, false, C::None},
      {"navigator", "TDBNavigator", nullptr, -1, K::TSkinBox, M::Control, true, C::None},
      {"data-aware check box", "TRzDBCheckBox", nullptr, -1, K::TSkinObjImage, M::Control, true,
       C::None},
      {"group box", "TGroupBox", &ControlFacts::IsGroupBox, -1, K::TSkinGroupBox, M::Control, true,
       C::SkinComponents},
      {"group box gated by xcPanel", "TGroupBox", &ControlFacts::IsGroupBox, xcPanel, K::None,
       M::None, false, C::None},
      {"status bar", "TStatusBar", &ControlFacts::IsStatusBar, -1, K::TSkinStatusBar, M::Control,
       false, C::None},
      {"progress bar", "TProgressBar", &ControlFacts::IsProgressBar, -1, K::TSkinProgress,
       M::Control, false, C::None},
      {"date picker", "TDateTimePicker", nullptr, -1, K::TSkinComBox, M::Control, false, C::None},
      {"rich edit", "TRichEdit", nullptr, -1, K::TSkinScrollbar, M::Scrolling, false, C::None},
      {"rich edit without xcScrollbar", "TRichEdit", nullptr, xcScrollbar, K::None, M::None, false,
       C::None},
      {"data-aware rich edit", "TwwDBRichEdit", nullptr, -1, K::TSkinScrollbar, M::Scrolling, false,
       C::None},
      {"data-aware memo", "TdxDBMemo", nullptr, -1, K::TSkinScrollbar, M::Scrolling, false,
       C::None},
      {"speed button", "TSpeedButton", &ControlFacts::IsSpeedButton, -1, K::TSkinSpeedButton,
       M::Graphic, false, C::None},
      {"panel", "TPanel", &ControlFacts::IsPanel, -1, K::TSkinBox, M::Control, true,
       C::SkinComponents},
      {"tree list", "TdxTreeList", nullptr, -1, K::TSkinScrollbar, M::Scrolling, false, C::None},
      {"grid", "TdxDBGrid", nullptr, -1, K::TSkinScrollbar, M::Scrolling, false, C::None},
      {"list view", "TListView", &ControlFacts::IsListView, -1, K::TSkinListView, M::Scrolling,
       false, C::None},
      {"memo", "TMemo", &ControlFacts::IsMemo, -1, K::TSkinScrollbar, M::Scrolling, false, C::None},
      {"scrolling window", "TListBox", &ControlFacts::IsScrollingWindow, -1, K::TSkinScrollbar,
       M::Scrolling, false, C::None},
      {"button", "TButton", &ControlFacts::IsButton, -1, K::TSkinButton, M::Control, false,
       C::None},
      {"button without xcButton", "TButton", &ControlFacts::IsButton, xcButton, K::None, M::None,
       false, C::None},
      {"edit", "TEdit", &ControlFacts::IsEdit, -1, K::TSkinEdit, M::Handle, false, C::None},
      {"form used as a control", "TFrame1", &ControlFacts::IsForm, -1, K::TSkinBox, M::Control,
       true, C::SkinComponents},
      {"an unknown class", "TLabel", nullptr, -1, K::None, M::None, false, C::None},
  };
  for (const RuleRow& r : rows) {
    SCOPED_TRACE(r.what);
    MappingContext c = context;
    if (r.switchOff >= 0)
      c.SkinControls &= ~SkinControlBit(TSkinControlType(r.switchOff));
    ControlFacts f = Named(r.className);
    if (r.fact)
      f.*r.fact = true;
    const MappingDecision d = MapControl(f, c);
    EXPECT_EQ(d.Matched, r.kind != SkinnerKind::None || r.children != ChildAction::None);
    EXPECT_EQ(d.Kind, r.kind);
    EXPECT_EQ(d.Attach, r.attach);
    EXPECT_EQ(d.Recolour, r.recolour);
    EXPECT_EQ(d.Children, r.children);
  }
}

TEST_F(MappingTest, TabsNeedTheSkinsTabsElement) {
  context.HasTabsElement = false;
  EXPECT_FALSE(MapControl(Named("TTabSet"), context).Matched);
  EXPECT_FALSE(MapControl(Named("TTabbedNotebook"), context).Matched);
}

TEST_F(MappingTest, SetsThePropertiesTheSkinnerNeedsBeforeAttaching) {
  EXPECT_EQ(MapControl(Named("TDBNavigator"), context).Writes,
            (std::vector<PropertyWrite>{{"Flat", "True"}}));
  ControlFacts bar = Named("TStatusBar");
  bar.IsStatusBar = true;
  EXPECT_EQ(MapControl(bar, context).Writes, (std::vector<PropertyWrite>{{"SizeGrip", "False"}}));
  EXPECT_EQ(MapControl(Named("TRzDBCheckBox"), context).GlyphMode, 1);
}

TEST_F(MappingTest, ADatePickerShownAsUpDownOrTimeIsAnEdit) {
  ControlFacts picker = Named("TDateTimePicker");
  picker.PickerUpDownOrTime = true;
  const MappingDecision d = MapControl(picker, context);
  EXPECT_EQ(d.Kind, SkinnerKind::TSkinEdit);
  EXPECT_EQ(d.Attach, AttachMode::Control);
}

TEST_F(MappingTest, TheFirstMatchingRuleWinsOverLaterOnes) {
  ControlFacts groupPanel = Named("TGroupBox");
  groupPanel.IsGroupBox = groupPanel.IsPanel = true;
  EXPECT_EQ(MapControl(groupPanel, context).Kind, SkinnerKind::TSkinGroupBox);

  ControlFacts scrollingList = Named("TListView");
  scrollingList.IsListView = scrollingList.IsScrollingWindow = true;
  EXPECT_EQ(MapControl(scrollingList, context).Kind, SkinnerKind::TSkinListView);

  ControlFacts navigator = Named("TDBNavigator");
  navigator.IsPanel = true;
  EXPECT_EQ(MapControl(navigator, context).Children, ChildAction::None) << "not the panel row";

  // A memo is an edit too: with scroll bars off the edit row takes it.
  ControlFacts memo = Named("TMemo");
  memo.IsMemo = memo.IsEdit = true;
  EXPECT_EQ(MapControl(memo, context).Kind, SkinnerKind::TSkinScrollbar);
  Without(xcScrollbar);
  EXPECT_EQ(MapControl(memo, context).Kind, SkinnerKind::TSkinEdit);
}

TEST_F(MappingTest, ExcludedClassesStayUnskinnedWhateverTheyAre) {
  for (const char* name : {"TDBComboBoxEh", "TQRPreview", "TfrDesignerPage", "TfrPBox"}) {
    SCOPED_TRACE(name);
    ControlFacts f = Named(name);
    f.IsPanel = f.IsEdit = f.IsForm = true;
    EXPECT_FALSE(MapControl(f, context).Matched);
  }
}

TEST_F(MappingTest, DcEditsChooseByTheirButtonCountAndAreNeverTakenAsForms) {
  struct Row {
    const char* name;
    int numButtons;
    SkinnerKind kind;
    AttachMode attach;
  };
  const Row rows[] = {
      {"TDCEdit", 1, SkinnerKind::TSkinComBox, AttachMode::Control},
      {"TDCDBEdit", 1, SkinnerKind::TSkinComBox, AttachMode::Control},
      {"TDCEdit", 0, SkinnerKind::TSkinEdit, AttachMode::Handle},
      {"TDCDBEdit", 0, SkinnerKind::TSkinEdit, AttachMode::Handle},
      {"TDCEdit", 2, SkinnerKind::None, AttachMode::None},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.name << " with " << r.numButtons << " buttons");
    ControlFacts f = Named(r.name);
    f.IsForm = true;
    f.NumButtons = r.numButtons;
    const MappingDecision d = MapControl(f, context);
    EXPECT_EQ(d.Kind, r.kind);
    EXPECT_EQ(d.Attach, r.attach);
  }
  Without(xcCombo);
  ControlFacts one = Named("TDCEdit");
  one.NumButtons = 1;
  EXPECT_FALSE(MapControl(one, context).Matched);
}

TEST(DisableTagTest, ComparesTheLastTwoDigitsOfTheTag) {
  EXPECT_TRUE(IsDisabledByTag(199, 99));
  EXPECT_TRUE(IsDisabledByTag(99, 99));
  EXPECT_FALSE(IsDisabledByTag(98, 99));
  EXPECT_FALSE(IsDisabledByTag(-99, 99)) << "the remainder keeps the sign";
  EXPECT_TRUE(IsDisabledByTag(-199, -99));
  EXPECT_TRUE(IsDisabledByTag(300, 0));
}

// The class map.
class ClassMapTest : public MappingTest {
protected:
  MappingDecision Map(const char* className, std::vector<std::wstring> lines) {
    context.Skin3rd = std::move(lines);
    ControlFacts f = Named(className);
    f.IsPanel = f.IsButton = true; // a built-in rule would take it
    return MapControl(f, context);
  }
};

TEST_F(ClassMapTest, MatchesTheClassNameWhateverItsLetterCase) {
  const MappingDecision d = Map("TCOMBOBOXEX", {L"TComboboxex=combobox"});
  EXPECT_EQ(d.Kind, SkinnerKind::TSkinComBox);
  EXPECT_EQ(d.Attach, AttachMode::Control);
  EXPECT_EQ(Map("tcomboboxex", {L"TCOMBOBOXEX=COMBOBOX"}).Kind, SkinnerKind::TSkinComBox);
}

TEST_F(ClassMapTest, ANilLineKeepsTheControlFromEveryOtherRule) {
  const MappingDecision d = Map("TAdvPageControl", {L"TAdvPageControl=nil"});
  EXPECT_TRUE(d.Matched);
  EXPECT_EQ(d.Kind, SkinnerKind::None);
  EXPECT_EQ(d.Children, ChildAction::None);
}

TEST_F(ClassMapTest, TheFirstLineForTheClassWins) {
  EXPECT_EQ(Map("TFoo", {L"TBar=edit", L"TFoo=button", L"TFoo=edit"}).Kind,
            SkinnerKind::TSkinButton);
}

TEST_F(ClassMapTest, OnlyTheWholeClassNameFollowedByEqualsMatches) {
  EXPECT_EQ(Map("TCombo", {L"TComboboxex=combobox"}).Kind, SkinnerKind::TSkinBox)
      << "a longer class in the map";
  EXPECT_EQ(Map("TComboboxex", {L"TCombo=edit", L"TComboboxex2=edit", L"TComboboxex"}).Kind,
            SkinnerKind::TSkinBox)
      << "shorter, longer and bare names";
  EXPECT_EQ(Map("TFoo", {L"", L"=", L"TFoo=button"}).Kind, SkinnerKind::TSkinButton);
}

TEST_F(ClassMapTest, AnUnknownOrOverlongKindIsKnownButUnskinned) {
  const std::wstring kinds[] = {L"frobnicate", L"button ", L"", std::wstring(60, L'x'),
                                L"button" + std::wstring(50, L' ') + L"x"};
  for (const std::wstring& kind : kinds) {
    const MappingDecision d = Map("TFoo", {L"TFoo=" + kind});
    EXPECT_TRUE(d.Matched);
    EXPECT_EQ(d.Kind, SkinnerKind::None);
  }
  std::string kind;
  ASSERT_TRUE(FindClassMapKind({L"TFoo=" + std::wstring(80, L'Q')}, "TFOO", kind));
  EXPECT_EQ(kind, std::string(50, 'q'));
  EXPECT_TRUE(FindClassMapKind({L"TFoo=a=b"}, "tfoo", kind));
  EXPECT_EQ(kind, "a=b");
  EXPECT_TRUE(FindClassMapKind({L"T\u00c9t\u00e9=x", L"TFoo=\u00c9dit"}, "TFOO", kind))
      << "letters outside ASCII neither match nor fold";
  EXPECT_EQ(kind, "\xc3\x89"
                  "dit");
}

struct KindRow {
  const wchar_t* kind;
  int needs; // the switch it needs (-1 none)
  SkinnerKind skinner;
  AttachMode attach;
  bool recolour;
  ChildAction children;
  const char* writes; // the property set to "True", or none
};

TEST_F(ClassMapTest, EachKindGivesItsSkinnerOnlyWithItsSwitch) {
  using K = SkinnerKind;
  using M = AttachMode;
  using C = ChildAction;
  const KindRow rows[] = {
      {L"combobox", xcCombo, K::TSkinComBox, M::Control, false, C::None, nullptr},
      {L"edit", xcEdit, K::TSkinEdit, M::Handle, false, C::None, nullptr},
      {L"radiobutton", xcRadioButton, K::TSkinRadioButton, M::Control, false, C::None, nullptr},
      {L"panel", xcPanel, K::TSkinBox, M::Control, true, C::None, "Transparent"},
      {L"trackbar", xcButton, K::TSkinTrackBar, M::Control, false, C::None, "Transparent"},
      {L"button", xcButton, K::TSkinButton, M::Control, false, C::None, nullptr},
      {L"bitbtn", xcButton, K::TSkinBitButton, M::Control, false, C::None, nullptr},
      {L"speedbutton", xcSpeedButton, K::TSkinSpeedButton, M::Graphic, false, C::None, nullptr},
      {L"tab", xcTab, K::TSkinTab, M::Handle, false, C::None, nullptr},
      {L"progress", xcProgress, K::TSkinProgress, M::Control, false, C::None, nullptr},
      {L"scrollbar", xcScrollbar, K::TSkinScrollbar, M::Scrolling, false, C::SkinComponents,
       nullptr},
      {L"embedscrollbar", xcScrollbar, K::None, M::None, false, C::EmbeddedScrollbars, nullptr},
      {L"container", -1, K::None, M::None, false, C::MapChildrenByClass, nullptr},
      {L"groupbox", xcGroupBox, K::TSkinGroupBox, M::Control, true, C::None, nullptr},
      {L"checkbox", xcCheckBox, K::TSkinCheckBox, M::Control, false, C::None, nullptr},
  };
  for (const KindRow& r : rows) {
    SCOPED_TRACE(testing::Message() << std::string(r.kind, r.kind + wcslen(r.kind)));
    context.SkinControls = kAll;
    MappingDecision d = Map("TFoo", {std::wstring(L"TFoo=") + r.kind});
    EXPECT_TRUE(d.Matched);
    EXPECT_EQ(d.Kind, r.skinner);
    EXPECT_EQ(d.Attach, r.attach);
    EXPECT_EQ(d.Recolour, r.recolour);
    EXPECT_EQ(d.Children, r.children);
    EXPECT_EQ(d.Writes.size(), r.writes ? 1u : 0u);
    if (r.writes && !d.Writes.empty()) {
      EXPECT_EQ(d.Writes[0], (PropertyWrite{r.writes, "True"}));
    }
    if (r.needs < 0)
      continue;
    Without(TSkinControlType(r.needs));
    d = Map("TFoo", {std::wstring(L"TFoo=") + r.kind});
    EXPECT_TRUE(d.Matched) << "known even when switched off";
    EXPECT_EQ(d.Kind, SkinnerKind::None);
    EXPECT_EQ(d.Children, ChildAction::None);
    EXPECT_TRUE(d.Writes.empty());
  }
  context.SkinControls = kAll;
  context.HasTabsElement = false;
  EXPECT_EQ(Map("TFoo", {L"TFoo=tab"}).Kind, SkinnerKind::None);
}

TEST_F(ClassMapTest, GroupsSkinTheirChildrenBeforeThemselves) {
  struct Row {
    const wchar_t* kind;
    TSkinControls off;
    SkinnerKind group;
    ChildAction children;
  };
  const Row rows[] = {
      {L"radiogroup", 0, SkinnerKind::TSkinGroupBox, ChildAction::RadioButtonChildren},
      {L"radiogroup", SkinControlBit(xcRadioButton), SkinnerKind::TSkinGroupBox, ChildAction::None},
      {L"radiogroup", SkinControlBit(xcGroupBox), SkinnerKind::None, ChildAction::None},
      {L"checkgroup", 0, SkinnerKind::TSkinGroupBox, ChildAction::CheckBoxChildren},
      {L"checkgroup", SkinControlBit(xcGroupBox), SkinnerKind::None, ChildAction::CheckBoxChildren},
      {L"checkgroup", SkinControlBit(xcCheckBox), SkinnerKind::TSkinGroupBox, ChildAction::None},
      {L"checkgroup", SkinControlBit(xcPanel), SkinnerKind::None, ChildAction::None},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message()
                 << std::string(r.kind, r.kind + wcslen(r.kind)) << " off " << r.off);
    context.SkinControls = kAll & ~r.off;
    const MappingDecision d = Map("TFoo", {std::wstring(L"TFoo=") + r.kind});
    EXPECT_TRUE(d.Matched);
    EXPECT_EQ(d.Kind, r.group);
    EXPECT_EQ(d.Children, r.children);
    if (d.Children != ChildAction::None) {
      EXPECT_TRUE(d.ChildrenFirst);
    }
    if (d.Kind == SkinnerKind::TSkinGroupBox) {
      EXPECT_TRUE(d.Recolour);
    }
  }
}

TEST(ChildWindowTest, BareChildWindowsAreChosenByClassAndButtonType) {
  constexpr std::uint32_t kChildVisible = 0x50000000; // WS_CHILD | WS_VISIBLE
  struct Row {
    const char* cls;
    std::uint32_t style;
    ChildWindowDecision expected;
  };
  using K = SkinnerKind;
  const Row rows[] = {
      {"Button", 0x0, {K::TSkinButton, false}},                      // BS_PUSHBUTTON
      {"Button", 0x1, {K::TSkinButton, false}},                      // BS_DEFPUSHBUTTON
      {"Button", 0x2, {K::TSkinCheckBox, false}},                    // BS_CHECKBOX
      {"BUTTON", kChildVisible | 0x3, {K::TSkinCheckBox, false}},    // BS_AUTOCHECKBOX
      {"button", 0x4, {K::TSkinRadioButton, false}},                 // BS_RADIOBUTTON
      {"button", 0x5, {K::TSkinCheckBox, false}},                    // BS_3STATE
      {"button", 0x6, {K::TSkinCheckBox, false}},                    // BS_AUTO3STATE
      {"button", kChildVisible | 0x7, {}},                           // BS_GROUPBOX
      {"button", 0x8, {K::TSkinButton, false}},                      // BS_USERBUTTON
      {"Button", kChildVisible | 0x9, {K::TSkinRadioButton, false}}, // BS_AUTORADIOBUTTON
      {"button", 0xA, {}},                                           // BS_PUSHBOX
      {"button", 0xB, {}},                                           // BS_OWNERDRAW
      {"button", 0xC, {}},                                           // BS_SPLITBUTTON
      {"button", 0xE, {}},                                           // BS_COMMANDLINK
      {"button", 0xF, {}},                                           // BS_DEFCOMMANDLINK
      {"button", 0x20 | 0x100, {K::TSkinButton, false}},             // BS_LEFTTEXT | BS_LEFT
      {"ComboBox", 0x1, {}},                                         // CBS_SIMPLE
      {"ComboBox", 0x2, {K::TSkinComBox, false}},                    // CBS_DROPDOWN
      {"combobox", 0x3, {K::TSkinComBox, false}},                    // CBS_DROPDOWNLIST
      {"ComboBoxEx32", 0x2, {K::TSkinComBox, true}},
      {"ScrollBar", 0x10, {K::TSkinSizer, false}},
      {"SysTreeView32", 0, {}},
      {"#32770", 0, {K::TSkinBoxH, false}},
      {"ToolbarWindow32", 0, {}},
      {"Edit", 0x80, {K::TSkinEdit, false}},
      {"Static", 0, {}},
      {"", 0, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.cls << " style 0x" << std::hex << r.style);
    EXPECT_EQ(SkinChildWindowKind(r.cls, r.style), r.expected);
  }
}

} // namespace
} // namespace vela::skin::mapping
