#pragma once
// Reading and writing published properties by name.
//
// None of these throws for a property the object does not publish: a missing property reads
// as 0 or empty and a write to it returns false. Names are compared without case.
//
//   SetPropValue(control, "Transparent", L"True");      // enumeration by identifier
//   SetPropValue(control, "transparentcolor", L"16711935");
//   std::wstring caption = GetStrProp(control, "Caption");
//   auto* font = GetObjectProp<TFont>(control, "Font");
#include "ui/core/classes.h"

#include <any>
#include <cstdint>
#include <string>
#include <string_view>

namespace vela::ui {

const TPropInfo* GetPropInfo(const TObject* object, std::string_view name);
bool IsPublishedProp(const TObject* object, std::string_view name);

// Integer, enumeration ordinal or set bits; 0 for anything else.
std::int64_t GetOrdProp(const TObject* object, std::string_view name);
bool SetOrdProp(TObject* object, std::string_view name, std::int64_t value);

// The identifier of an enumeration's value ("True", "alClient"); empty for anything else.
std::string GetEnumProp(const TObject* object, std::string_view name);
// Accepts an identifier of the enumeration (any case) or the ordinal as decimal text.
bool SetEnumProp(TObject* object, std::string_view name, std::string_view value);

// A set as "[member,member]"; empty for anything else.
std::string GetSetProp(const TObject* object, std::string_view name);

// A string property, or the text of a string-list property; empty for anything else.
std::wstring GetStrProp(const TObject* object, std::string_view name);
bool SetStrProp(TObject* object, std::string_view name, const std::wstring& value);

// The object of an object or string-list property; nullptr when missing or not of minClass.
TObject* GetObjectProp(const TObject* object, std::string_view name, const TClassInfo* minClass = nullptr);
template <class T>
T* GetObjectProp(const TObject* object, std::string_view name) {
  return dynamic_cast<T*>(GetObjectProp(object, name, &T::StaticClassInfo()));
}
bool SetObjectProp(TObject* object, std::string_view name, TObject* value);

// Events: a handler is a std::function of exactly the event's type, held in a std::any (an
// empty one clears the event). False when the event is missing or the handler's type differs.
bool SetMethodProp(TObject* object, std::string_view name, const std::any& handler);
bool IsMethodAssigned(const TObject* object, std::string_view name);

// Writes any property from text: integers from decimal (or '$' hex) text or their names,
// enumerations from identifiers or ordinals, sets from "[a,b]", strings as they are, string
// lists from their text. False when the property is missing or the text does not fit it.
bool SetPropValue(TObject* object, std::string_view name, std::wstring_view text);
// The text form of any property (the inverse of SetPropValue); empty when missing.
std::wstring GetPropValue(const TObject* object, std::string_view name);

// Helpers shared with the form reader.
bool IdentToOrdinal(const TPropInfo& prop, std::string_view ident, std::int64_t& value);
bool ParseSetText(const TPropInfo& prop, std::string_view text, std::int64_t& bits);
std::string SetToText(const TPropInfo& prop, std::int64_t bits);

} // namespace vela::ui
