#include "skin/forms/nc_objects.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vela::skin {
namespace {

// Records every paint with the state it showed.
class RecordingHost : public TNCHost {
public:
  TNCObject* HotObject() const override { return hot; }
  void SetHotObject(TNCObject* object) override { hot = object; }
  void PaintObject(TNCObject& object) override { paints.push_back({&object, object.State}); }

  struct PaintRecord {
    TNCObject* object;
    int state;
    bool operator==(const PaintRecord&) const = default;
  };
  TNCObject* hot = nullptr;
  std::vector<PaintRecord> paints;
};

class NcObjects : public ::testing::Test {
protected:
  RecordingHost host;
  TDataSkinSysButton closeDef{"BUTTON0"}, maxDef{"BUTTON1"};
  TWinSysButton close{host, closeDef, Raster{}, 4};
  TWinSysButton max{host, maxDef, Raster{}, 4};
  void SetUp() override { close.Visible = max.Visible = true; }
};

TEST_F(NcObjects, EnteringMovesTheHotLookFromOneButtonToTheNext) {
  close.MouseEnter();
  EXPECT_EQ(host.hot, &close);
  max.MouseEnter();
  EXPECT_EQ(host.hot, &max);
  EXPECT_EQ(close.State, TNCObject::stNormal);
  using P = RecordingHost::PaintRecord;
  EXPECT_EQ(host.paints, (std::vector<P>{{&close, 3}, {&close, 1}, {&max, 3}}));
  // Entering the hot object again paints nothing.
  max.MouseEnter();
  EXPECT_EQ(host.paints.size(), 3u);
}

TEST_F(NcObjects, PressAndReleaseShowPressedThenHot) {
  close.MouseDown();
  EXPECT_EQ(host.hot, &close);
  EXPECT_EQ(close.State, TNCObject::stPressed);
  close.MouseUp();
  EXPECT_EQ(close.State, TNCObject::stHot);
  close.MouseLeave();
  EXPECT_EQ(host.hot, nullptr);
  EXPECT_EQ(close.State, TNCObject::stNormal);
  ASSERT_EQ(host.paints.size(), 3u);
  EXPECT_EQ(host.paints[0].state, 2);
  EXPECT_EQ(host.paints[1].state, 3);
  EXPECT_EQ(host.paints[2].state, 1);
}

TEST_F(NcObjects, PressingAnotherButtonReleasesTheHotOne) {
  close.MouseEnter();
  max.MouseDown();
  EXPECT_EQ(host.hot, &max);
  EXPECT_EQ(close.State, TNCObject::stNormal);
  EXPECT_EQ(max.State, TNCObject::stPressed);
}

TEST_F(NcObjects, HiddenButtonsNeitherBecomeHotNorPaint) {
  close.Visible = false;
  close.MouseEnter();
  close.MouseDown();
  close.MouseUp();
  EXPECT_EQ(host.hot, nullptr);
  EXPECT_TRUE(host.paints.empty());
  // A hidden button still takes the hot look away from a shown one.
  max.MouseEnter();
  close.MouseEnter();
  EXPECT_EQ(host.hot, nullptr);
  EXPECT_EQ(max.State, TNCObject::stNormal);
}

} // namespace
} // namespace vela::skin
