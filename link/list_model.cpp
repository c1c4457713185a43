#include "link/list_model.h"

namespace vela::link {

int VectorListModel::RowCount() const {
  return static_cast<int>(rows_.size());
}

void VectorListModel::AddRow(std::string_view caption,
                             const std::array<std::string_view, 4>& texts) {
  ListRow row;
  row.caption = caption;
  for (std::size_t i = 0; i < texts.size(); ++i)
    row.texts[i] = texts[i];
  rows_.push_back(std::move(row));
}

std::string VectorListModel::Text(int row, Column column) const {
  return rows_.at(static_cast<std::size_t>(row)).text(column);
}

bool VectorListModel::IsTicked(int row) const {
  return rows_.at(static_cast<std::size_t>(row)).ticked;
}

void VectorListModel::SetTicked(int row, bool ticked) {
  rows_.at(static_cast<std::size_t>(row)).ticked = ticked;
}

void VectorListModel::Clear() {
  rows_.clear();
}

} // namespace vela::link
