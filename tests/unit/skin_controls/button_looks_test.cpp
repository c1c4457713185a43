#include "skin/controls/button_looks.h"

#include <gtest/gtest.h>

namespace vela::skin {
namespace {

constexpr Look N = Look::Normal, P = Look::Pressed, D = Look::Disabled, H = Look::HotOrFocused,
               Def = Look::Default;

// States by their set flags; everything else is off, and the control is enabled unless "off".
struct StateRow {
  const char* flags; // h hot, p pressed, f focused, d default, x disabled
  Look expected;
};

ButtonState Parse(const char* flags) {
  ButtonState s;
  for (const char* c = flags; *c; ++c) {
    switch (*c) {
    case 'h':
      s.Hot = true;
      break;
    case 'p':
      s.Pressed = true;
      break;
    case 'f':
      s.Focused = true;
      break;
    case 'd':
      s.Default = true;
      break;
    case 'x':
      s.Enabled = false;
      break;
    }
  }
  return s;
}

template <typename F> void ExpectLooks(const std::vector<StateRow>& rows, F look) {
  for (const StateRow& r : rows) {
    SCOPED_TRACE(testing::Message() << "state \"" << r.flags << "\"");
    EXPECT_EQ(look(Parse(r.flags)), r.expected);
  }
}

TEST(ButtonLookTest, PushButtonRanksPressedHotDefaultThenFocused) {
  ExpectLooks({{"", N},
               {"f", H},
               {"d", Def},
               {"df", Def},
               {"hd", H},
               {"ph", P},
               {"pd", P},
               {"xp", D},
               {"xd", D},
               {"xhf", D}},
              PushButtonLook);
}

TEST(ButtonLookTest, BitButtonShowsFocusAheadOfDefault) {
  ExpectLooks(
      {{"", N}, {"f", H}, {"d", Def}, {"df", H}, {"hd", H}, {"pf", P}, {"xh", D}, {"xd", D}},
      BitButtonLook);
}

TEST(ButtonLookTest, SpeedButtonIgnoresFocusAndDefault) {
  ExpectLooks({{"", N}, {"f", N}, {"d", N}, {"h", H}, {"ph", P}, {"x", D}, {"xh", D}, {"xp", D}},
              [](const ButtonState& s) { return SpeedButtonLook(s, false); });
}

TEST(ButtonLookTest, ADownSpeedButtonLooksPressedEvenWhenDisabled) {
  ExpectLooks({{"", P}, {"x", P}, {"h", P}},
              [](const ButtonState& s) { return SpeedButtonLook(s, true); });
}

TEST(ButtonLookTest, FlatSpeedButtonDrawsItsElementOnlyAwayFromRest) {
  EXPECT_FALSE(SpeedButtonDrawsElement(N, true));
  EXPECT_TRUE(SpeedButtonDrawsElement(H, true));
  EXPECT_TRUE(SpeedButtonDrawsElement(P, true));
  EXPECT_TRUE(SpeedButtonDrawsElement(N, false));
}

TEST(ButtonLookTest, ComboShowsPressedAndFocusBeforeDisabled) {
  ExpectLooks({{"", N}, {"h", H}, {"f", H}, {"p", P}, {"x", D}, {"xp", P}, {"xf", H}}, ComboLook);
}

TEST(ButtonLookTest, UpDownLightsOnlyTheHalfUnderTheCursor) {
  ExpectLooks({{"", N}, {"h", H}, {"hp", P}, {"x", D}, {"xp", D}},
              [](const ButtonState& s) { return UpDownHalfLook(s, true); });
  ExpectLooks({{"", N}, {"h", N}, {"hp", N}, {"x", D}},
              [](const ButtonState& s) { return UpDownHalfLook(s, false); });
  EXPECT_EQ(UpDownCell(N, false), 1);
  EXPECT_EQ(UpDownCell(P, true), 6);
  EXPECT_EQ(UpDownCell(D, true), 7);
}

TEST(UpDownHalvesTest, SplitsAtHalfTheWidthOrHeight) {
  EXPECT_EQ(SplitUpDown(Rect{10, 20, 25, 60}, false),
            (UpDownHalves{{10, 20, 25, 40}, {10, 40, 25, 60}}));
  EXPECT_EQ(SplitUpDown(Rect{10, 20, 25, 60}, true),
            (UpDownHalves{{10, 20, 17, 60}, {17, 20, 25, 60}}));
}

TEST(GlyphStripTest, FillsNineCellsFromTheCheckCells) {
  const int fromFour[kGlyphStripCells] = {0, 1, -1, 0, 1, -1, 2, 3, -1};
  const int fromFive[kGlyphStripCells] = {0, 1, 4, 0, 1, 4, 2, 3, 4};
  for (int target = 0; target < kGlyphStripCells; ++target) {
    SCOPED_TRACE(target);
    EXPECT_EQ(GlyphStripSourceCell(target, 4), fromFour[target]);
    EXPECT_EQ(GlyphStripSourceCell(target, 5), fromFive[target]);
  }
  EXPECT_EQ(GlyphStripSourceCell(9, 5), -1);
}

TEST(GlyphCellTest, OnlyAFourCellGlyphFollowsTheLook) {
  struct Row {
    Look look;
    int numGlyphs, expected;
  };
  const Row rows[] = {{N, 4, 1}, {H, 4, 1}, {P, 4, 3}, {D, 4, 2}, {Def, 4, 1}, {P, 2, 1},
                      {D, 2, 1}, {P, 0, 1}, {D, 1, 1}, {P, 3, 1}, {D, 5, 1}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "look " << int(r.look) << ", " << r.numGlyphs << " cells");
    EXPECT_EQ(GlyphCellForLook(r.look, r.numGlyphs), r.expected);
  }
}

TEST(CaptionColourTest, EachLookAsksForItsColour) {
  EXPECT_EQ(CaptionColourForLook(N), CaptionColour::Normal);
  EXPECT_EQ(CaptionColourForLook(H), CaptionColour::MouseOver);
  EXPECT_EQ(CaptionColourForLook(P), CaptionColour::Pressed);
  EXPECT_EQ(CaptionColourForLook(D), CaptionColour::Disabled);
  EXPECT_EQ(CaptionColourForLook(Def), CaptionColour::Plain);
}

TEST(CheckStateTest, PropertiesOverrideTheButtonsOwnState) {
  using S = CheckState;
  struct Row {
    const char* state;
    bool checked, radio;
    S expected;
  };
  const Row rows[] = {
      {"cbUnchecked", true, false, S::Unchecked},
      {"cbChecked", false, false, S::Checked},
      {"cbGrayed", true, false, S::Grey},
      {"CBCHECKED", false, false, S::Checked},
      {"", true, false, S::Checked},
      {"", false, false, S::Unchecked},
      {"cbSomething", true, false, S::Grey},
      {"cbChecked", false, true, S::Unchecked},
      {"", true, true, S::Checked},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message()
                 << '"' << r.state << "\" checked " << r.checked << " radio " << r.radio);
    EXPECT_EQ(CheckStateFromProperties(r.state, r.checked, r.radio, S::Grey), r.expected);
  }
}

TEST(CheckMarkCellTest, ReadsEachStripLayout) {
  using S = CheckState;
  struct Row {
    const char* what;
    S state;
    bool indeterminate, enabled, radio;
    int cells, expected;
  };
  const Row rows[] = {
      {"4: unchecked", S::Unchecked, false, true, false, 4, 1},
      {"4: checked", S::Checked, false, true, false, 4, 2},
      {"4: unchecked disabled", S::Unchecked, false, false, false, 4, 3},
      {"4: checked disabled", S::Checked, false, false, false, 4, 4},
      {"4: indeterminate", S::Unchecked, true, true, false, 4, 4},
      {"4: grey disabled stays in the strip", S::Grey, false, false, false, 4, 4},
      {"12: unchecked", S::Unchecked, false, true, false, 12, 1},
      {"12: checked", S::Checked, false, true, false, 12, 5},
      {"12: unchecked disabled", S::Unchecked, false, false, false, 12, 4},
      {"12: checked disabled", S::Checked, false, false, false, 12, 8},
      {"12: indeterminate", S::Checked, true, true, false, 12, 9},
      {"12: indeterminate disabled", S::Unchecked, true, false, false, 12, 12},
      {"12: grey by property", S::Grey, false, true, false, 12, 9},
      {"8 check cells read as 4", S::Checked, false, false, false, 8, 4},
      {"radio 8: checked", S::Checked, false, true, true, 8, 5},
      {"radio 8: unchecked disabled", S::Unchecked, false, false, true, 8, 4},
      {"radio 8: checked disabled", S::Checked, false, false, true, 8, 8},
      {"radio 4: checked disabled", S::Checked, false, false, true, 4, 4},
      {"radio ignores the indeterminate state", S::Checked, true, true, true, 4, 2},
      {"radio 12 read as 4", S::Checked, false, true, true, 12, 2},
      // A skin's strip may hold fewer cells than the states need: the cell stays in the strip.
      {"2 cells: checked disabled", S::Checked, false, false, false, 2, 2},
      {"3 cells: indeterminate", S::Unchecked, true, true, false, 3, 3},
      {"radio 1 cell: checked", S::Checked, false, true, true, 1, 1},
      {"no cell count", S::Checked, false, true, false, 0, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(CheckMarkCell(r.state, r.indeterminate, r.enabled, r.radio, r.cells), r.expected);
  }
}

TEST(CheckMarkPlacementTest, CentresTheMarkInItsBoxColumn) {
  const Rect client{10, 0, 110, 20};
  struct Row {
    const char* what;
    int cellWidth;
    bool right, radio;
    Rect image;
  };
  const Row rows[] = {
      {"check, narrow", 13, false, false, {11, 3, 24, 16}},
      {"check, 15 wide", 15, false, false, {12, 3, 27, 16}},
      {"radio, narrow", 12, false, true, {11, 3, 23, 16}},
      {"radio, 15 wide", 15, false, true, {10, 3, 25, 16}},
      {"check right, narrow", 13, true, false, {96, 3, 109, 16}},
      {"check right, 15 wide", 15, true, false, {95, 3, 110, 16}},
      {"check right, 16 wide", 16, true, false, {93, 3, 109, 16}},
      {"radio right, 13 wide", 13, true, true, {97, 3, 110, 16}},
      {"radio right, 15 wide", 15, true, true, {94, 3, 109, 16}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const CheckMarkPlacement p = PlaceCheckMark(client, r.cellWidth, 13, r.right, r.radio);
    EXPECT_EQ(p.Image, r.image);
    EXPECT_EQ(p.ParentFill, r.right ? (Rect{92, 0, 110, 20}) : (Rect{10, 0, 26, 20}));
  }
}

TEST(CheckMarkPlacementTest, AMarkTallerThanTheControlIsCentredTowardZero) {
  EXPECT_EQ(PlaceCheckMark(Rect{0, 0, 50, 10}, 13, 13, false, false).Image, (Rect{1, -1, 14, 12}));
}

} // namespace
} // namespace vela::skin
