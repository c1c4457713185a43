#include "tests/unit/ui/test_classes.h"

#include "ui/core/props.h"

#include <algorithm>

namespace vela::ui::test {

Journal* TGadget::createdJournal = nullptr;

const TClassInfo& TPart::StaticClassInfo() {
  using P = PropsOf<TPart>;
  static const TClassInfo info =
      MakeClassInfo<TPart>("TPart", &TCollectionItem::StaticClassInfo(),
                           {P::Str("Label", &TPart::Label, &TPart::SetLabel), P::Int("Size", &TPart::Size, &TPart::SetSize)});
  return info;
}

const TClassInfo& TParts::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TParts>("TParts", &TCollection::StaticClassInfo(), {});
  return info;
}

const TClassInfo& TStyle::StaticClassInfo() {
  using P = PropsOf<TStyle>;
  static const TClassInfo info = MakeClassInfo<TStyle>("TStyle", &TPersistent::StaticClassInfo(),
                                                       {P::Int("Weight", &TStyle::Weight, &TStyle::SetWeight)});
  return info;
}

void TStyle::Assign(const TPersistent* source) {
  if (auto* s = dynamic_cast<const TStyle*>(source)) {
    weight_ = s->weight_;
    data = s->data;
    return;
  }
  TPersistent::Assign(source);
}

void TStyle::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty("Data", [this](TStream& s) {
    data.resize(std::size_t(s.Size()));
    s.ReadBuffer(data.data(), data.size());
  });
}

const TClassInfo& TGadget::StaticClassInfo() {
  using P = PropsOf<TGadget>;
  static const TIdentMap colours = {{"clRed", 0xFF}, {"clBlue", 0xFF0000}};
  static const TClassInfo info = MakeClassInfo<TGadget>(
      "TGadget", &TComponent::StaticClassInfo(),
      {P::Int("Count", &TGadget::Count, &TGadget::SetCount),
       P::Int("Colour", &TGadget::Colour, &TGadget::SetColour, &colours),
       P::Bool("Active", &TGadget::Active, &TGadget::SetActive),
       P::Enum<TShade>("Shade", &TGadget::Shade, &TGadget::SetShade, {"shLight", "shDark", "shNone"}),
       P::Set("Options", &TGadget::Options, &TGadget::SetOptions, {"goFast", "goSafe", "goLoud"}),
       P::Str("Title", &TGadget::Title, &TGadget::SetTitle),
       P::Strings<TStringList>("Lines", &TGadget::Lines),
       P::Owned<TStyle>("Style", &TGadget::Style),
       P::Owned<TParts>("Parts", &TGadget::Parts),
       P::Ref<TGadget>("Buddy", &TGadget::Buddy, &TGadget::SetBuddy),
       P::Event("OnPing", &TGadget::OnPing),
       P::Event("OnPoke", &TGadget::OnPoke)});
  return info;
}

TGadget::TGadget(TComponent* owner)
    : TComponent(owner), lines_(std::make_unique<TStringList>()), style_(std::make_unique<TStyle>()),
      parts_(std::make_unique<TParts>()) {
  if (createdJournal) createdJournal->push_back("new " + ClassName());
}

TGadget::~TGadget() {
  if (journal) journal->push_back("delete " + Name());
  if (parent_) {
    auto& siblings = parent_->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  for (TGadget* child : children) child->parent_ = nullptr;
}

void TGadget::SetBuddy(TGadget* b) {
  if (buddy_) buddy_->RemoveFreeNotification(this);
  buddy_ = b;
  if (b) b->FreeNotification(this);
}

void TGadget::SetParentComponent(TComponent* parent) {
  if (auto* g = dynamic_cast<TGadget*>(parent)) {
    parent_ = g;
    g->children.push_back(this);
  }
}

void TGadget::Loaded() {
  TComponent::Loaded();
  ++loadedCalls;
  buddyResolvedAtLoaded = buddy_ != nullptr;
}

void TGadget::Notification(TComponent* c, TOperation op) {
  TComponent::Notification(c, op);
  if (op == TOperation::opRemove) {
    removed.push_back(c->Name());
    if (c == buddy_) buddy_ = nullptr;
  }
}

void TGadget::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty("Blob", [this](TStream& s) {
    std::int32_t n = s.ReadInt32();
    blob.resize(std::size_t(n));
    s.ReadBuffer(blob.data(), blob.size());
  });
}

const TClassInfo& TBigGadget::StaticClassInfo() {
  using P = PropsOf<TBigGadget>;
  static const TClassInfo info = MakeClassInfo<TBigGadget>(
      "TBigGadget", &TGadget::StaticClassInfo(), {P::Int("Depth", &TBigGadget::Depth, &TBigGadget::SetDepth)});
  return info;
}

const TClassInfo& TPanelRoot::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TPanelRoot>("TPanelRoot", &TGadget::StaticClassInfo(), {});
  return info;
}

TPanelRoot::TPanelRoot(TComponent* owner) : TGadget(owner) {
  BindField("First", First);
  BindField("Second", Second);
  BindMethod("FirstPing", &TPanelRoot::FirstPing);
  BindMethod("SecondPoke", &TPanelRoot::SecondPoke);
  BindMethod("NotAPing", &TPanelRoot::NotAPing);
}

void TPanelRoot::FirstPing(TObject* Sender) { calls.push_back("FirstPing from " + static_cast<TComponent*>(Sender)->Name()); }
void TPanelRoot::SecondPoke(TObject*, int& Count) {
  ++Count;
  calls.push_back("SecondPoke");
}
void TPanelRoot::NotAPing(TObject*, int) { calls.push_back("NotAPing"); }

} // namespace vela::ui::test
