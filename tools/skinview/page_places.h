#pragma once
// Where the pages put the controls whose pixels the shot test compares with the skin's cells.
// The page lies at the top left of the window's client area, so these are client coordinates.
// Shared by the pages and the test so that moving a control cannot leave the test looking at
// empty page.
namespace vela::skinview::places {

struct Place {
  int left, top, width, height;
};

// "Buttons": a disabled push button (its look does not depend on focus or mouse), a checked
// check box that neither has the focus nor the mouse, and a disabled checked one.
inline constexpr Place kDisabledPushButton{232, 28, 100, 28};
inline constexpr Place kCheckedBox{128, 226, 110, 20};
inline constexpr Place kDisabledCheckedBox{352, 226, 110, 20};

// "Text": a drop-down list without the focus and a disabled one (the system decides a closed
// combo box's height, so only their width is the page's).
inline constexpr Place kDropDownList{336, 116, 150, 24};
inline constexpr Place kDisabledCombo{336, 148, 150, 24};

// "Tabs": a page control with its tabs on top, the first selected; where exactly the system
// puts its tabs is its own affair, so the test looks for the first tab near the corner.
inline constexpr Place kTopPageControl{16, 8, 300, 120};

// "Tabs": a tab set with its first tab selected; its tabs begin at the tab set's start margin.
inline constexpr Place kTabSet{16, 324, 608, 24};
inline constexpr int kTabSetStartMargin = 5;

// "Progress": the smooth bar at 50 % (nothing about it depends on focus or the mouse).
inline constexpr Place kHalfProgress{16, 82, 200, 18};

// "Progress": the enabled vertical stand-alone scroll bar (its up arrow is at its top).
inline constexpr Place kVerticalScrollBar{390, 240, 17, 130};

// "Panels": the disabled group box's disabled push button (the box lies at 236, 190).
inline constexpr Place kDisabledGroupButton{248, 250, 90, 28};

// "Lists": a report-style list view with a header, too many rows and too wide columns, so that
// both scroll bars show; the page does not focus it.
inline constexpr Place kReportList{16, 28, 392, 210};

} // namespace vela::skinview::places
