#include "link/session.h"

namespace vela::link {

UpdateSession::UpdateSession(ListModel& model, SessionPorts& ports, LeadBytePredicate is_lead)
    : ports_(ports), receiver_(is_lead), list_(model), transfer_(ports) {}

void UpdateSession::Query() {
  ports_.SendCommand(kBootloaderQuery);
}

void UpdateSession::Receive(std::span<const std::uint8_t> chunk, const Ipv4Endpoint& from) {
  receiver_.Receive(chunk, from, *this);
}

void UpdateSession::SetTrafficStatus(std::string_view text) {
  ports_.SetTrafficStatus(text);
}

void UpdateSession::OnDeviceAnnouncement(std::span<const std::string> fields) {
  list_.OnDeviceAnnouncement(fields);
  ports_.OnRowAdded(list_.model().RowCount() - 1);
}

void UpdateSession::OnCardAnnouncement(std::span<const std::string> fields) {
  list_.OnCardAnnouncement(fields);
  ports_.OnRowAdded(list_.model().RowCount() - 1);
}

void UpdateSession::OnAcknowledgement(std::uint16_t block) {
  if (!ports_.AbsorbAcknowledgement(block))
    transfer_.OnAcknowledgement(block);
}

void UpdateSession::AppendReceiveLog(std::string_view own_text, std::string_view wire_text) {
  ports_.AppendReceiveLog(own_text, wire_text);
}

} // namespace vela::link
