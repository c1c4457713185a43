#include "ui/core/props.h"

#include "ui/core/strings.h"
#include "ui/core/text.h"

namespace vela::ui {

namespace {

std::string Narrow(std::wstring_view text, bool& ascii) {
  std::string out;
  ascii = true;
  for (wchar_t c : text) {
    if (c > 0x7F) ascii = false;
    out.push_back(char(c));
  }
  return out;
}

std::string Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return std::string(text);
}

bool IsOrdinal(const TPropInfo& p) {
  return p.kind == TPropKind::Integer || p.kind == TPropKind::Enumeration || p.kind == TPropKind::Set;
}

} // namespace

const TPropInfo* GetPropInfo(const TObject* object, std::string_view name) {
  return object ? object->ClassInfo().FindProperty(name) : nullptr;
}

bool IsPublishedProp(const TObject* object, std::string_view name) {
  return GetPropInfo(object, name) != nullptr;
}

std::int64_t GetOrdProp(const TObject* object, std::string_view name) {
  const TPropInfo* p = GetPropInfo(object, name);
  return p && IsOrdinal(*p) && p->getOrdinal ? p->getOrdinal(*object) : 0;
}

bool SetOrdProp(TObject* object, std::string_view name, std::int64_t value) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p || !IsOrdinal(*p) || !p->setOrdinal) return false;
  if (p->kind == TPropKind::Enumeration && (value < 0 || value >= std::int64_t(p->identifiers.size())))
    return false;
  p->setOrdinal(*object, value);
  return true;
}

std::string GetEnumProp(const TObject* object, std::string_view name) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p || p->kind != TPropKind::Enumeration || !p->getOrdinal) return {};
  std::int64_t v = p->getOrdinal(*object);
  return v >= 0 && v < std::int64_t(p->identifiers.size()) ? p->identifiers[std::size_t(v)]
                                                           : std::string();
}

bool IdentToOrdinal(const TPropInfo& prop, std::string_view ident, std::int64_t& value) {
  if (prop.kind == TPropKind::Enumeration) {
    for (std::size_t i = 0; i < prop.identifiers.size(); ++i)
      if (SameName(prop.identifiers[i], ident)) {
        value = std::int64_t(i);
        return true;
      }
  } else if (prop.kind == TPropKind::Integer && prop.integerIdents) {
    for (const auto& [n, v] : *prop.integerIdents)
      if (SameName(n, ident)) {
        value = v;
        return true;
      }
  }
  return false;
}

bool SetEnumProp(TObject* object, std::string_view name, std::string_view value) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p || p->kind != TPropKind::Enumeration) return false;
  std::int64_t ordinal = 0;
  std::string text = Trim(value);
  if (!IdentToOrdinal(*p, text, ordinal) && !TryStrToInt64(text, ordinal)) return false;
  return SetOrdProp(object, name, ordinal);
}

bool ParseSetText(const TPropInfo& prop, std::string_view text, std::int64_t& bits) {
  std::string t = Trim(text);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
  bits = 0;
  std::string body = t.substr(1, t.size() - 2);
  std::size_t start = 0;
  while (start <= body.size()) {
    std::size_t comma = body.find(',', start);
    std::string member = Trim(body.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (!member.empty()) {
      bool found = false;
      for (std::size_t i = 0; i < prop.identifiers.size() && i < 63; ++i)
        if (SameName(prop.identifiers[i], member)) {
          bits |= std::int64_t(1) << i;
          found = true;
        }
      if (!found) return false;
    } else if (comma != std::string::npos) {
      return false;
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return true;
}

std::string SetToText(const TPropInfo& prop, std::int64_t bits) {
  std::string out = "[";
  for (std::size_t i = 0; i < prop.identifiers.size() && i < 63; ++i)
    if (bits & (std::int64_t(1) << i)) {
      if (out.size() > 1) out += ",";
      out += prop.identifiers[i];
    }
  return out + "]";
}

std::string GetSetProp(const TObject* object, std::string_view name) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p || p->kind != TPropKind::Set || !p->getOrdinal) return {};
  return SetToText(*p, p->getOrdinal(*object));
}

std::wstring GetStrProp(const TObject* object, std::string_view name) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p) return {};
  if (p->kind == TPropKind::String && p->getString) return p->getString(*object);
  if (p->kind == TPropKind::StringList && p->getObject)
    if (auto* list = dynamic_cast<TStrings*>(p->getObject(*object))) return list->Text();
  return {};
}

bool SetStrProp(TObject* object, std::string_view name, const std::wstring& value) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p) return false;
  if (p->kind == TPropKind::String && p->setString) {
    p->setString(*object, value);
    return true;
  }
  if (p->kind == TPropKind::StringList && p->getObject)
    if (auto* list = dynamic_cast<TStrings*>(p->getObject(*object))) {
      list->SetText(value);
      return true;
    }
  return false;
}

TObject* GetObjectProp(const TObject* object, std::string_view name, const TClassInfo* minClass) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p || (p->kind != TPropKind::Object && p->kind != TPropKind::StringList) || !p->getObject)
    return nullptr;
  TObject* value = p->getObject(*object);
  if (value && minClass && !value->InheritsFrom(*minClass)) return nullptr;
  return value;
}

bool SetObjectProp(TObject* object, std::string_view name, TObject* value) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p || (p->kind != TPropKind::Object && p->kind != TPropKind::StringList) || !p->setObject)
    return false;
  p->setObject(*object, value);
  return true;
}

bool SetMethodProp(TObject* object, std::string_view name, const std::any& handler) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p || p->kind != TPropKind::Event || !p->setEvent) return false;
  if (handler.has_value() && handler.type() != *p->eventType) return false;
  p->setEvent(*object, handler);
  return true;
}

bool IsMethodAssigned(const TObject* object, std::string_view name) {
  const TPropInfo* p = GetPropInfo(object, name);
  return p && p->kind == TPropKind::Event && p->eventAssigned && p->eventAssigned(*object);
}

bool SetPropValue(TObject* object, std::string_view name, std::wstring_view text) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p) return false;
  bool ascii = true;
  std::string narrow = Trim(Narrow(text, ascii));
  std::int64_t v = 0;
  switch (p->kind) {
  case TPropKind::Integer:
    if (!ascii) return false;
    if (!IdentToOrdinal(*p, narrow, v) && !TryStrToInt64(narrow, v)) return false;
    return SetOrdProp(object, name, v);
  case TPropKind::Enumeration:
    return ascii && SetEnumProp(object, name, narrow);
  case TPropKind::Set:
    return ascii && ParseSetText(*p, narrow, v) && SetOrdProp(object, name, v);
  case TPropKind::String:
  case TPropKind::StringList:
    return SetStrProp(object, name, std::wstring(text));
  case TPropKind::Object:
  case TPropKind::Event:
    return false;
  }
  return false;
}

std::wstring GetPropValue(const TObject* object, std::string_view name) {
  const TPropInfo* p = GetPropInfo(object, name);
  if (!p) return {};
  switch (p->kind) {
  case TPropKind::Integer:
    return IntToStr(GetOrdProp(object, name));
  case TPropKind::Enumeration:
    return Utf8ToWide(GetEnumProp(object, name));
  case TPropKind::Set:
    return Utf8ToWide(GetSetProp(object, name));
  case TPropKind::String:
  case TPropKind::StringList:
    return GetStrProp(object, name);
  case TPropKind::Object:
  case TPropKind::Event:
    return {};
  }
  return {};
}

} // namespace vela::ui
