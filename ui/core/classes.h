#pragma once
// Class identity and published properties.
//
// Every framework class carries a class-info record: its name, its parent's record and the
// properties it publishes. Properties are read and written by name (see ui/core/props.h), which
// is how a form description is applied and how code that knows nothing of a control's C++
// type (the skin engine) reads "Caption", "Font" or "Glyph".
//
// Declaring a class:
//
//   class TGauge : public TGraphicControl {
//     VELA_CLASS_INFO
//     int Progress() const;  void SetProgress(int);
//   };
//   // in the .cpp
//   const TClassInfo& TGauge::StaticClassInfo() {
//     using P = PropsOf<TGauge>;
//     static const TClassInfo info = MakeClassInfo<TGauge>("TGauge", &TGraphicControl::StaticClassInfo(), {
//         P::Int("Progress", &TGauge::Progress, &TGauge::SetProgress),
//     });
//     return info;
//   }
//
// A class whose constructor takes a `TComponent* owner` can be created by name once registered
// (RegisterClass). Properties are inherited: lookups walk the parent records.
#include "ui/core/exceptions.h"

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

namespace vela::ui {

class TObject;
class TComponent;
class TStream;
struct TFormValue;

// The plain event: a handler taking the object that fired it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

enum class TPropKind { Integer, Enumeration, Set, String, StringList, Object, Event };

// Names for integer values, such as colour constants ("clBtnFace").
using TIdentMap = std::vector<std::pair<std::string, std::int64_t>>;

struct TClassInfo;

struct TPropInfo {
  std::string name;
  TPropKind kind = TPropKind::Integer;
  // Enumerations: identifier of each ordinal (Boolean is {"False", "True"}); sets: member of
  // each bit.
  std::vector<std::string> identifiers;
  // Integers that also accept names.
  const TIdentMap* integerIdents = nullptr;
  // Objects and string lists: the class of the value (a function, so that a class may refer
  // to its own kind, as a control's Parent does, while its record is being built).
  const TClassInfo& (*objectClass)() = nullptr;
  // An object property whose object belongs to the owner (Font, Glyph, Lines): writing it
  // copies the value. Otherwise the property refers to a component elsewhere (Images, Menu).
  bool ownsObject = false;

  std::function<std::int64_t(const TObject&)> getOrdinal;
  std::function<void(TObject&, std::int64_t)> setOrdinal;
  std::function<std::wstring(const TObject&)> getString;
  std::function<void(TObject&, const std::wstring&)> setString;
  std::function<TObject*(const TObject&)> getObject;
  std::function<void(TObject&, TObject*)> setObject;
  // Events: the handler arrives type-erased and must hold exactly the event's function type.
  std::function<void(TObject&, const std::any&)> setEvent;
  std::function<bool(const TObject&)> eventAssigned;
  const std::type_info* eventType = nullptr;
};

struct TClassInfo {
  std::string name;
  const TClassInfo* parent = nullptr;
  std::vector<TPropInfo> properties;
  // Creates an instance with the given owner; empty for classes that cannot be made by name.
  std::function<TComponent*(TComponent*)> create;

  bool InheritsFrom(std::string_view className) const; // case-insensitive, includes itself
  bool InheritsFrom(const TClassInfo& other) const;
  const TPropInfo* FindProperty(std::string_view propName) const; // case-insensitive
  // Every property in publishing order, ancestors' first.
  std::vector<const TPropInfo*> AllProperties() const;
};

#define VELA_CLASS_INFO                                                                        \
public:                                                                                        \
  static const ::vela::ui::TClassInfo& StaticClassInfo();                                      \
  const ::vela::ui::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }      \
                                                                                               \
private:

class TObject {
public:
  virtual ~TObject() = default;
  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }

  const std::string& ClassName() const { return ClassInfo().name; }
  bool InheritsFrom(std::string_view className) const { return ClassInfo().InheritsFrom(className); }
  bool InheritsFrom(const TClassInfo& info) const { return ClassInfo().InheritsFrom(info); }
};

// The reader's view of properties that a class stores beside its published ones: a value
// written like any property ("Strings" of a string list) or binary data ("SkinStream").
class TFiler {
public:
  virtual ~TFiler() = default;
  virtual void DefineProperty(std::string_view name, std::function<void(const TFormValue&)> reader) = 0;
  // The reader receives the bytes of the stored data in a stream positioned at 0.
  virtual void DefineBinaryProperty(std::string_view name, std::function<void(TStream&)> reader) = 0;
};

// An object that can copy itself from another and define stored properties of its own.
class TPersistent : public TObject {
  VELA_CLASS_INFO
public:
  // Copies source into this object. The default refuses with EConvertError.
  virtual void Assign(const TPersistent* source);
  virtual void DefineProperties(TFiler&) {}
};

// Class registry: creating components by class name. (<windows.h> may have made RegisterClass
// a macro; the framework's function keeps its name.)
#ifdef RegisterClass
#undef RegisterClass
#endif
void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClassInfo(std::string_view className);
// Throws EClassNotFound for an unknown name and EComponentError for a class that cannot be
// made by name.
TComponent* CreateComponentByClassName(std::string_view className, TComponent* owner);

template <class C>
TClassInfo MakeClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> props) {
  TClassInfo info;
  info.name = std::move(name);
  info.parent = parent;
  info.properties = std::move(props);
  if constexpr (std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>)
    info.create = [](TComponent* owner) -> TComponent* { return new C(owner); };
  return info;
}

extern const std::vector<std::string> kBooleanIdents;

// Builders of property records for class C. Getters and setters are member functions (any
// return type convertible to the property's value type).
template <class C>
struct PropsOf {
  static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
  static C& Self(TObject& o) { return static_cast<C&>(o); }

  template <class G, class S>
  static TPropInfo Int(std::string name, G get, S set, const TIdentMap* idents = nullptr) {
    TPropInfo p;
    p.name = std::move(name);
    p.kind = TPropKind::Integer;
    p.integerIdents = idents;
    p.getOrdinal = [get](const TObject& o) { return std::int64_t((Self(o).*get)()); };
    p.setOrdinal = [set](TObject& o, std::int64_t v) { (Self(o).*set)(static_cast<int>(v)); };
    return p;
  }

  template <class G, class S>
  static TPropInfo Bool(std::string name, G get, S set) {
    TPropInfo p;
    p.name = std::move(name);
    p.kind = TPropKind::Enumeration;
    p.identifiers = kBooleanIdents;
    p.getOrdinal = [get](const TObject& o) { return std::int64_t((Self(o).*get)() ? 1 : 0); };
    p.setOrdinal = [set](TObject& o, std::int64_t v) { (Self(o).*set)(v != 0); };
    return p;
  }

  // E is an enumeration whose ordinals index `idents`.
  template <class E, class G, class S>
  static TPropInfo Enum(std::string name, G get, S set, std::vector<std::string> idents) {
    TPropInfo p;
    p.name = std::move(name);
    p.kind = TPropKind::Enumeration;
    p.identifiers = std::move(idents);
    p.getOrdinal = [get](const TObject& o) { return std::int64_t((Self(o).*get)()); };
    p.setOrdinal = [set](TObject& o, std::int64_t v) { (Self(o).*set)(static_cast<E>(v)); };
    return p;
  }

  // A set is a bit mask; bit n is member idents[n].
  template <class G, class S>
  static TPropInfo Set(std::string name, G get, S set, std::vector<std::string> idents) {
    TPropInfo p;
    p.name = std::move(name);
    p.kind = TPropKind::Set;
    p.identifiers = std::move(idents);
    p.getOrdinal = [get](const TObject& o) { return std::int64_t((Self(o).*get)()); };
    p.setOrdinal = [set](TObject& o, std::int64_t v) { (Self(o).*set)(static_cast<std::uint32_t>(v)); };
    return p;
  }

  template <class G, class S>
  static TPropInfo Str(std::string name, G get, S set) {
    TPropInfo p;
    p.name = std::move(name);
    p.kind = TPropKind::String;
    p.getString = [get](const TObject& o) { return std::wstring((Self(o).*get)()); };
    p.setString = [set](TObject& o, const std::wstring& v) { (Self(o).*set)(v); };
    return p;
  }

  // An object the owner keeps (Font, Glyph, Lines, Columns): writing copies with Assign.
  template <class T, class G>
  static TPropInfo Owned(std::string name, G get) {
    TPropInfo p;
    p.name = std::move(name);
    p.kind = TPropKind::Object;
    p.objectClass = &T::StaticClassInfo;
    p.ownsObject = true;
    p.getObject = [get](const TObject& o) -> TObject* { return (const_cast<C&>(Self(o)).*get)(); };
    p.setObject = [get](TObject& o, TObject* v) {
      T* target = (Self(o).*get)();
      if (target) target->Assign(dynamic_cast<const TPersistent*>(v));
    };
    return p;
  }

  // A string list the owner keeps.
  template <class T, class G>
  static TPropInfo Strings(std::string name, G get) {
    TPropInfo p = Owned<T>(std::move(name), get);
    p.kind = TPropKind::StringList;
    return p;
  }

  // A reference to an object kept elsewhere (Images, Menu, PopupMenu).
  template <class T, class G, class S>
  static TPropInfo Ref(std::string name, G get, S set) {
    TPropInfo p;
    p.name = std::move(name);
    p.kind = TPropKind::Object;
    p.objectClass = &T::StaticClassInfo;
    p.getObject = [get](const TObject& o) -> TObject* { return (Self(o).*get)(); };
    p.setObject = [set](TObject& o, TObject* v) {
      T* typed = dynamic_cast<T*>(v);
      if (v && !typed)
        throw EPropertyError("A " + v->ClassName() + " cannot be assigned to a " +
                             T::StaticClassInfo().name + " property");
      (Self(o).*set)(typed);
    };
    return p;
  }

  // F is the std::function type of the event field.
  template <class F>
  static TPropInfo Event(std::string name, F C::*field) {
    TPropInfo p;
    p.name = std::move(name);
    p.kind = TPropKind::Event;
    p.eventType = &typeid(F);
    std::string propName = p.name;
    p.setEvent = [field, propName](TObject& o, const std::any& handler) {
      if (!handler.has_value()) {
        Self(o).*field = nullptr;
      } else if (const F* typed = std::any_cast<F>(&handler)) {
        Self(o).*field = *typed;
      } else {
        throw EPropertyError("The handler does not have the parameters of event " + propName);
      }
    };
    p.eventAssigned = [field](const TObject& o) { return bool(Self(o).*field); };
    return p;
  }
};

} // namespace vela::ui
