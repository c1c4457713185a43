// The one platform file of the socket layer: Winsock on Windows, BSD sockets elsewhere.
#include "tools/common/socket.h"

#include <cstring>
#include <utility>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vela::tools {
namespace {

#ifdef _WIN32
using native_t = SOCKET;
using socklen = int;
constexpr int send_flags = 0;
void close_native(native_t s) {
  closesocket(s);
}
int last_error_code() {
  return WSAGetLastError();
}
bool would_block(int code) {
  return code == WSAEWOULDBLOCK || code == WSAEINPROGRESS;
}
void set_blocking(native_t s, bool blocking) {
  u_long mode = blocking ? 0 : 1;
  ioctlsocket(s, FIONBIO, &mode);
}
#else
using native_t = int;
using socklen = socklen_t;
constexpr int send_flags = MSG_NOSIGNAL;
void close_native(native_t s) {
  ::close(s);
}
int last_error_code() {
  return errno;
}
bool would_block(int code) {
  return code == EINPROGRESS || code == EWOULDBLOCK || code == EAGAIN;
}
void set_blocking(native_t s, bool blocking) {
  int flags = fcntl(s, F_GETFL, 0);
  fcntl(s, F_SETFL, blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK));
}
#endif

native_t native(Socket::Native h) {
  return static_cast<native_t>(h);
}

std::string error_text(const std::string& what, int code) {
  std::string text = what;
#ifdef _WIN32
  text += " (error " + std::to_string(code) + ")";
#else
  text += std::string(": ") + std::strerror(code);
#endif
  return text;
}

void set_error(std::string* out, std::string text) {
  if (out)
    *out = std::move(text);
}

// Resolves a dotted address or a host name to an IPv4 socket address.
bool resolve(const Endpoint& endpoint, sockaddr_in& out, std::string* error) {
  std::memset(&out, 0, sizeof out);
  out.sin_family = AF_INET;
  out.sin_port = htons(endpoint.port);
  if (endpoint.host.empty()) {
    out.sin_addr.s_addr = htonl(INADDR_ANY);
    return true;
  }
  if (inet_pton(AF_INET, endpoint.host.c_str(), &out.sin_addr) == 1)
    return true;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (getaddrinfo(endpoint.host.c_str(), nullptr, &hints, &found) != 0 || !found) {
    set_error(error, "cannot resolve host \"" + endpoint.host + "\"");
    return false;
  }
  out.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
  freeaddrinfo(found);
  return true;
}

// select() on one socket; true when it is ready before the timeout.
int wait_for(native_t s, bool for_write, int timeout_ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  fd_set errors;
  FD_ZERO(&errors);
  FD_SET(s, &errors);
  timeval tv{};
  timeval* ptv = nullptr;
  if (timeout_ms >= 0) {
    tv.tv_sec = timeout_ms / 1000;
    tv.tv_usec = (timeout_ms % 1000) * 1000;
    ptv = &tv;
  }
  // Windows reports a failed non-blocking connect in the exception set.
  return select(static_cast<int>(s) + 1, for_write ? nullptr : &set, for_write ? &set : nullptr,
                &errors, ptv);
}

Socket::Native wrap(native_t s) {
#ifdef _WIN32
  if (s == INVALID_SOCKET)
    return -1;
#else
  if (s < 0)
    return -1;
#endif
  return static_cast<Socket::Native>(s);
}

} // namespace

bool parse_endpoint(std::string_view text, Endpoint& out) {
  auto colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size())
    return false;
  std::string_view digits = text.substr(colon + 1);
  if (digits.size() > 5)
    return false;
  unsigned long port = 0;
  for (char c : digits) {
    if (c < '0' || c > '9')
      return false;
    port = port * 10 + static_cast<unsigned long>(c - '0');
  }
  if (port > 65535)
    return false;
  out.host = std::string(text.substr(0, colon));
  out.port = static_cast<std::uint16_t>(port);
  return true;
}

std::string format_endpoint(const Endpoint& endpoint) {
  return endpoint.host + ":" + std::to_string(endpoint.port);
}

Endpoint PeerAddress::endpoint() const {
  sockaddr_in in{};
  std::memcpy(&in, raw.data(), sizeof in);
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &in.sin_addr, text, sizeof text);
  return Endpoint{text, ntohs(in.sin_port)};
}

NetLibrary::NetLibrary() {
#ifdef _WIN32
  WSADATA data;
  ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
#else
  ok_ = true;
#endif
}

NetLibrary::~NetLibrary() {
#ifdef _WIN32
  if (ok_)
    WSACleanup();
#endif
}

Socket::~Socket() {
  close();
}

Socket::Socket(Socket&& other) noexcept
    : handle_(std::exchange(other.handle_, invalid_handle)),
      receive_timeout_ms_(std::exchange(other.receive_timeout_ms_, -1)) {}

Socket& Socket::operator=(Socket&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, invalid_handle);
    receive_timeout_ms_ = std::exchange(other.receive_timeout_ms_, -1);
  }
  return *this;
}

void Socket::close() {
  if (valid())
    close_native(native(handle_));
  handle_ = invalid_handle;
  receive_timeout_ms_ = -1;
}

Socket Socket::connect_tcp(const Endpoint& to, int timeout_ms, std::string* error) {
  sockaddr_in address;
  if (!resolve(to, address, error))
    return Socket();
  Socket s(wrap(::socket(AF_INET, SOCK_STREAM, 0)));
  if (!s.valid()) {
    set_error(error, error_text("cannot create socket", last_error_code()));
    return Socket();
  }
  native_t h = native(s.handle_);
  set_blocking(h, false);
  if (::connect(h, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    int code = last_error_code();
    if (!would_block(code)) {
      set_error(error, error_text("cannot connect to " + format_endpoint(to), code));
      return Socket();
    }
    if (wait_for(h, true, timeout_ms) <= 0) {
      set_error(error, "cannot connect to " + format_endpoint(to) + ": timed out");
      return Socket();
    }
    int so_error = 0;
    socklen len = sizeof so_error;
    getsockopt(h, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&so_error), &len);
    if (so_error != 0) {
      set_error(error, error_text("cannot connect to " + format_endpoint(to), so_error));
      return Socket();
    }
  }
  set_blocking(h, true);
  s.set_no_delay();
  return s;
}

Socket Socket::listen_tcp(const Endpoint& at, std::string* error) {
  sockaddr_in address;
  if (!resolve(at, address, error))
    return Socket();
  Socket s(wrap(::socket(AF_INET, SOCK_STREAM, 0)));
  if (!s.valid()) {
    set_error(error, error_text("cannot create socket", last_error_code()));
    return Socket();
  }
  native_t h = native(s.handle_);
#ifndef _WIN32
  // On Windows SO_REUSEADDR would let two listeners share a port; its default is fine there.
  int one = 1;
  setsockopt(h, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&one), sizeof one);
#endif
  if (::bind(h, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(h, 4) != 0) {
    set_error(error, error_text("cannot listen on " + format_endpoint(at), last_error_code()));
    return Socket();
  }
  return s;
}

Socket Socket::bind_udp(const Endpoint& at, std::string* error) {
  sockaddr_in address;
  if (!resolve(at, address, error))
    return Socket();
  Socket s(wrap(::socket(AF_INET, SOCK_DGRAM, 0)));
  if (!s.valid() ||
      ::bind(native(s.handle_), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    set_error(error, error_text("cannot bind to " + format_endpoint(at), last_error_code()));
    return Socket();
  }
  return s;
}

std::uint16_t Socket::local_port() const {
  sockaddr_in address{};
  socklen len = sizeof address;
  if (getsockname(native(handle_), reinterpret_cast<sockaddr*>(&address), &len) != 0)
    return 0;
  return ntohs(address.sin_port);
}

Socket Socket::accept(int timeout_ms, Endpoint* peer) {
  if (!valid() || wait_for(native(handle_), false, timeout_ms) <= 0)
    return Socket();
  sockaddr_in address{};
  socklen len = sizeof address;
  Socket s(wrap(::accept(native(handle_), reinterpret_cast<sockaddr*>(&address), &len)));
  if (s.valid() && peer) {
    PeerAddress raw;
    std::memcpy(raw.raw.data(), &address, sizeof address);
    *peer = raw.endpoint();
  }
  return s;
}

IoStatus Socket::wait_readable(int timeout_ms) const {
  if (!valid())
    return IoStatus::error;
  int ready = wait_for(native(handle_), false, timeout_ms);
  if (ready < 0)
    return IoStatus::error;
  return ready == 0 ? IoStatus::timeout : IoStatus::ok;
}

bool Socket::send_all(const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    int chunk = size > (1u << 30) ? (1 << 30) : static_cast<int>(size);
    auto sent = ::send(native(handle_), p, chunk, send_flags);
    if (sent <= 0)
      return false;
    p += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

IoStatus Socket::receive(void* buffer, std::size_t capacity, std::size_t& received,
                         int timeout_ms) {
  received = 0;
#ifdef _WIN32
  // A receive that timed out by SO_RCVTIMEO leaves a Winsock connection in an undefined
  // state, so Windows waits with select first.
  IoStatus ready = wait_readable(timeout_ms);
  if (ready != IoStatus::ok)
    return ready;
  auto got = ::recv(native(handle_), static_cast<char*>(buffer), static_cast<int>(capacity), 0);
#else
  // One blocking call with the socket's own timeout instead of select and recv: in a
  // lock-step exchange every answer is waited for, and the extra call per answer was a
  // good part of the time a block took. The timeout is set only when it changes.
  if (!valid())
    return IoStatus::error;
  int flags = 0;
  if (timeout_ms == 0) {
    flags = MSG_DONTWAIT;
  } else if (timeout_ms != receive_timeout_ms_) {
    timeval tv{};
    if (timeout_ms > 0) {
      tv.tv_sec = timeout_ms / 1000;
      tv.tv_usec = (timeout_ms % 1000) * 1000;
    }
    if (setsockopt(native(handle_), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) != 0)
      return IoStatus::error;
    receive_timeout_ms_ = timeout_ms;
  }
  auto got = ::recv(native(handle_), static_cast<char*>(buffer), capacity, flags);
  if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
    return IoStatus::timeout;
#endif
  if (got == 0)
    return IoStatus::closed;
  if (got < 0)
    return IoStatus::error;
  received = static_cast<std::size_t>(got);
  return IoStatus::ok;
}

IoStatus Socket::receive_from(void* buffer, std::size_t capacity, std::size_t& received,
                              PeerAddress& from, int timeout_ms) {
  received = 0;
  IoStatus ready = wait_readable(timeout_ms);
  if (ready != IoStatus::ok)
    return ready;
  sockaddr_in address{};
  socklen len = sizeof address;
  auto got = ::recvfrom(native(handle_), static_cast<char*>(buffer), static_cast<int>(capacity), 0,
                        reinterpret_cast<sockaddr*>(&address), &len);
  if (got < 0)
    return IoStatus::error;
  std::memcpy(from.raw.data(), &address, sizeof address);
  received = static_cast<std::size_t>(got);
  return IoStatus::ok;
}

bool Socket::send_to(const void* data, std::size_t size, const PeerAddress& to) {
  sockaddr_in address{};
  std::memcpy(&address, to.raw.data(), sizeof address);
  auto sent = ::sendto(native(handle_), static_cast<const char*>(data), static_cast<int>(size), 0,
                       reinterpret_cast<const sockaddr*>(&address), sizeof address);
  return sent == static_cast<decltype(sent)>(size);
}

void Socket::set_no_delay() {
  int one = 1;
  setsockopt(native(handle_), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one),
             sizeof one);
}

} // namespace vela::tools
