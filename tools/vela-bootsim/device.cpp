#include "tools/vela-bootsim/device.h"

#include <cstdarg>

#include "link/protocol.h"

namespace vela::tools {
namespace {

std::string announcement(link::AnnouncementKind kind, const BoardFields& fields) {
  return link::BuildAnnouncement(kind, fields, link::IsCp936LeadByte);
}

std::string as_string(const std::array<std::uint8_t, link::kAcknowledgementSize>& bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string join_names(const std::vector<std::string>& names) {
  std::string joined;
  for (const auto& name : names)
    joined += (joined.empty() ? "" : ",") + name;
  return joined;
}

} // namespace

SimulatedDevice::SimulatedDevice(DeviceIdentity identity, FaultPlan plan, std::FILE* log)
    : identity_(std::move(identity)), plan_(plan), log_(log), random_(plan.seed) {}

std::vector<std::string> SimulatedDevice::announcements() const {
  std::vector<std::string> lines;
  lines.push_back(announcement(link::AnnouncementKind::kDevice, identity_.device));
  for (const auto& card : identity_.cards)
    lines.push_back(announcement(link::AnnouncementKind::kCard, card));
  return lines;
}

Reply SimulatedDevice::handle(const link::DeviceMessage& message) {
  using Kind = link::DeviceMessageKind;
  Reply reply;
  switch (message.kind) {
  case Kind::kQuery: {
    auto lines = announcements();
    note("query: announcing the device and %zu card(s)", identity_.cards.size());
    if (plan_.merge) {
      std::string all;
      for (const auto& line : lines)
        all += line;
      reply.writes.push_back(std::move(all));
    } else {
      reply.writes = std::move(lines);
    }
    return reply;
  }
  case Kind::kSelect:
    selected_ = join_names(message.names);
    image_.reset();
    note("select: %s", selected_.c_str());
    return reply;
  case Kind::kBlock:
    return on_block(message);
  case Kind::kGotoApp:
    note("goto-app: starting the application");
    reply.image_ended = image_.dirty();
    return reply;
  case Kind::kOther:
    note("ignored: %s", message.line.c_str());
    return reply;
  }
  return reply;
}

void SimulatedDevice::on_disconnect() {
  if (!plan_.forget_on_close) {
    note("connection closed");
    return;
  }
  selected_.clear();
  image_.reset();
  note("connection closed: restarting, the selection and the image are forgotten");
}

Reply SimulatedDevice::on_block(const link::DeviceMessage& message) {
  ++blocks_received_;
  const int n = message.block;
  Reply reply;
  if (selected_.empty()) {
    // A bootloader without a selection has no card to program: the frame is answered by
    // the link as usual but its data goes nowhere.
    note("block %d: no card selected, the data is not stored", n);
  } else {
    image_.store(message.block, message.data);
    reply.image_ended = message.data.size() < link::kBlockSize;
  }
  if (plan_.close_after_block == n && !closed_once_) {
    closed_once_ = true;
    note("block %d: %zu bytes, closing the connection", n, message.data.size());
    reply.close = true;
    return reply;
  }
  if ((plan_.drop_ack_at == n && !dropped_once_) || drop_by_chance()) {
    dropped_once_ = dropped_once_ || plan_.drop_ack_at == n;
    note("block %d: %zu bytes, acknowledgement dropped", n, message.data.size());
    return reply;
  }
  Reply ack = acknowledge(message.block);
  ack.image_ended = reply.image_ended;
  note("block %d: %zu bytes, %s", n, message.data.size(),
       ack.writes.size() > 1 ? "acknowledged twice" : "acknowledged");
  return ack;
}

Reply SimulatedDevice::acknowledge(std::uint16_t block) {
  Reply reply;
  reply.delay_ms = plan_.ack_delay_ms;
  ++acks_counted_;
  std::uint16_t number = block;
  if (plan_.wrong_ack_every > 0 && acks_counted_ % plan_.wrong_ack_every == 0) {
    // Far outside any image's block range, so it never matches the block in flight.
    number = static_cast<std::uint16_t>(block ^ 0x8000);
    note("wrong acknowledgement %u for block %u", number, block);
  }
  reply.writes.push_back(as_string(link::BuildAcknowledgement(number)));
  if (plan_.dup_ack_every > 0 && acks_counted_ % plan_.dup_ack_every == 0) {
    reply.writes.push_back(reply.writes.back());
    reply.gap_ms = plan_.dup_ack_gap_ms;
  }
  acks_sent_ += static_cast<int>(reply.writes.size());
  return reply;
}

bool SimulatedDevice::drop_by_chance() {
  if (plan_.drop_ack_rate <= 0)
    return false;
  return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < plan_.drop_ack_rate;
}

void SimulatedDevice::note(const char* format, ...) {
  if (!log_)
    return;
  std::va_list args;
  va_start(args, format);
  std::fputs("vela-bootsim: ", log_);
  std::vfprintf(log_, format, args);
  std::fputc('\n', log_);
  va_end(args);
}

} // namespace vela::tools
