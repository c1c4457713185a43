#include "app/list_view_model.h"

#include "app/ansi_text.h"
#include "ui/core/strings.h"
#include "ui/list_view.h"

namespace vela::app {

void ListViewModel::AddRow(std::string_view caption, const std::array<std::string_view, 4>& texts) {
  std::array<std::string, 4> row;
  for (std::size_t i = 0; i < texts.size(); ++i) row[i] = std::string(texts[i]);
  rows_.push_back(row);
  ui::TListItem* item = view_->Items()->Add();
  item->SetCaption(AnsiToWide(caption));
  for (std::string_view t : texts) item->SubItems()->Add(AnsiToWide(t));
}

std::string ListViewModel::Text(int row, link::Column column) const {
  if (row < 0 || row >= RowCount()) return {};
  return rows_[std::size_t(row)][std::size_t(column) - 1];
}

bool ListViewModel::IsTicked(int row) const {
  return row >= 0 && row < view_->Items()->Count() && view_->Items()->Item(row)->Checked();
}

void ListViewModel::SetTicked(int row, bool ticked) {
  if (row >= 0 && row < view_->Items()->Count()) view_->Items()->Item(row)->SetChecked(ticked);
}

void ListViewModel::Clear() {
  rows_.clear();
  view_->Items()->Clear();
}

} // namespace vela::app
