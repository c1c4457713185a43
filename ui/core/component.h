#pragma once
// Components: objects with an owner, a Name and a Tag.
//
// An owner frees what it owns, in reverse order of creation; a component freed early leaves its
// owner's list. When a component goes away, its owner (which passes the news on to everything
// it owns) and every component that asked for FreeNotification hear Notification(c, opRemove).
//
// A root component (a form) also binds names to C++ members, which is how a form description
// fills the form class's fields and connects events to its handlers:
//
//   TForm1::TForm1(TComponent* owner) : TForm(owner) {
//     BindField("BtnConnect", BtnConnect);                       // TSpeedButton* BtnConnect
//     BindMethod("BtnConnectClick", &TForm1::BtnConnectClick);   // void BtnConnectClick(TObject*)
//     ReadDescription();                                          // see ui/form.h
//   }
//
// A handler's parameters must be exactly those of the event it is bound to.
#include "ui/core/classes.h"
#include "ui/core/text.h"

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vela::ui {

enum TComponentStateBits : unsigned {
  csLoading = 1,     // being read from a description; cleared by Loaded()
  csReading = 2,     // its properties are being read right now
  csDestroying = 4,  // its destruction has begun
  csDesigning = 8,   // never set by this framework at run time; kept for code that asks
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  VELA_CLASS_INFO
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Names are identifiers, unique (without case) among the owner's components. Throws
  // EComponentError otherwise. An empty name is always allowed.
  virtual void SetName(const std::string& name);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  int ComponentCount() const { return int(components_.size()); }
  TComponent* Components(int index) const { return components_.at(std::size_t(index)); }
  int ComponentIndex() const;
  TComponent* FindComponent(std::string_view name) const;

  unsigned ComponentState() const { return state_; }
  bool HasState(unsigned bits) const { return (state_ & bits) != 0; }
  // The form reader marks what it reads; Loaded() clears csLoading.
  void BeginReading() { state_ |= csLoading | csReading; }
  void EndReading() { state_ &= ~unsigned(csReading); }

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, last created first (each hears BeforeDestruction first).
  void DestroyComponents();
  // Runs BeforeDestruction while the whole object still exists, then deletes it. Owners and
  // released forms are freed this way; a plain delete skips BeforeDestruction.
  void Free();
  // Last call before destruction with the object still whole (a form fires OnDestroy here).
  virtual void BeforeDestruction() {}

  // Asks for Notification(this, opRemove) on `component` when this one goes away, and the
  // other way round.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Called after the whole description has been read, once for every component read.
  virtual void Loaded();
  virtual void Notification(TComponent* component, TOperation operation);

  // The component that contains this one in a description (a control's parent).
  virtual void SetParentComponent(TComponent*) {}
  virtual TComponent* GetParentComponent() const { return nullptr; }

  template <class T>
  void BindField(std::string_view name, T*& field) {
    RegisterClass(T::StaticClassInfo());
    fields_[std::string(name)] = [&field](TComponent* c) {
      T* typed = dynamic_cast<T*>(c);
      if (c && !typed) return false;
      field = typed;
      return true;
    };
  }

  template <class C, class... A>
  void BindMethod(std::string_view name, void (C::*method)(A...)) {
    C* self = dynamic_cast<C*>(this);
    if (!self) throw EComponentError("BindMethod: " + ClassName() + " has no such method");
    methods_[std::string(name)] = std::function<void(A...)>(
        [self, method](A... args) { (self->*method)(std::forward<A>(args)...); });
  }

  // Expires when the component has been freed: code that calls a handler which may free the
  // component (a click that closes a window) checks it before touching the component again.
  std::weak_ptr<void> AliveToken() const { return aliveToken_; }

  // The handler bound under `name`, empty when there is none.
  std::any FindMethod(std::string_view name) const;
  // Fills the field bound under `name`. False when the component is not of the field's type;
  // true (nothing done) when no field has that name.
  bool AssignField(std::string_view name, TComponent* component);

protected:
  // Starts destruction: sets csDestroying and sends the remove notifications while the
  // derived object still exists. Destructors of derived classes may call it first; it runs
  // once.
  void Destroying();

private:
  struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const {
      return AsciiLowerCase(a) < AsciiLowerCase(b);
    }
  };

  std::shared_ptr<void> aliveToken_ = std::make_shared<int>(0);
  TComponent* owner_ = nullptr;
  std::string name_;
  int tag_ = 0;
  unsigned state_ = 0;
  bool notified_ = false;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::map<std::string, std::function<bool(TComponent*)>, NameLess> fields_;
  std::map<std::string, std::any, NameLess> methods_;
};

} // namespace vela::ui
