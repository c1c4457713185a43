#pragma once
// Collections: ordered lists of items with published properties, stored in a description as
// `Columns = < item ... end item ... end >` (list-view columns, status-bar panels).
//
//   class TStatusPanels : public TOwnedCollection<TStatusPanel> { ... };
//   TStatusPanel* p = bar->Panels()->Add();
//   p->SetWidth(350);
#include "ui/core/classes.h"

#include <functional>
#include <memory>
#include <vector>

namespace vela::ui {

class TCollection;

class TCollectionItem : public TPersistent {
  VELA_CLASS_INFO
public:
  explicit TCollectionItem(TCollection* collection) : collection_(collection) {}
  TCollection* Collection() const { return collection_; }
  int Index() const;
  // Copies every published property from an item of the same class.
  void Assign(const TPersistent* source) override;

protected:
  // Tells the collection (and through it the owner) that this item changed.
  void Changed();

private:
  friend class TCollection;
  TCollection* collection_;
};

class TCollection : public TPersistent {
  VELA_CLASS_INFO
public:
  ~TCollection() override;
  int Count() const { return int(items_.size()); }
  TCollectionItem* Item(int index) const { return items_.at(std::size_t(index)).get(); }
  TCollectionItem* AddItem();
  TCollectionItem* InsertItem(int index);
  void Delete(int index);
  void Clear();
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  // Copies the items of another collection of the same item class, property by property.
  void Assign(const TPersistent* source) override;

  // Called after items were added, removed or changed (item is nullptr for the whole list).
  std::function<void(TCollectionItem* item)> OnUpdate;

protected:
  virtual std::unique_ptr<TCollectionItem> NewItem() = 0;
  virtual void Update(TCollectionItem* item);

private:
  friend class TCollectionItem;
  void Changed(TCollectionItem* item);
  std::vector<std::unique_ptr<TCollectionItem>> items_;
  int updateCount_ = 0;
};

// A collection of one item type.
template <class T>
class TTypedCollection : public TCollection {
public:
  T* Add() { return static_cast<T*>(AddItem()); }
  T* Insert(int index) { return static_cast<T*>(InsertItem(index)); }
  T* Items(int index) const { return static_cast<T*>(Item(index)); }
  T* operator[](int index) const { return Items(index); }

protected:
  std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<T>(this); }
};

} // namespace vela::ui
