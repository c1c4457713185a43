#pragma once
// The device-and-card list as the link core sees it, kept in the window's list view. The texts
// of each row are also kept as the bytes they arrived as, so that the card names that go back
// to the device in the select message are exactly what the device announced, whatever the
// code page makes of them on screen. Ticks live in the list view, where the operator sets them.
#include <array>
#include <string>
#include <vector>

#include "link/list_model.h"

namespace vela::ui {
class TListView;
}

namespace vela::app {

class ListViewModel final : public link::ListModel {
public:
  // The list view is bound once the window's description has been read.
  void Attach(ui::TListView* view) { view_ = view; }

  int RowCount() const override { return int(rows_.size()); }
  void AddRow(std::string_view caption, const std::array<std::string_view, 4>& texts) override;
  std::string Text(int row, link::Column column) const override;
  bool IsTicked(int row) const override;
  void SetTicked(int row, bool ticked) override;
  void Clear() override;

private:
  ui::TListView* view_ = nullptr;
  std::vector<std::array<std::string, 4>> rows_;
};

} // namespace vela::app
