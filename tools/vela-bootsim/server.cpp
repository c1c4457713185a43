#include "tools/vela-bootsim/server.h"

#include <chrono>
#include <thread>

#include "tools/common/console.h"
#include "tools/common/socket.h"
#include "tools/vela-bootsim/device.h"

namespace vela::tools {
namespace {

// How often a wait looks at the stop flag.
constexpr int kPollMs = 100;

void sleep_unless_stopped(int ms) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!stop_requested() && std::chrono::steady_clock::now() < until) {
    auto left = until - std::chrono::steady_clock::now();
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(kPollMs)));
  }
}

class Simulator {
public:
  Simulator(const SimOptions& options, std::FILE* log)
      : options_(options), log_(log),
        device_(options.identity, options.faults, options.quiet ? nullptr : log) {}

  int run_tcp(std::FILE* out);
  int run_udp(std::FILE* out);
  void save_image();

private:
  // Serves one connection; false when the device closed it on purpose.
  void serve(Socket& connection);
  bool carry_out(const Reply& reply, Socket* connection, const PeerAddress* peer);
  bool send_one(const std::string& bytes, Socket* connection, const PeerAddress* peer);

  const SimOptions& options_;
  std::FILE* log_;
  SimulatedDevice device_;
  Socket udp_;
};

void announce(std::FILE* out, const Endpoint& at, std::uint16_t port) {
  std::fprintf(out, "listening on %s:%u\n", at.host.c_str(), port);
  std::fflush(out);
}

int Simulator::run_tcp(std::FILE* out) {
  std::string error;
  Socket listener = Socket::listen_tcp(options_.listen, &error);
  if (!listener.valid()) {
    std::fprintf(log_, "vela-bootsim: %s\n", error.c_str());
    return 3;
  }
  const Endpoint bound{options_.listen.host, listener.local_port()};
  announce(out, options_.listen, bound.port);
  while (!stop_requested()) {
    Endpoint peer;
    Socket connection = listener.accept(kPollMs, &peer);
    if (!connection.valid())
      continue;
    if (!options_.quiet) {
      std::fprintf(log_, "vela-bootsim: connection from %s\n", format_endpoint(peer).c_str());
    }
    connection.set_no_delay();
    serve(connection);
    connection.close();
    save_image();
    device_.on_disconnect();
    if (options_.faults.refuse_for_ms > 0 && !stop_requested()) {
      // Without a listening socket the system refuses every connection attempt.
      listener.close();
      if (!options_.quiet) {
        std::fprintf(log_, "vela-bootsim: refusing connections for %d ms\n",
                     options_.faults.refuse_for_ms);
      }
      sleep_unless_stopped(options_.faults.refuse_for_ms);
      listener = Socket::listen_tcp(bound, &error);
      if (!listener.valid()) {
        std::fprintf(log_, "vela-bootsim: %s\n", error.c_str());
        return 3;
      }
    }
  }
  return 0;
}

void Simulator::serve(Socket& connection) {
  link::DeviceStreamReader reader;
  std::vector<std::uint8_t> buffer(65536);
  while (!stop_requested()) {
    std::size_t got = 0;
    IoStatus status = connection.receive(buffer.data(), buffer.size(), got, kPollMs);
    if (status == IoStatus::timeout)
      continue;
    if (status != IoStatus::ok)
      return;
    reader.Append({buffer.data(), got});
    while (auto request = reader.Next()) {
      if (!carry_out(device_.handle(*request), &connection, nullptr))
        return;
    }
  }
}

int Simulator::run_udp(std::FILE* out) {
  std::string error;
  udp_ = Socket::bind_udp(options_.listen, &error);
  if (!udp_.valid()) {
    std::fprintf(log_, "vela-bootsim: %s\n", error.c_str());
    return 3;
  }
  announce(out, options_.listen, udp_.local_port());
  link::DeviceStreamReader reader;
  std::vector<std::uint8_t> buffer(65536);
  while (!stop_requested()) {
    std::size_t got = 0;
    PeerAddress peer;
    if (udp_.receive_from(buffer.data(), buffer.size(), got, peer, kPollMs) != IoStatus::ok) {
      continue;
    }
    reader.Append({buffer.data(), got});
    while (auto request = reader.Next())
      carry_out(device_.handle(*request), nullptr, &peer);
  }
  return 0;
}

// Sends the reply's writes; false when the connection is to be closed or has failed.
bool Simulator::carry_out(const Reply& reply, Socket* connection, const PeerAddress* peer) {
  if (reply.image_ended)
    save_image();
  if (reply.delay_ms > 0)
    sleep_unless_stopped(reply.delay_ms);
  for (std::size_t i = 0; i < reply.writes.size(); ++i) {
    if (i > 0 && reply.gap_ms > 0)
      sleep_unless_stopped(reply.gap_ms);
    if (!send_one(reply.writes[i], connection, peer))
      return false;
  }
  if (reply.close && connection)
    return false;
  return true;
}

bool Simulator::send_one(const std::string& bytes, Socket* connection, const PeerAddress* peer) {
  auto send = [&](const char* data, std::size_t size) {
    return connection ? connection->send_all(data, size) : udp_.send_to(data, size, *peer);
  };
  if (!options_.faults.split_writes)
    return send(bytes.data(), bytes.size());
  for (char c : bytes) {
    if (!send(&c, 1))
      return false;
  }
  return true;
}

void Simulator::save_image() {
  if (options_.out_path.empty() || !device_.image().dirty())
    return;
  std::string error;
  if (!device_.image().write_to(options_.out_path, error)) {
    std::fprintf(log_, "vela-bootsim: %s\n", error.c_str());
  } else if (!options_.quiet) {
    std::fprintf(log_, "vela-bootsim: image written to %s (%zu bytes)\n", options_.out_path.c_str(),
                 device_.image().size());
  }
}

} // namespace

int run_simulator(const SimOptions& options, std::FILE* out, std::FILE* log) {
  Simulator simulator(options, log);
  int code = options.udp ? simulator.run_udp(out) : simulator.run_tcp(out);
  simulator.save_image();
  if (code == 0 && !options.quiet)
    std::fprintf(log, "vela-bootsim: stopped\n");
  return code;
}

} // namespace vela::tools
