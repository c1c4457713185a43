#pragma once
// String lists.
//
// TStrings is the interface every list of lines shares (a memo's lines, a list item's
// sub-items, the skin data's class map); TStringList keeps its lines in memory. Lines are
// UTF-16; Text joins them with CR LF after every line, and SetText splits at CR LF, CR or LF.
//
//   TStringList list;
//   list.Add(L"TComboboxex=combobox");
//   std::wstring kind = list.Values(L"TComboboxex");    // "combobox"
#include "ui/core/classes.h"

#include <string>
#include <vector>

namespace vela::ui {

class TStrings : public TPersistent {
  VELA_CLASS_INFO
public:
  virtual int Count() const = 0;
  virtual std::wstring Get(int index) const = 0;
  virtual void Put(int index, const std::wstring& text);
  virtual TObject* Objects(int) const { return nullptr; }
  virtual void SetObject(int, TObject*) {}
  virtual void Insert(int index, const std::wstring& text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  int Add(const std::wstring& text);
  int AddObject(const std::wstring& text, TObject* object);
  void AddStrings(const TStrings& other);
  std::wstring Strings(int index) const { return Get(index); }
  std::wstring operator[](int index) const { return Get(index); }

  // Case-insensitive search; -1 when absent.
  virtual int IndexOf(const std::wstring& text) const;
  // "name=value" lines.
  std::wstring Names(int index) const;
  std::wstring ValueFromIndex(int index) const;
  int IndexOfName(const std::wstring& name) const;
  std::wstring Values(const std::wstring& name) const;
  void SetValue(const std::wstring& name, const std::wstring& value);

  virtual std::wstring Text() const;
  virtual void SetText(const std::wstring& text);

  // Batches changes: OnChange-style notifications are held until the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }

  bool Equals(const TStrings& other) const;
  void Assign(const TPersistent* source) override;
  // The stored form of the lines: a list of strings named "Strings".
  void DefineProperties(TFiler& filer) override;

protected:
  virtual void SetUpdateState(bool) {}
  void CheckIndex(int index, bool allowEnd) const;

private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
  VELA_CLASS_INFO
public:
  TStringList() = default;
  TStringList(const TStringList& other);
  TStringList& operator=(const TStringList& other);

  int Count() const override { return int(items_.size()); }
  std::wstring Get(int index) const override;
  void Put(int index, const std::wstring& text) override;
  TObject* Objects(int index) const override;
  void SetObject(int index, TObject* object) override;
  void Insert(int index, const std::wstring& text) override;
  void Delete(int index) override;
  void Clear() override;
  void Sort(); // case-insensitive, stable
  void SetText(const std::wstring& text) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  void SetUpdateState(bool updating) override;

private:
  void Changing();
  void Changed();

  struct Item {
    std::wstring text;
    TObject* object = nullptr;
  };
  std::vector<Item> items_;
};

} // namespace vela::ui
