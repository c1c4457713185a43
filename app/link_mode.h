#pragma once
// How the update tool talks to a bootloader is fixed when the program is built, not chosen at
// run time. The program is built as a stream (TCP) client; the datagram and server modes exist
// so that the same endpoint code can be exercised against them in tests.

namespace vela::app {

struct LinkMode {
  bool UseStream = true;     // TCP; false selects datagrams (UDP)
  bool IsServer = false;     // with UseStream: listen and accept instead of connecting
  bool BindDatagram = false; // without UseStream: bind the datagram socket to LocalAddress

  constexpr bool Binds() const { return UseStream ? IsServer : BindDatagram; }
  // FD_READ (1), FD_ACCEPT (8), FD_CLOSE (32) as the mode needs them.
  constexpr long NotifyMask() const { return !UseStream ? 1 : IsServer ? 41 : 33; }
  friend constexpr bool operator==(const LinkMode&, const LinkMode&) = default;
};

inline constexpr LinkMode kStreamClientMode{true, false, false};
inline constexpr LinkMode kStreamServerMode{true, true, false};
inline constexpr LinkMode kDatagramMode{false, false, false};
inline constexpr LinkMode kBoundDatagramMode{false, false, true};

// The mode of the program as shipped.
inline constexpr LinkMode kBuiltLinkMode = kStreamClientMode;

} // namespace vela::app
