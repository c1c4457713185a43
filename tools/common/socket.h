// Blocking sockets with timeouts for the command-line tools, the same on Linux and Windows.
//
//   vela::tools::NetLibrary net;                       // once per program (Winsock start-up)
//   auto s = vela::tools::Socket::connect_tcp({"127.0.0.1", 5000}, 5000, &error);
//   s.send_all(bytes, n);
//   std::size_t got = 0;
//   if (s.receive(buffer, sizeof buffer, got, 200) == vela::tools::IoStatus::ok) ...
//
// Every wait takes a timeout in milliseconds (-1 waits for ever), so callers can poll a stop
// flag or an acknowledgement deadline without threads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vela::tools {

struct Endpoint {
  std::string host;
  std::uint16_t port = 0;
};

// Parses "HOST:PORT" (port 0 to 65535). False for anything else.
bool parse_endpoint(std::string_view text, Endpoint& out);
std::string format_endpoint(const Endpoint& endpoint);

// An IPv4 socket address as the system stores it (16 bytes), for datagram replies.
struct PeerAddress {
  std::array<unsigned char, 16> raw{};
  Endpoint endpoint() const;
};

enum class IoStatus { ok, timeout, closed, error };

// Starts the socket library for the life of the object (Winsock); nothing on POSIX.
class NetLibrary {
public:
  NetLibrary();
  ~NetLibrary();
  NetLibrary(const NetLibrary&) = delete;
  NetLibrary& operator=(const NetLibrary&) = delete;
  bool ok() const { return ok_; }

private:
  bool ok_ = false;
};

class Socket {
public:
  using Native = std::intptr_t;

  Socket() = default;
  ~Socket();
  Socket(Socket&& other) noexcept;
  Socket& operator=(Socket&& other) noexcept;
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  // Connects within timeout_ms; on failure returns an invalid socket and fills *error.
  static Socket connect_tcp(const Endpoint& to, int timeout_ms, std::string* error);
  // Listens on the endpoint (port 0 picks a free one), address reuse on.
  static Socket listen_tcp(const Endpoint& at, std::string* error);
  static Socket bind_udp(const Endpoint& at, std::string* error);

  bool valid() const { return handle_ != invalid_handle; }
  void close();
  std::uint16_t local_port() const;

  // Waits up to timeout_ms for a connection; an invalid socket on timeout or error.
  Socket accept(int timeout_ms, Endpoint* peer);
  IoStatus wait_readable(int timeout_ms) const;

  // Sends everything or reports false (peer gone, error).
  bool send_all(const void* data, std::size_t size);
  // Reads at most capacity bytes once data is there; closed when the peer has shut down.
  IoStatus receive(void* buffer, std::size_t capacity, std::size_t& received, int timeout_ms);

  IoStatus receive_from(void* buffer, std::size_t capacity, std::size_t& received,
                        PeerAddress& from, int timeout_ms);
  bool send_to(const void* data, std::size_t size, const PeerAddress& to);

  // Sends small writes at once instead of gathering them (TCP only).
  void set_no_delay();

private:
  static constexpr Native invalid_handle = -1;
  explicit Socket(Native handle) : handle_(handle) {}
  Native handle_ = invalid_handle;
  int receive_timeout_ms_ = -1; // the receive timeout set on the socket (-1: none, waits)
};

} // namespace vela::tools
