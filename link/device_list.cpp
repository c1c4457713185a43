#include "link/device_list.h"

#include <array>

namespace vela::link {

namespace {

// The announcement's fields 0 to 2; the first one missing ends the announcement.
const std::string& FieldAt(std::span<const std::string> fields, int index) {
  if (index >= static_cast<int>(fields.size()))
    throw AnnouncementError(index);
  return fields[static_cast<std::size_t>(index)];
}

// First two bytes, and the bytes from the sixth on (empty for shorter names).
std::string_view TypeHead(std::string_view name) {
  return name.substr(0, 2);
}
std::string_view TypeTail(std::string_view name) {
  return name.size() > 5 ? name.substr(5) : std::string_view();
}

} // namespace

AnnouncementError::AnnouncementError(int missing_index)
    : std::runtime_error("The announcement has no field " + std::to_string(missing_index) + "."),
      missing_index_(missing_index) {}

bool SameCardType(std::string_view a, std::string_view b) {
  return TypeHead(a) == TypeHead(b) && TypeTail(a) == TypeTail(b);
}

bool CardsOfOneType(std::span<const std::string> names) {
  for (const std::string& name : names) {
    if (!SameCardType(names.front(), name))
      return false;
  }
  return true;
}

std::vector<std::string> TickedCardNames(const ListModel& model) {
  std::vector<std::string> names;
  for (int row = 0; row < model.RowCount(); ++row) {
    if (model.IsTicked(row))
      names.push_back(model.Text(row, Column::kCardName));
  }
  return names;
}

int TickedRowCount(const ListModel& model) {
  int count = 0;
  for (int row = 0; row < model.RowCount(); ++row)
    count += model.IsTicked(row) ? 1 : 0;
  return count;
}

void DeviceList::OnDeviceAnnouncement(std::span<const std::string> fields) {
  last_device_name_ = FieldAt(fields, 0);
  const std::string& hardware = FieldAt(fields, 1);
  const std::string& software = FieldAt(fields, 2);
  model_.AddRow("", {last_device_name_, kMainBoardName, hardware, software});
}

void DeviceList::OnCardAnnouncement(std::span<const std::string> fields) {
  const std::string& card = FieldAt(fields, 0);
  const std::string& hardware = FieldAt(fields, 1);
  const std::string& software = FieldAt(fields, 2);
  model_.AddRow("", {last_device_name_, card, hardware, software});
}

bool DeviceList::ApplyTickRule(std::optional<int> pressed_row) {
  if (!pressed_row || *pressed_row < 0 || *pressed_row >= model_.RowCount())
    return false;
  const int pressed = *pressed_row;
  int ticked = 0;
  int last_other = -1;
  for (int row = 0; row < model_.RowCount(); ++row) {
    if (!model_.IsTicked(row))
      continue;
    ++ticked;
    if (row != pressed)
      last_other = row;
  }
  if (ticked < 2)
    return false;
  // With two or more ticked rows there is always another one.
  if (SameCardType(model_.Text(pressed, Column::kCardName),
                   model_.Text(last_other, Column::kCardName))) {
    return false;
  }
  model_.SetTicked(pressed, false);
  return true;
}

} // namespace vela::link
