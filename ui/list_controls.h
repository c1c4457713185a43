#pragma once
// Combo boxes, list boxes, stand-alone scroll bars and date pickers.
//
//   TComboBox        native "COMBOBOX"; Style (csDropDown, csDropDownList), Items, ItemIndex, Text,
//                    DropDownCount, OnChange (a pick from the list or typing in the edit field)
//   TListBox         native "LISTBOX"; Items, ItemIndex, Sorted, OnClick
//   TScrollBar       native "SCROLLBAR"; Kind, Min, Max, Position, PageSize, SmallChange,
//                    LargeChange, OnChange
//   TDateTimePicker  native "SysDateTimePick32"; Kind (date or time), DateMode (drop-down
//                    calendar or up-down), OnChange
//
// Items live in a string list; while the window exists every change of the list is copied to
// it, keeping the selection on the same line where it still exists.
#include "ui/core/strings.h"
#include "ui/win_control.h"

#include <memory>

namespace vela::ui {

// The line list of a combo or list box, mirrored into the native control.
class TItemListControl : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TItemListControl(TComponent* owner);
  ~TItemListControl() override;
  TStrings* Items() const { return items_.get(); }
  // -1 when nothing is selected.
  int ItemIndex() const;
  void SetItemIndex(int value);

protected:
  // The messages of the native control: insert a line at an index, clear, select, read the
  // selection. Lines are inserted, never added, so that the window never sorts them itself and
  // its indexes stay those of Items.
  struct TListMessages {
    UINT insertString, resetContent, setCurSel, getCurSel;
  };
  TItemListControl(TComponent* owner, const TListMessages& messages);
  void HandleCreated() override;
  void HandleDestroying() override;
  // Copies the lines and the selection to the window.
  void FillNative();
  // True where Items are kept in order whenever they change.
  virtual bool KeepsItemsSorted() const { return false; }
  mutable int itemIndex_ = -1;

private:
  std::unique_ptr<TStringList> items_;
  TListMessages messages_;
  bool sorting_ = false;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TCustomComboBox : public TItemListControl {
  VELA_CLASS_INFO
public:
  explicit TCustomComboBox(TComponent* owner);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value);
  // The edit field's text, or the selected line of a drop-down list.
  std::wstring GetText() const override;
  void SetText(const std::wstring& text) override;
  bool DroppedDown() const;
  void SetDroppedDown(bool value);
  // The height is the closed combo's; the window is made taller by the dropped-down list.
  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& message) override;

private:
  int ListHeight() const;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int dropDownCount_ = 8;
};

class TComboBox : public TCustomComboBox {
  VELA_CLASS_INFO
public:
  explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

class TCustomListBox : public TItemListControl {
  VELA_CLASS_INFO
public:
  explicit TCustomListBox(TComponent* owner);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  bool KeepsItemsSorted() const override { return sorted_; }

private:
  bool sorted_ = false;
};

class TListBox : public TCustomListBox {
  VELA_CLASS_INFO
public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

enum class TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TScrollBar(TComponent* owner);
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind value);
  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Position() const { return position_; }
  // Kept within [Min, Max - PageSize + 1] (the last page starts there); OnChange when it moved.
  void SetPosition(int value);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int value);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int value) { smallChange_ = value; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int value) { largeChange_ = value; }

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& message) override;

private:
  void UpdateNative();
  int LastPosition() const;
  void Scroll(int code, int trackPosition);
  TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int pageSize_ = 0;
  int smallChange_ = 1;
  int largeChange_ = 1;
};

enum class TDateTimeKind { dtkDate, dtkTime };
enum class TDTDateMode { dmComboBox, dmUpDown };

class TDateTimePicker : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TDateTimePicker(TComponent* owner);
  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind value);
  TDTDateMode DateMode() const { return dateMode_; }
  void SetDateMode(TDTDateMode value);
  // The date and time shown.
  SYSTEMTIME DateTime() const;
  void SetDateTime(const SYSTEMTIME& value);

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& message) override;

private:
  TDateTimeKind kind_ = TDateTimeKind::dtkDate;
  TDTDateMode dateMode_ = TDTDateMode::dmComboBox;
  mutable SYSTEMTIME value_{};
};

} // namespace vela::ui
