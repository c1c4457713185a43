// A framework control living in a window the framework does not know.
#include "tests/win/ui/ui_test_util.h"
#include "ui/win_control.h"

#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

class Painted : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  int paints = 0;

protected:
  void Paint() override { ++paints; }
};

class ParentWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (HWND* w : {&host, &other})
      *w = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                           40, 40, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    ASSERT_NE(other, nullptr);
  }
  void TearDown() override {
    delete control;
    for (HWND w : {host, other})
      if (IsWindow(w))
        DestroyWindow(w);
  }
  HWND host = nullptr, other = nullptr;
  Painted* control = nullptr;
};

TEST_F(ParentWindowTest, TheWindowIsAChildOfTheBareWindowAtTheControlsBounds) {
  control = new Painted(nullptr);
  EXPECT_THROW(control->Handle(), EInvalidOperation) << "a child window needs some parent";
  control->SetParentWindow(host);
  control->SetBounds(12, 7, 50, 20);
  HWND window = control->Handle();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetParent(window), host);
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 12);
  EXPECT_EQ(r.top, 7);
  EXPECT_EQ(r.right - r.left, 50);
  UpdateWindow(host);
  PumpMessages();
  EXPECT_GT(control->paints, 0) << "the control paints itself in the bare window";

  control->SetParentWindow(other);
  EXPECT_EQ(GetParent(window), other) << "an existing window moves to the new parent";
  delete control;
  control = nullptr;
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(ParentWindowTest, DestroyingTheBareWindowLeavesTheControlWithoutAWindow) {
  control = new Painted(nullptr);
  control->SetParentWindow(host);
  control->SetBounds(0, 0, 20, 20);
  HWND window = control->Handle();
  DestroyWindow(host);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(control->HandleAllocated());
  delete control; // must not touch the window that is gone
  control = nullptr;
}

} // namespace
} // namespace vela::ui::test
