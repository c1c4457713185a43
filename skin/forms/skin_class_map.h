#pragma once
// The built-in class map of the skin data component (its Skin3rd lines at construction): each
// line names a control class of a third-party library and the skinner kind that serves it.
#include <string>
#include <vector>

namespace vela::skin {

// The 110 lines, in order (three of them occur twice, as they always have).
const std::vector<std::wstring>& BuiltInSkin3rd();

} // namespace vela::skin
