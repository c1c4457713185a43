#include "skin/data/skin_elements_win.h"

#include <windows.h>

namespace vela::skin {

SkinLoadOptions SystemSkinLoadOptions() {
  SkinLoadOptions options;
  options.ScrollArrowWidth = GetSystemMetrics(SM_CXHSCROLL);
  return options;
}

} // namespace vela::skin
