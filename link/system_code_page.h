// The lead-byte test of the running system's ANSI code page (Windows only; link the
// vela_link_win library). Pass it to SplitFields and the chunk receiver on Windows.
#pragma once

#ifdef _WIN32
namespace vela::link {

bool IsSystemAnsiLeadByte(unsigned char byte);

} // namespace vela::link
#endif
