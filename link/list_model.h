// The list of boards as the device-list rule sees it: rows of a caption and four texts
// (device name, card name, hardware version, software version) with a tick. The GUI
// implements ListModel over its list view; the command-line tool and tests use
// VectorListModel.
//
//   VectorListModel rows;
//   DeviceList list(rows);   // device_list.h
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vela::link {

// Text columns of a row, as numbered in the list view (column 0 is the caption).
enum class Column { kDeviceName = 1, kCardName = 2, kHardwareVersion = 3, kSoftwareVersion = 4 };

inline constexpr std::string_view kMainBoardName = "Main";

class ListModel {
public:
  virtual ~ListModel() = default;
  virtual int RowCount() const = 0;
  // Appends a row, unticked, at the end.
  virtual void AddRow(std::string_view caption, const std::array<std::string_view, 4>& texts) = 0;
  virtual std::string Text(int row, Column column) const = 0;
  virtual bool IsTicked(int row) const = 0;
  virtual void SetTicked(int row, bool ticked) = 0;
  virtual void Clear() = 0;
};

struct ListRow {
  std::string caption;
  std::array<std::string, 4> texts; // indexed by Column - 1
  bool ticked = false;

  const std::string& text(Column column) const { return texts[static_cast<int>(column) - 1]; }
};

class VectorListModel final : public ListModel {
public:
  int RowCount() const override;
  void AddRow(std::string_view caption, const std::array<std::string_view, 4>& texts) override;
  std::string Text(int row, Column column) const override;
  bool IsTicked(int row) const override;
  void SetTicked(int row, bool ticked) override;
  void Clear() override;

  const std::vector<ListRow>& rows() const { return rows_; }

private:
  std::vector<ListRow> rows_;
};

} // namespace vela::link
