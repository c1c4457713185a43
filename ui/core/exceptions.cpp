#include "ui/core/exceptions.h"

#include "ui/core/text.h"

namespace vela::ui {

Exception::Exception(const std::wstring& message)
    : std::runtime_error(WideToUtf8(message)), message_(message) {}

Exception::Exception(const std::string& utf8Message)
    : std::runtime_error(utf8Message), message_(Utf8ToWide(utf8Message)) {}

} // namespace vela::ui
