// Received chunks and field texts from a device are outside data: the receiver, the field
// splitter and the device-side stream reader must take any bytes without reading out of
// bounds, and quoting must give back exactly the fields it was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "link/device_stream.h"
#include "link/session.h"

namespace {

using namespace vela::link;

class NullPorts : public SessionPorts {
public:
  void StartSendTimer() override {}
  void StopSendTimer() override {}
  void SendFrame(std::span<const std::uint8_t>) override {}
  void SendCommand(std::string_view) override {}
  void SetProgressRange(std::int32_t) override {}
  void SetProgressPosition(std::int32_t) override {}
  void AppendLog(std::string_view) override {}
  void ShowMessage(std::string_view) override {}
  void Pause(std::chrono::milliseconds) override {}
  void SetTrafficStatus(std::string_view) override {}
  void AppendReceiveLog(std::string_view own, std::string_view wire) override {
    // Touch every byte so that the sanitizer checks the views.
    for (char c : own)
      sink += static_cast<unsigned char>(c);
    for (char c : wire)
      sink += static_cast<unsigned char>(c);
  }
  unsigned sink = 0;
};

// True when a field ends inside a double-byte character: no quoting can carry it, since its
// lead byte would take the following separator as its trail.
bool EndsWithLoneLeadByte(std::string_view field, LeadBytePredicate is_lead) {
  std::size_t i = 0;
  while (i < field.size()) {
    if (is_lead(static_cast<unsigned char>(field[i])) && i + 1 == field.size())
      return true;
    i += is_lead(static_cast<unsigned char>(field[i])) ? 2 : 1;
  }
  return false;
}

void CheckRoundTrip(std::string_view text, LeadBytePredicate is_lead) {
  const auto fields = SplitFields(text, is_lead);
  for (const auto& field : fields) {
    if (EndsWithLoneLeadByte(field, is_lead))
      return;
  }
  if (fields.empty())
    return;
  if (SplitFields(JoinFields(fields, is_lead), is_lead) != fields)
    std::abort();
}

void ReadAsDevice(std::span<const std::uint8_t> bytes, std::size_t cut) {
  DeviceStreamReader reader;
  reader.Append(bytes.first(cut));
  while (reader.Next()) {
  }
  reader.Append(bytes.subspan(cut));
  while (reader.Next()) {
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const LeadBytePredicate is_lead = (data[0] & 1) ? IsCp936LeadByte : IsNeverLeadByte;
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);

  // The session holds a 1 MiB image buffer; building one per input would make the fuzzer
  // crawl, so two live for the whole run and only their lists are emptied.
  static NullPorts ports;
  static VectorListModel model;
  static UpdateSession sessions[2] = {{model, ports, IsNeverLeadByte},
                                      {model, ports, IsCp936LeadByte}};
  static const bool loaded = [] {
    const std::vector<std::uint8_t> image(3000, 0xA5);
    for (auto& s : sessions)
      s.transfer().image().LoadBytes(image);
    return true;
  }();
  (void)loaded;
  UpdateSession& session = sessions[data[0] & 1];
  model.Clear();
  try {
    session.Receive(bytes, {{127, 0, 0, 1}, 1});
  } catch (const AnnouncementError&) {
  }
  session.transfer().OnSendTimerTick();

  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  CheckRoundTrip(text, is_lead);
  ReadAsDevice(bytes, bytes.empty() ? 0 : data[0] % bytes.size());
  return 0;
}
