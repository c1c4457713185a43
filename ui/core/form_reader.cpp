#include "ui/core/form_reader.h"

#include "ui/core/collection.h"
#include "ui/core/component.h"
#include "ui/core/props.h"
#include "ui/core/stream.h"
#include "ui/core/strings.h"

#include <functional>
#include <vector>

namespace vela::ui {

namespace {

// Collects the stored properties an object defines beside its published ones.
class DefinedProperties : public TFiler {
public:
  explicit DefinedProperties(std::string_view wanted) : wanted_(wanted) {}
  void DefineProperty(std::string_view name, std::function<void(const TFormValue&)> reader) override {
    if (SameName(name, wanted_)) valueReader = std::move(reader);
  }
  void DefineBinaryProperty(std::string_view name, std::function<void(TStream&)> reader) override {
    if (SameName(name, wanted_)) binaryReader = std::move(reader);
  }
  std::function<void(const TFormValue&)> valueReader;
  std::function<void(TStream&)> binaryReader;

private:
  std::string wanted_;
};

class FormReader {
public:
  explicit FormReader(TComponent* root) : root_(root) {}

  void Read(const TFormObject& description) {
    if (!description.className.empty() && !root_->InheritsFrom(description.className))
      throw EReadError("The description is of class " + description.className + ", not " + root_->ClassName());
    root_->BeginReading();
    loaded_.push_back(root_);
    if (!description.name.empty()) root_->SetName(description.name);
    ReadBody(root_, description);
    ResolveReferences();
    for (TComponent* c : loaded_) c->EndReading();
    // Loaded may create or free components; the list is of those read.
    for (TComponent* c : loaded_) c->Loaded();
  }

private:
  void ReadBody(TComponent* instance, const TFormObject& description) {
    context_ = description.name.empty() ? instance->ClassName() : description.name;
    for (const TFormProperty& prop : description.properties) ReadProperty(instance, prop);
    for (const TFormObject& child : description.children) ReadChild(instance, child);
  }

  void ReadChild(TComponent* parent, const TFormObject& description) {
    TComponent* child = nullptr;
    try {
      child = CreateComponentByClassName(description.className, root_);
      child->BeginReading();
      loaded_.push_back(child);
      child->SetName(description.name);
    } catch (const Exception& e) {
      throw EReadError("Error reading " + description.name + " (line " + std::to_string(description.line) +
                       "): " + e.what());
    }
    if (!root_->AssignField(description.name, child))
      throw EReadError("Error reading " + description.name + ": the form's field " + description.name +
                       " is not of class " + description.className);
    child->SetParentComponent(parent);
    ReadBody(child, description);
  }

  void ReadProperty(TObject* instance, const TFormProperty& prop) {
    try {
      ApplyPath(instance, prop.name, prop.value);
    } catch (const EReadError&) {
      throw;
    } catch (const Exception& e) {
      throw EReadError("Error reading " + context_ + "." + prop.name + " (line " + std::to_string(prop.line) +
                       "): " + e.what());
    }
  }

  void ApplyPath(TObject* instance, const std::string& path, const TFormValue& value) {
    std::size_t dot = path.find('.');
    std::string head = path.substr(0, dot);
    if (dot != std::string::npos) {
      const TPropInfo* p = instance->ClassInfo().FindProperty(head);
      TObject* inner = nullptr;
      if (p && (p->kind == TPropKind::Object || p->kind == TPropKind::StringList) && p->getObject)
        inner = p->getObject(*instance);
      if (!inner) throw EPropertyError("Property " + head + " does not exist or holds no object");
      return ApplyPath(inner, path.substr(dot + 1), value);
    }
    if (const TPropInfo* p = instance->ClassInfo().FindProperty(head)) return Apply(instance, *p, value);
    if (auto* persistent = dynamic_cast<TPersistent*>(instance)) {
      DefinedProperties defined(head);
      persistent->DefineProperties(defined);
      if (defined.binaryReader) {
        if (value.kind != TFormValue::Kind::Binary) throw EPropertyError(head + " expects binary data");
        TMemoryStream stream(value.binary);
        defined.binaryReader(stream);
        return;
      }
      if (defined.valueReader) return defined.valueReader(value);
    }
    throw EPropertyError("Property " + head + " does not exist");
  }

  static std::string KindMismatch(const TPropInfo& p) { return "Invalid value for property " + p.name; }

  void Apply(TObject* instance, const TPropInfo& p, const TFormValue& value) {
    using K = TFormValue::Kind;
    std::int64_t ordinal = 0;
    switch (p.kind) {
    case TPropKind::Integer:
      if (value.kind == K::Integer) ordinal = value.integer;
      else if (value.kind != K::Identifier || !IdentToOrdinal(p, value.identifier, ordinal))
        throw EPropertyError(KindMismatch(p));
      if (ordinal < INT32_MIN || ordinal > UINT32_MAX) throw EPropertyError(KindMismatch(p));
      p.setOrdinal(*instance, std::int64_t(std::int32_t(std::uint32_t(ordinal))));
      return;
    case TPropKind::Enumeration:
      if (value.kind == K::Identifier && IdentToOrdinal(p, value.identifier, ordinal)) {
      } else if (value.kind == K::Integer && value.integer >= 0 &&
                 value.integer < std::int64_t(p.identifiers.size())) {
        ordinal = value.integer;
      } else {
        throw EPropertyError(KindMismatch(p));
      }
      p.setOrdinal(*instance, ordinal);
      return;
    case TPropKind::Set: {
      if (value.kind != K::Set) throw EPropertyError(KindMismatch(p));
      std::string text = "[";
      for (const std::string& m : value.setMembers) text += m + ",";
      if (text.size() > 1) text.pop_back();
      if (!ParseSetText(p, text + "]", ordinal)) throw EPropertyError(KindMismatch(p));
      p.setOrdinal(*instance, ordinal);
      return;
    }
    case TPropKind::String:
      if (value.kind == K::String) p.setString(*instance, value.string);
      else if (value.kind == K::Integer) p.setString(*instance, IntToStr(value.integer));
      else throw EPropertyError(KindMismatch(p));
      return;
    case TPropKind::StringList:
    case TPropKind::Object:
      return ApplyObject(instance, p, value);
    case TPropKind::Event:
      return ApplyEvent(instance, p, value);
    }
  }

  void ApplyObject(TObject* instance, const TPropInfo& p, const TFormValue& value) {
    using K = TFormValue::Kind;
    TObject* target = p.getObject ? p.getObject(*instance) : nullptr;
    if (value.kind == K::Collection) {
      auto* collection = dynamic_cast<TCollection*>(target);
      if (!collection) throw EPropertyError(KindMismatch(p));
      collection->BeginUpdate();
      collection->Clear();
      for (const TFormItem& item : value.items) {
        TCollectionItem* made = collection->AddItem();
        for (const TFormProperty& prop : item.properties) ReadProperty(made, prop);
      }
      collection->EndUpdate();
      return;
    }
    if (value.kind == K::List) {
      auto* list = dynamic_cast<TStrings*>(target);
      if (!list) throw EPropertyError(KindMismatch(p));
      DefinedProperties defined("Strings");
      list->DefineProperties(defined);
      defined.valueReader(value);
      return;
    }
    if (value.kind == K::Identifier && !p.ownsObject) {
      // A reference to a component by name; resolved when every component exists.
      references_.push_back({instance, &p, value.identifier, context_});
      return;
    }
    throw EPropertyError(KindMismatch(p));
  }

  void ApplyEvent(TObject* instance, const TPropInfo& p, const TFormValue& value) {
    if (value.kind != TFormValue::Kind::Identifier) throw EPropertyError(KindMismatch(p));
    if (SameName(value.identifier, "nil")) {
      p.setEvent(*instance, std::any());
      return;
    }
    std::any handler = root_->FindMethod(value.identifier);
    if (!handler.has_value())
      throw EPropertyError("Method " + value.identifier + " not found in " + root_->ClassName());
    p.setEvent(*instance, handler);
  }

  void ResolveReferences() {
    for (const Reference& r : references_) {
      TObject* target = nullptr;
      if (!SameName(r.name, "nil")) {
        target = SameName(r.name, root_->Name()) ? root_ : root_->FindComponent(r.name);
        if (!target) throw EReadError("Error reading " + r.context + "." + r.prop->name + ": component " + r.name + " not found");
      }
      try {
        r.prop->setObject(*r.instance, target);
      } catch (const Exception& e) {
        throw EReadError("Error reading " + r.context + "." + r.prop->name + ": " + e.what());
      }
    }
  }

  struct Reference {
    TObject* instance;
    const TPropInfo* prop;
    std::string name;
    std::string context;
  };

  TComponent* root_;
  std::string context_;
  std::vector<TComponent*> loaded_;
  std::vector<Reference> references_;
};

} // namespace

void ReadComponent(TComponent* root, const TFormObject& description) {
  if (!root) throw EReadError("No component to read into");
  FormReader(root).Read(description);
}

void ReadComponentFromText(TComponent* root, std::string_view text) {
  ReadComponent(root, ParseFormText(text));
}

} // namespace vela::ui
