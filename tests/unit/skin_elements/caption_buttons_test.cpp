#include "skin/data/caption_buttons.h"

#include <gtest/gtest.h>

#include "tests/unit/skin_elements/skin_fixture.h"

namespace vela::skin {
namespace {

using testing::SkinFixture;
using testing::Strip;

class CaptionButtons : public SkinFixture {
protected:
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& b : elements_.CaptionButtons) names.push_back(b->Name);
    return names;
  }
  const TDataSkinSysButton& Button(std::size_t i) const { return *elements_.CaptionButtons.at(i); }
};

TEST_F(CaptionButtons, KeepsButtonSectionsInFileOrderThenTheMdiButtons) {
  Load("[Button2]\nAction=1\n[BUTTONS]\n[Button.Radio]\n[button.checkbox]\n[BUTTON]\n"
       "[ButtonOff]\nAction=-1\n[ButtonHiddenOnly]\nAction=-1\nVisibility=0\n"
       "[buttonx]\nAction=2\nAlign=1\nXcoord=40\nYcoord=3\nCombineOp=1\nVisibility=1\n"
       "[Mybutton]\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"BUTTON2", "BUTTONHIDDENONLY", "BUTTONX",
                                               "MDICONTROLS", "MDICONTROLS", "MDICONTROLS"}));
  EXPECT_EQ(Button(1).Visibility1, -1) << "an Action of -1 gives Visibility1 -1 by default";
  EXPECT_EQ(Button(0).Visibility1, 0);
  EXPECT_EQ(Button(0).CombineOp, -1);
  const TDataSkinSysButton& x = Button(2);
  EXPECT_EQ(x.Action, 2);
  EXPECT_EQ(x.Align, 1);
  EXPECT_EQ(x.Xcoord, 40);
  EXPECT_EQ(x.Ycoord, 3);
  EXPECT_EQ(x.CombineOp, 1);
  EXPECT_EQ(x.Visibility, 1);
  for (std::size_t i = 3; i < 6; ++i) {
    EXPECT_EQ(Button(i).Action, kMdiButtonActions[i - 3]);
    EXPECT_EQ(Button(i).Align, 100);
    EXPECT_EQ(Button(i).Visibility, 100);
    EXPECT_EQ(Button(i).Visibility1, 100);
    EXPECT_EQ(Button(i).FrameCount, 4);
    EXPECT_TRUE(Button(i).Bitmap.Empty());
  }
}

TEST_F(CaptionButtons, CellCountFollowsTheStripShapeWhenTheSkinGivesNone) {
  AddBitmap("wide.bmp", Strip(1, 126, 21));
  AddBitmap("narrow.bmp", Strip(1, 57, 21));
  AddBitmap("edge.bmp", Strip(1, 38, 10)); // exactly 3.8
  Load("[BUTTON0]\nButtonImage=wide.bmp\n[BUTTON1]\nButtonImage=narrow.bmp\n"
       "[BUTTON2]\nButtonImage=edge.bmp\n[BUTTON3]\nButtonImage=narrow.bmp\nAction=-2\n"
       "[BUTTON4]\nButtonImage=missing.bmp\n[BUTTON5]\nButtonImage=wide.bmp\nframe=2\n");
  EXPECT_EQ(Button(0).FrameCount, 6);
  EXPECT_EQ(Button(1).FrameCount, 3);
  EXPECT_EQ(Button(2).FrameCount, 3);
  EXPECT_EQ(Button(3).FrameCount, 6) << "a negative action always has six cells";
  EXPECT_EQ(Button(4).FrameCount, 6) << "no strip";
  EXPECT_EQ(Button(5).FrameCount, 2);
  EXPECT_EQ(Button(0).Bitmap, Strip(1, 126, 21));
}

TEST_F(CaptionButtons, ActionsThreeAndElevenLoseTheirStripOnlyWithoutACellCount) {
  AddBitmap("b.bmp", Strip(1, 57, 21));
  Load("[BUTTON0]\nButtonImage=b.bmp\nAction=3\n[BUTTON1]\nButtonImage=b.bmp\nAction=11\n"
       "[BUTTON2]\nButtonImage=b.bmp\nAction=3\nframe=2\n[BUTTON3]\nButtonImage=b.bmp\nAction=4\n");
  EXPECT_TRUE(Button(0).Bitmap.Empty());
  EXPECT_EQ(Button(0).FrameCount, 3);
  EXPECT_TRUE(Button(1).Bitmap.Empty());
  EXPECT_FALSE(Button(2).Bitmap.Empty());
  EXPECT_FALSE(Button(3).Bitmap.Empty());
}

TEST_F(CaptionButtons, MdiButtonsAreCutFromOneImage) {
  // 12 cells of width 10 (plus 5 spare columns): each button gets 4 cells.
  Bitmap image(125, 7);
  for (int x = 0; x < 125; ++x)
    for (int y = 0; y < 7; ++y) image.At(x, y) = Pixel(x);
  AddBitmap("mdi.bmp", image);
  Load("[MDICONTROLS]\nImage=mdi.bmp\n");
  ASSERT_EQ(elements_.CaptionButtons.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& b = Button(std::size_t(i));
    ASSERT_EQ(b.Bitmap.Width(), 40);
    ASSERT_EQ(b.Bitmap.Height(), 7);
    EXPECT_EQ(b.Bitmap.At(0, 3), Pixel(40 * i));
    EXPECT_EQ(b.Bitmap.At(39, 6), Pixel(40 * i + 39));
    EXPECT_EQ(b.Xcoord, 14 * (3 - i));
  }
}

TEST_F(CaptionButtons, NarrowMdiImageGivesEmptyButtons) {
  AddBitmap("mdi.bmp", Strip(1, 11, 7));
  Load("[MDICONTROLS]\nImage=mdi.bmp\n");
  ASSERT_EQ(elements_.CaptionButtons.size(), 3u);
  for (const auto& b : elements_.CaptionButtons) EXPECT_TRUE(b->Bitmap.Empty());
}

} // namespace
} // namespace vela::skin
