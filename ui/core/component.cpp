#include "ui/core/component.h"

#include <algorithm>

namespace vela::ui {

namespace {

bool IsValidIdent(const std::string& name) {
  if (name.empty()) return false;
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!alpha(name[0])) return false;
  return std::all_of(name.begin(), name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

} // namespace

const TClassInfo& TComponent::StaticClassInfo() {
  using P = PropsOf<TComponent>;
  static const TClassInfo info = [] {
    TPropInfo name;
    name.name = "Name";
    name.kind = TPropKind::String;
    name.getString = [](const TObject& o) { return Utf8ToWide(P::Self(o).Name()); };
    name.setString = [](TObject& o, const std::wstring& v) { P::Self(o).SetName(WideToUtf8(v)); };
    return MakeClassInfo<TComponent>("TComponent", &TPersistent::StaticClassInfo(),
                                     {name, P::Int("Tag", &TComponent::Tag, &TComponent::SetTag)});
  }();
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (notified_) return;
  notified_ = true;
  state_ |= csDestroying;
  // Everyone linked to this component forgets it before it goes.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& back = other->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, TOperation::opRemove);
  }
  if (owner_) owner_->Notification(this, TOperation::opRemove);
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty()) {
    if (!IsValidIdent(name)) throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_) {
      TComponent* same = owner_->FindComponent(name);
      if (same && same != this)
        throw EComponentError("A component named " + name + " already exists");
    }
  }
  name_ = name;
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameName(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (component->owner_) component->owner_->RemoveComponent(component);
  if (!component->name_.empty() && FindComponent(component->name_))
    throw EComponentError("A component named " + component->name_ + " already exists");
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  component->owner_ = nullptr;
  if (!component->notified_) Notification(component, TOperation::opRemove);
}

void TComponent::DestroyComponents() {
  // Re-read the end of the list each time: freeing one component may free others.
  while (!components_.empty()) {
    TComponent* last = components_.back();
    components_.pop_back();
    last->owner_ = nullptr;
    Notification(last, TOperation::opRemove);
    last->BeforeDestruction();
    delete last;
  }
}

void TComponent::Free() {
  BeforeDestruction();
  delete this;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  auto& back = component->freeNotifies_;
  if (std::find(back.begin(), back.end(), this) == back.end()) back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                      freeNotifies_.end());
  if (component) {
    auto& back = component->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
  }
}

void TComponent::Loaded() { state_ &= ~unsigned(csLoading | csReading); }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component) RemoveFreeNotification(component);
  // Copy: a handler may free components of this list.
  std::vector<TComponent*> owned = components_;
  for (TComponent* c : owned)
    if (c != component) c->Notification(component, operation);
}

std::any TComponent::FindMethod(std::string_view name) const {
  auto it = methods_.find(std::string(name));
  return it == methods_.end() ? std::any() : it->second;
}

bool TComponent::AssignField(std::string_view name, TComponent* component) {
  auto it = fields_.find(std::string(name));
  return it == fields_.end() ? true : it->second(component);
}

} // namespace vela::ui
