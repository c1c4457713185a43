#include "skin/controls/button_layout.h"

#include <gtest/gtest.h>

namespace vela::skin {
namespace {

struct LayoutRow {
  const char* what;
  Size client, glyph, text;
  GlyphLayout layout;
  int margin, spacing;
  bool speed;
  GlyphAndCaption expected;
};

TEST(GlyphLayoutTest, PlacesGlyphAndCaptionForEveryLayoutAndChoice) {
  const Size wide{75, 25}, tall{40, 60}, glyph{16, 16}, text{30, 13};
  using L = GlyphLayout;
  const LayoutRow rows[] = {
      {"margin and spacing chosen: thirds",
       wide,
       glyph,
       text,
       L::Left,
       -1,
       -1,
       false,
       {{9, 5}, {34, 6}}},
      {"margin chosen: centred", wide, glyph, text, L::Left, -1, 4, false, {{12, 5}, {32, 6}}},
      {"margin chosen, speed button: one further",
       wide,
       glyph,
       text,
       L::Left,
       -1,
       4,
       true,
       {{13, 5}, {33, 6}}},
      {"spacing chosen: even around the text",
       wide,
       glyph,
       text,
       L::Left,
       2,
       -1,
       false,
       {{2, 5}, {31, 6}}},
      {"glyph on the right", wide, glyph, text, L::Right, 4, 4, false, {{55, 5}, {21, 6}}},
      {"glyph on top", tall, glyph, text, L::Top, -1, -1, false, {{12, 10}, {5, 36}}},
      {"glyph at the bottom", tall, glyph, text, L::Bottom, 3, 2, false, {{12, 41}, {5, 26}}},
      {"no text: no spacing", wide, glyph, {0, 13}, L::Left, -1, 5, false, {{29, 5}, {45, 6}}},
      {"no glyph: no spacing", wide, {0, 0}, text, L::Left, -1, -1, false, {{22, 13}, {22, 6}}},
      {"too small: truncated toward zero",
       {20, 10},
       glyph,
       text,
       L::Left,
       -1,
       -1,
       false,
       {{-8, -2}, {0, -1}}},
  };
  for (const LayoutRow& r : rows) {
    SCOPED_TRACE(r.what);
    const GlyphAndCaption got =
        LayoutGlyphAndCaption(r.client, r.glyph, r.text, r.layout, r.margin, r.spacing, r.speed);
    EXPECT_EQ(got.Glyph, r.expected.Glyph);
    EXPECT_EQ(got.Text, r.expected.Text);
  }
}

TEST(GlyphLayoutTest, ReadsTheLayoutIdentifierInAnyCase) {
  EXPECT_EQ(ParseGlyphLayout("blGlyphTop"), GlyphLayout::Top);
  EXPECT_EQ(ParseGlyphLayout("BLGLYPHBOTTOM"), GlyphLayout::Bottom);
  EXPECT_EQ(ParseGlyphLayout("blglyphright"), GlyphLayout::Right);
  EXPECT_EQ(ParseGlyphLayout("blGlyphLeft"), GlyphLayout::Left);
  EXPECT_EQ(ParseGlyphLayout("glyphtop"), GlyphLayout::Left);
  EXPECT_EQ(ParseGlyphLayout(""), GlyphLayout::Left);
}

TEST(ButtonCaptionTest, TurnsEveryDoubleBarIntoALineBreak) {
  struct Row {
    const wchar_t* in;
    const wchar_t* out;
  };
  const Row rows[] = {{L"Hello||World", L"Hello\r\nWorld"},
                      {L"a|||b", L"a\r\n|b"},
                      {L"||||", L"\r\n\r\n"},
                      {L"a|b", L"a|b"},
                      {L"|", L"|"},
                      {L"", L""}};
  for (const Row& r : rows)
    EXPECT_EQ(ButtonCaptionLines(r.in), r.out);
}

TEST(CaptionBoxTest, CentresTheMeasuredBoxOnePixelAboveTheMiddle) {
  struct Row {
    const char* what;
    Rect area;
    Size text;
    bool centred;
    Rect expected;
  };
  const Row rows[] = {
      {"centred", {0, 0, 100, 30}, {40, 13}, true, {30, 7, 70, 20}},
      {"left or right: as wide as the area", {0, 0, 100, 30}, {40, 13}, false, {0, 7, 100, 20}},
      {"an area away from the origin", {10, 5, 110, 35}, {40, 13}, true, {40, 12, 80, 25}},
      {"taller than the area", {0, 0, 100, 10}, {40, 13}, true, {30, -2, 70, 11}},
      {"wider than the area", {0, 0, 20, 30}, {25, 13}, true, {-2, 7, 23, 20}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(CaptionBox(r.area, r.text, r.centred), r.expected);
  }
}

TEST(ImageTextStartTest, AlignsWithinTheItemButNeverCloserThanTwoPixels) {
  EXPECT_EQ(ImageTextStart(0, 100, 30, 16), 2);
  EXPECT_EQ(ImageTextStart(1, 100, 30, 16), 27);
  EXPECT_EQ(ImageTextStart(2, 100, 30, 16), 52);
  EXPECT_EQ(ImageTextStart(1, 40, 50, 0), 2);
  EXPECT_EQ(ImageTextStart(2, 30, 27, 0), 2);
}

} // namespace
} // namespace vela::skin
