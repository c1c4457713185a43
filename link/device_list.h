// The device-and-card list rule: announcements become rows, the same-type tick rule, and
// the ticked card names for the select message.
//
//   DeviceList list(model);
//   list.OnDeviceAnnouncement(fields);       // may throw AnnouncementError
//   if (list.ApplyTickRule(row_under_mouse)) // after the control toggled the tick
//     ShowMessage(text::kSameTypeBoard);
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "link/list_model.h"

namespace vela::link {

// An announcement with fewer than three fields. The message names the missing field's
// index; it ends the handling of the chunk that carried the announcement.
class AnnouncementError : public std::runtime_error {
public:
  explicit AnnouncementError(int missing_index);
  int missing_index() const { return missing_index_; }

private:
  int missing_index_;
};

// Two card names are of one type when their first two bytes are equal and their bytes from
// the sixth on are equal; bytes three to five are not compared.
bool SameCardType(std::string_view a, std::string_view b);
// True when every name is of one type with the first (also for zero or one name).
bool CardsOfOneType(std::span<const std::string> names);

// Column 2 texts of the ticked rows, in list order.
std::vector<std::string> TickedCardNames(const ListModel& model);
int TickedRowCount(const ListModel& model);

class DeviceList {
public:
  explicit DeviceList(ListModel& model) : model_(model) {}

  // "!Name": the device name is remembered (even when the versions are missing), then a
  // "Main" row is added. Throws AnnouncementError for fewer than three fields.
  void OnDeviceAnnouncement(std::span<const std::string> fields);
  // "!Card": a row under the last announced device name. Throws AnnouncementError.
  void OnCardAnnouncement(std::span<const std::string> fields);

  // The rule run on every mouse press over the list, after the control has toggled a tick
  // box under the pointer. `pressed_row` is the row under the pointer, if any. When two or
  // more rows are ticked and the pressed row's card is not of the type of the last other
  // ticked row, the pressed row is unticked and true is returned: the caller then shows
  // text::kSameTypeBoard.
  bool ApplyTickRule(std::optional<int> pressed_row);

  const std::string& LastDeviceName() const { return last_device_name_; }
  ListModel& model() { return model_; }
  const ListModel& model() const { return model_; }

private:
  ListModel& model_;
  // Kept for the life of the program; closing or reconnecting the link does not clear it.
  std::string last_device_name_;
};

} // namespace vela::link
