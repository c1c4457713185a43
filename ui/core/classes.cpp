#include "ui/core/classes.h"

#include "ui/core/text.h"

#include <map>

namespace vela::ui {

const std::vector<std::string> kBooleanIdents = {"False", "True"};

bool TClassInfo::InheritsFrom(std::string_view className) const {
  for (const TClassInfo* c = this; c; c = c->parent)
    if (SameName(c->name, className)) return true;
  return false;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->parent)
    if (c == &other) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view propName) const {
  for (const TClassInfo* c = this; c; c = c->parent)
    for (const TPropInfo& p : c->properties)
      if (SameName(p.name, propName)) return &p;
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = this; c; c = c->parent) chain.insert(chain.begin(), c);
  std::vector<const TPropInfo*> out;
  for (const TClassInfo* c : chain)
    for (const TPropInfo& p : c->properties) out.push_back(&p);
  return out;
}

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TObject>("TObject", nullptr, {});
  return info;
}

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info =
      MakeClassInfo<TPersistent>("TPersistent", &TObject::StaticClassInfo(), {});
  return info;
}

void TPersistent::Assign(const TPersistent* source) {
  std::string from = source ? source->ClassName() : std::string("nil");
  throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

namespace {

struct NameLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return AsciiLowerCase(a) < AsciiLowerCase(b);
  }
};

std::map<std::string, const TClassInfo*, NameLess>& Registry() {
  static std::map<std::string, const TClassInfo*, NameLess> registry;
  return registry;
}

} // namespace

void RegisterClass(const TClassInfo& info) { Registry()[info.name] = &info; }

const TClassInfo* FindClassInfo(std::string_view className) {
  auto it = Registry().find(std::string(className));
  return it == Registry().end() ? nullptr : it->second;
}

TComponent* CreateComponentByClassName(std::string_view className, TComponent* owner) {
  const TClassInfo* info = FindClassInfo(className);
  if (!info) throw EClassNotFound("Class " + std::string(className) + " not found");
  if (!info->create) throw EComponentError("Class " + info->name + " cannot be created by name");
  return info->create(owner);
}

} // namespace vela::ui
