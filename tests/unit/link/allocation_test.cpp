// Counts every heap allocation of the process to show that sending blocks and receiving
// their acknowledgements allocates nothing once a transfer runs.
#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "link/session.h"

namespace {
std::atomic<long> g_allocations{0};
} // namespace

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

namespace vela::link {
namespace {

// Ports that only keep fixed-size facts, so that any allocation counted is the core's own.
class SilentPorts : public SessionPorts {
public:
  void StartSendTimer() override {}
  void StopSendTimer() override {}
  void SendFrame(std::span<const std::uint8_t> frame) override {
    last_block = static_cast<std::uint16_t>(frame[6] << 8 | frame[7]);
    ++frames;
  }
  void SendCommand(std::string_view) override {}
  void SetProgressRange(std::int32_t) override {}
  void SetProgressPosition(std::int32_t position) override { progress = position; }
  void AppendLog(std::string_view line) override { log_bytes += line.size(); }
  void ShowMessage(std::string_view) override {}
  void Pause(std::chrono::milliseconds) override {}
  void SetTrafficStatus(std::string_view text) override { status_bytes += text.size(); }
  void AppendReceiveLog(std::string_view own, std::string_view wire) override {
    log_bytes += own.size() + wire.size();
  }

  std::uint16_t last_block = 0;
  long frames = 0;
  std::int32_t progress = 0;
  std::size_t log_bytes = 0;
  std::size_t status_bytes = 0;
};

TEST(AllocationTest, SteadyStateBlocksAndAcknowledgementsAllocateNothing) {
  SilentPorts ports;
  VectorListModel model;
  UpdateSession session(model, ports, IsCp936LeadByte);
  const std::vector<std::uint8_t> image(kImageCapacity, 0x5A);
  session.transfer().image().LoadBytes(image);
  model.AddRow("", {"Dev", "Main", "H", "S"});
  model.SetTicked(0, true);
  ASSERT_EQ(session.transfer().StartUpgrade(true, model), StartResult::kStarted);

  ChunkAssembler assembler;
  const Ipv4Endpoint from{{127, 0, 0, 1}, 50000};
  auto run_block = [&] {
    session.transfer().OnSendTimerTick();
    const auto ack = BuildAcknowledgement(ports.last_block);
    // The acknowledgement arrives in two pieces, as a stream may deliver it.
    const std::span<const std::uint8_t> bytes(ack);
    auto deliver = [&](std::span<const std::uint8_t> chunk) { session.Receive(chunk, from); };
    assembler.Append(bytes.first(3), deliver);
    assembler.Append(bytes.subspan(3), deliver);
  };
  for (int i = 0; i < 10; ++i)
    run_block(); // warm-up

  const long before = g_allocations.load();
  while (!session.transfer().Completed())
    run_block();
  const long during = g_allocations.load() - before;

  EXPECT_EQ(ports.frames, 1025);
  EXPECT_EQ(ports.progress, static_cast<std::int32_t>(kImageCapacity));
  EXPECT_GT(ports.log_bytes, 0u);
  EXPECT_EQ(during, 0) << during << " allocations over the last 1015 blocks";
}

} // namespace
} // namespace vela::link
