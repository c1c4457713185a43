#include "ui/core/strings.h"

#include "ui/core/form_text.h"
#include "ui/core/text.h"

#include <algorithm>

namespace vela::ui {

namespace {

std::wstring WideLower(const std::wstring& s) {
  std::wstring out = s;
  for (wchar_t& c : out)
    if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
  return out;
}

} // namespace

const TClassInfo& TStrings::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TStrings>("TStrings", &TPersistent::StaticClassInfo(), {});
  return info;
}

const TClassInfo& TStringList::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TStringList>("TStringList", &TStrings::StaticClassInfo(), {});
  return info;
}

void TStrings::CheckIndex(int index, bool allowEnd) const {
  if (index < 0 || index > Count() || (!allowEnd && index == Count()))
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Put(int index, const std::wstring& text) {
  TObject* object = Objects(index);
  Delete(index);
  Insert(index, text);
  SetObject(index, object);
}

int TStrings::Add(const std::wstring& text) {
  int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const std::wstring& text, TObject* object) {
  int index = Add(text);
  SetObject(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings& other) {
  BeginUpdate();
  for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.Objects(i));
  EndUpdate();
}

int TStrings::IndexOf(const std::wstring& text) const {
  std::wstring key = WideLower(text);
  for (int i = 0; i < Count(); ++i)
    if (WideLower(Get(i)) == key) return i;
  return -1;
}

std::wstring TStrings::Names(int index) const {
  std::wstring line = Get(index);
  auto eq = line.find(L'=');
  return eq == std::wstring::npos ? std::wstring() : line.substr(0, eq);
}

std::wstring TStrings::ValueFromIndex(int index) const {
  std::wstring line = Get(index);
  auto eq = line.find(L'=');
  return eq == std::wstring::npos ? std::wstring() : line.substr(eq + 1);
}

int TStrings::IndexOfName(const std::wstring& name) const {
  std::wstring key = WideLower(name);
  for (int i = 0; i < Count(); ++i) {
    std::wstring line = Get(i);
    auto eq = line.find(L'=');
    if (eq != std::wstring::npos && WideLower(line.substr(0, eq)) == key) return i;
  }
  return -1;
}

std::wstring TStrings::Values(const std::wstring& name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::wstring() : ValueFromIndex(i);
}

void TStrings::SetValue(const std::wstring& name, const std::wstring& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i >= 0) {
    Put(i, name + L"=" + value);
  } else {
    Add(name + L"=" + value);
  }
}

std::wstring TStrings::Text() const {
  std::wstring out;
  for (int i = 0; i < Count(); ++i) out += Get(i) + L"\r\n";
  return out;
}

void TStrings::SetText(const std::wstring& text) {
  BeginUpdate();
  Clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring::npos) {
      Add(text.substr(start));
      break;
    }
    Add(text.substr(start, end - start));
    start = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
  }
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

void TStrings::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TStrings*>(source)) {
    if (other == this) return;
    BeginUpdate();
    Clear();
    AddStrings(*other);
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty("Strings", [this](const TFormValue& value) {
    if (value.kind != TFormValue::Kind::List) throw EReadError("Strings expects a list of strings");
    BeginUpdate();
    Clear();
    for (const TFormValue& line : value.list) {
      if (line.kind == TFormValue::Kind::String) {
        Add(line.string);
      } else if (line.kind == TFormValue::Kind::Integer) {
        Add(IntToStr(line.integer));
      } else {
        EndUpdate();
        throw EReadError("Strings expects a list of strings");
      }
    }
    EndUpdate();
  });
}

TStringList::TStringList(const TStringList& other) : TStrings(), items_(other.items_) {}

TStringList& TStringList::operator=(const TStringList& other) {
  if (this != &other) {
    Changing();
    items_ = other.items_;
    Changed();
  }
  return *this;
}

std::wstring TStringList::Get(int index) const {
  CheckIndex(index, false);
  return items_[std::size_t(index)].text;
}

void TStringList::Put(int index, const std::wstring& text) {
  CheckIndex(index, false);
  Changing();
  items_[std::size_t(index)].text = text;
  Changed();
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index, false);
  return items_[std::size_t(index)].object;
}

void TStringList::SetObject(int index, TObject* object) {
  CheckIndex(index, false);
  items_[std::size_t(index)].object = object;
}

void TStringList::Insert(int index, const std::wstring& text) {
  CheckIndex(index, true);
  Changing();
  items_.insert(items_.begin() + index, Item{text, nullptr});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index, false);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(items_.begin(), items_.end(),
                   [](const Item& a, const Item& b) { return WideLower(a.text) < WideLower(b.text); });
  Changed();
}

void TStringList::SetText(const std::wstring& text) { TStrings::SetText(text); }

void TStringList::Changing() {
  if (!Updating() && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (!Updating() && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    if (OnChanging) OnChanging(this);
  } else if (OnChange) {
    OnChange(this);
  }
}

} // namespace vela::ui
