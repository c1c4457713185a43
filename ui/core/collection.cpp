#include "ui/core/collection.h"

#include "ui/core/props.h"

namespace vela::ui {

const TClassInfo& TCollectionItem::StaticClassInfo() {
  static const TClassInfo info =
      MakeClassInfo<TCollectionItem>("TCollectionItem", &TPersistent::StaticClassInfo(), {});
  return info;
}

const TClassInfo& TCollection::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TCollection>("TCollection", &TPersistent::StaticClassInfo(), {});
  return info;
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  for (int i = 0; i < collection_->Count(); ++i)
    if (collection_->Item(i) == this) return i;
  return -1;
}

void TCollectionItem::Assign(const TPersistent* source) {
  if (!source || &source->ClassInfo() != &ClassInfo()) return TPersistent::Assign(source);
  for (const TPropInfo* p : ClassInfo().AllProperties()) {
    switch (p->kind) {
    case TPropKind::Integer:
    case TPropKind::Enumeration:
    case TPropKind::Set:
      if (p->getOrdinal && p->setOrdinal) p->setOrdinal(*this, p->getOrdinal(*source));
      break;
    case TPropKind::String:
      if (p->getString && p->setString) p->setString(*this, p->getString(*source));
      break;
    case TPropKind::StringList:
    case TPropKind::Object:
      if (p->getObject && p->setObject) p->setObject(*this, p->getObject(*source));
      break;
    case TPropKind::Event:
      break;
    }
  }
  Changed();
}

void TCollectionItem::Changed() {
  if (collection_) collection_->Changed(this);
}

TCollection::~TCollection() {
  OnUpdate = nullptr;
  items_.clear();
}

TCollectionItem* TCollection::AddItem() { return InsertItem(Count()); }

TCollectionItem* TCollection::InsertItem(int index) {
  if (index < 0 || index > Count()) throw EInvalidOperation("Collection index out of bounds");
  auto item = NewItem();
  TCollectionItem* raw = item.get();
  items_.insert(items_.begin() + index, std::move(item));
  Changed(nullptr);
  return raw;
}

void TCollection::Delete(int index) {
  if (index < 0 || index >= Count()) throw EInvalidOperation("Collection index out of bounds");
  items_.erase(items_.begin() + index);
  Changed(nullptr);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed(nullptr);
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
  if (updateCount_ == 0) Update(item);
}

void TCollection::Update(TCollectionItem* item) {
  if (OnUpdate) OnUpdate(item);
}

void TCollection::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TCollection*>(source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  BeginUpdate();
  items_.clear();
  for (int i = 0; i < other->Count(); ++i) AddItem()->Assign(other->Item(i));
  EndUpdate();
}

} // namespace vela::ui
