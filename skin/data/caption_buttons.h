#pragma once
// The caption buttons of a skin: one record per "BUTTON..." section the skin keeps, followed by
// the three buttons of a maximised MDI child, cut from one "MDICONTROLS" image.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/element_loaders.h"

namespace vela::skin {

using TCaptionButtons = std::vector<std::unique_ptr<TDataSkinSysButton>>;

// Actions of the three MDI buttons, in the order they follow the caption buttons.
constexpr std::int32_t kMdiButtonActions[3] = {7, 8, 9};
constexpr int kMdiButtonFrames = 4;

// Whether a section (its name already upper-cased) describes a caption button: its name starts
// with "BUTTON", it is not one of the push-button sections, and it is not switched off by an
// "Action" of -1 with a "Visibility" other than 0.
bool IsCaptionButtonSection(const TQuickIni& ini, std::string_view upperName);

// The cell count of a caption button whose "frame" key is absent or 0: three cells when the
// strip is at most 3.8 times as wide as high, else six; six when there is no strip or the
// button's action is negative.
std::int32_t CaptionButtonFrames(const Bitmap& strip, std::int32_t action);

// Replaces `buttons` with the kept caption-button sections of `sections` (in that order),
// then the three MDI buttons.
void LoadCaptionButtons(const ElementSource& source, const std::vector<std::string>& sections,
                        TCaptionButtons& buttons);

} // namespace vela::skin
