#include "link/system_code_page.h"

#include <windows.h>

namespace vela::link {

bool IsSystemAnsiLeadByte(unsigned char byte) {
  return IsDBCSLeadByte(byte) != FALSE;
}

} // namespace vela::link
