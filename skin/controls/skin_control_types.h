#pragma once
// What a skin data component skins: the members of its `SkinControls` set, member n at bit n.
// Portable, so that the control mapping can be decided and tested without Windows.
#include <cstdint>

namespace vela::skin {

enum TSkinControlType {
  xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox,
  xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel,
  xcGroupBox, xcStatusBar, xcTab, xcSystemMenu, xcFastReport
};
using TSkinControls = std::uint32_t;
constexpr TSkinControls SkinControlBit(TSkinControlType type) { return TSkinControls(1) << type; }
constexpr int kSkinControlTypeCount = xcFastReport + 1;
// Every member except xcMenuItem and xcFastReport.
constexpr TSkinControls kDefaultSkinControls =
    ((TSkinControls(1) << kSkinControlTypeCount) - 1) & ~SkinControlBit(xcMenuItem) &
    ~SkinControlBit(xcFastReport);

} // namespace vela::skin
