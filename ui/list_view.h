#pragma once
// List views (native "SysListView32"): report style with columns, check boxes, grid lines,
// multi-select and whole-row select.
//
//   TListItem* row = ListView1->Items()->Add();
//   row->SetCaption(L"");
//   row->SubItems()->Add(L"Device");
//   row->SetChecked(true);
//   TListItem* hit = ListView1->GetItemAt(x, y);
//
// OnMouseDown fires after the native control has handled the press (a click on a check box
// has already changed the item's Checked state).
#include "ui/core/collection.h"
#include "ui/core/strings.h"
#include "ui/win_control.h"

#include <memory>
#include <vector>

namespace vela::ui {

class TCustomListView;

class TListColumn : public TCollectionItem {
  VELA_CLASS_INFO
public:
  explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}
  std::wstring Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  void Assign(const TPersistent* source) override;

private:
  std::wstring caption_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TListColumns : public TTypedCollection<TListColumn> {
  VELA_CLASS_INFO
};

class TListItems;

class TListItem {
public:
  TListItem(TListItems* owner);
  ~TListItem();
  TListItems* Owner() const { return owner_; }
  int Index() const;
  std::wstring Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  TStrings* SubItems() const { return subItems_.get(); }
  bool Checked() const;
  void SetChecked(bool checked);
  bool Selected() const;
  void SetSelected(bool selected);
  void* Data() const { return data_; }
  void SetData(void* data) { data_ = data; }
  void Delete();

private:
  friend class TListItems;
  friend class TCustomListView;
  TListItems* owner_;
  std::wstring caption_;
  std::unique_ptr<TStringList> subItems_;
  bool checked_ = false;
  bool selected_ = false;
  void* data_ = nullptr;
};

class TListItems {
public:
  explicit TListItems(TCustomListView* owner) : owner_(owner) {}
  ~TListItems();
  TCustomListView* Owner() const { return owner_; }
  int Count() const { return int(items_.size()); }
  TListItem* Item(int index) const { return items_.at(std::size_t(index)).get(); }
  TListItem* operator[](int index) const { return Item(index); }
  TListItem* Add();
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  int IndexOf(const TListItem* item) const;

private:
  friend class TListItem;
  friend class TCustomListView;
  TCustomListView* owner_;
  std::vector<std::unique_ptr<TListItem>> items_;
};

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TCustomListView : public TWinControl {
  VELA_CLASS_INFO
public:
  explicit TCustomListView(TComponent* owner);
  ~TCustomListView() override;

  TListColumns* Columns() const { return columns_.get(); }
  TListItems* Items() const { return items_.get(); }
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle style);
  bool Checkboxes() const { return checkboxes_; }
  void SetCheckboxes(bool value);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  bool ShowColumnHeaders() const { return showColumnHeaders_; }
  void SetShowColumnHeaders(bool value);

  // The item at a client point (any column of the row), or nullptr.
  TListItem* GetItemAt(int x, int y);
  TListItem* Selected() const;
  int SelCount() const;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  void WndProc(TMessage& message) override;

private:
  friend class TListItem;
  friend class TListItems;
  void ApplyExtendedStyle();
  void RebuildColumns();
  void InsertNativeItem(int index);
  void UpdateNativeItem(int index);
  void DeleteNativeItem(int index);
  void ReadBackStates();
  bool NativeChecked(int index) const;
  void SetNativeChecked(int index, bool checked);
  bool NativeSelected(int index) const;
  void SetNativeSelected(int index, bool selected);

  std::unique_ptr<TListColumns> columns_;
  std::unique_ptr<TListItems> items_;
  TViewStyle viewStyle_ = TViewStyle::vsIcon;
  bool checkboxes_ = false;
  bool gridLines_ = false;
  bool multiSelect_ = false;
  bool rowSelect_ = false;
  bool readOnly_ = false;
  bool hideSelection_ = true;
  bool showColumnHeaders_ = true;
};

class TListView : public TCustomListView {
  VELA_CLASS_INFO
public:
  explicit TListView(TComponent* owner) : TCustomListView(owner) {}
};

} // namespace vela::ui
