#pragma once
// The framework's exception classes. Every one carries a UTF-16 message, which is what the
// application's default error handling shows in its error box; what() holds the same text in
// UTF-8 for logs and tests.
//
//   throw EConvertError(L"'abc' is not a valid integer value");
#include <stdexcept>
#include <string>

namespace vela::ui {

class Exception : public std::runtime_error {
public:
  explicit Exception(const std::wstring& message);
  explicit Exception(const std::string& utf8Message);
  const std::wstring& Message() const { return message_; }

private:
  std::wstring message_;
};

#define VELA_UI_EXCEPTION(Name, Base)                                                          \
  class Name : public Base {                                                                   \
  public:                                                                                      \
    using Base::Base;                                                                          \
  }

VELA_UI_EXCEPTION(EConvertError, Exception);
VELA_UI_EXCEPTION(EPropertyError, Exception);
VELA_UI_EXCEPTION(EComponentError, Exception);
VELA_UI_EXCEPTION(EClassNotFound, Exception);
VELA_UI_EXCEPTION(EReadError, Exception);
VELA_UI_EXCEPTION(EStreamError, Exception);
VELA_UI_EXCEPTION(EStringListError, Exception);
VELA_UI_EXCEPTION(EInvalidOperation, Exception);
VELA_UI_EXCEPTION(EOutOfResources, Exception);

#undef VELA_UI_EXCEPTION

} // namespace vela::ui
