#pragma once
// The load options of this desktop: the system's horizontal scroll-arrow width.
#include "skin/data/skin_elements.h"

namespace vela::skin {

SkinLoadOptions SystemSkinLoadOptions();

} // namespace vela::skin
