#pragma once
// Small component classes that publish one property of every kind, for the core's tests.
#include "ui/core/collection.h"
#include "ui/core/component.h"
#include "ui/core/stream.h"
#include "ui/core/strings.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vela::ui::test {

// Records construction and destruction by name, shared by every instance of a test.
using Journal = std::vector<std::string>;

enum class TShade { shLight, shDark, shNone };

class TPart : public TCollectionItem {
  VELA_CLASS_INFO
public:
  explicit TPart(TCollection* c) : TCollectionItem(c) {}
  std::wstring Label() const { return label_; }
  void SetLabel(const std::wstring& v) { label_ = v; }
  int Size() const { return size_; }
  void SetSize(int v) { size_ = v; }

private:
  std::wstring label_;
  int size_ = 0;
};

class TParts : public TTypedCollection<TPart> {
  VELA_CLASS_INFO
};

// Owned sub-object with a property of its own and a stored binary blob ("Data").
class TStyle : public TPersistent {
  VELA_CLASS_INFO
public:
  int Weight() const { return weight_; }
  void SetWeight(int v) { weight_ = v; }
  std::vector<std::uint8_t> data;
  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

private:
  int weight_ = 400;
};

using TPokeEvent = std::function<void(TObject* Sender, int& Count)>;

class TGadget : public TComponent {
  VELA_CLASS_INFO
public:
  explicit TGadget(TComponent* owner);
  ~TGadget() override;

  int Count() const { return count_; }
  void SetCount(int v) { count_ = v; }
  int Colour() const { return colour_; }
  void SetColour(int v) { colour_ = v; }
  bool Active() const { return active_; }
  void SetActive(bool v) { active_ = v; }
  TShade Shade() const { return shade_; }
  void SetShade(TShade v) { shade_ = v; }
  std::uint32_t Options() const { return options_; }
  void SetOptions(std::uint32_t v) { options_ = v; }
  std::wstring Title() const { return title_; }
  void SetTitle(const std::wstring& v) { title_ = v; }
  TStringList* Lines() const { return lines_.get(); }
  TStyle* Style() const { return style_.get(); }
  TParts* Parts() const { return parts_.get(); }
  TGadget* Buddy() const { return buddy_; }
  void SetBuddy(TGadget* b);

  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override { return parent_; }
  void Loaded() override;
  void Notification(TComponent* c, TOperation op) override;
  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnPing;
  TPokeEvent OnPoke;

  Journal* journal = nullptr;                 // when set, records destruction
  static Journal* createdJournal;             // when set, records construction
  TGadget* parent_ = nullptr;
  std::vector<TGadget*> children;
  std::vector<std::string> removed;           // names heard of in opRemove notifications
  bool buddyResolvedAtLoaded = false;
  int loadedCalls = 0;
  std::vector<std::uint8_t> blob;             // the stored "Blob" binary property

private:
  int count_ = 0;
  int colour_ = 0;
  bool active_ = false;
  TShade shade_ = TShade::shLight;
  std::uint32_t options_ = 0;
  std::wstring title_;
  std::unique_ptr<TStringList> lines_;
  std::unique_ptr<TStyle> style_;
  std::unique_ptr<TParts> parts_;
  TGadget* buddy_ = nullptr;
};

// A gadget with one more property, to show inheritance.
class TBigGadget : public TGadget {
  VELA_CLASS_INFO
public:
  explicit TBigGadget(TComponent* owner) : TGadget(owner) {}
  int Depth() const { return depth_; }
  void SetDepth(int v) { depth_ = v; }

private:
  int depth_ = 0;
};

// A root with handlers bound by name.
class TPanelRoot : public TGadget {
  VELA_CLASS_INFO
public:
  explicit TPanelRoot(TComponent* owner);
  TGadget* First = nullptr;
  TBigGadget* Second = nullptr;
  std::vector<std::string> calls;
  void FirstPing(TObject* Sender);
  void SecondPoke(TObject* Sender, int& Count);
  void NotAPing(TObject* Sender, int Extra);
};

} // namespace vela::ui::test
