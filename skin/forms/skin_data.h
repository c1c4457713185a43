#pragma once
// TSkinData: the non-visual component a form carries to be skinned.
//
// It holds the skin (stored in the form's description as the binary property "SkinStream", or
// read from SkinFile at run time), the switches that say what is skinned and, once a skin is
// loaded, the element records every skinner reads. When the form has been read, Loaded()
// registers the component with the process-wide SkinManager, which does the skinning.
//
//   object SkinData1: TSkinData
//     Active = True
//     SkinControls = [xcMainMenu, xcPopupMenu, ...]
//     SkinStream = {...}           // 32-bit length, then the skin file
//   end
#include "skin/controls/skin_control_types.h"
#include "skin/data/skin_elements.h"
#include "skin/forms/skin_class_map.h"
#include "ui/core/component.h"
#include "ui/core/strings.h"
#include "ui/graphics.h"

#include <windows.h>
#include "ui/win_names.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vela::ui {
class TBitmap;
class TImageList;
class TControl;
class TMemoryStream;
class TStream;
} // namespace vela::ui

namespace vela::skin {

enum TSkinOption { xoMDIScrollbar, xoMenuMerge, xoNCPaint };
using TSkinOptions = std::uint32_t;

enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };

class TSkinData;

// Asked before a top-level window of class aName is skinned; clearing DoSkin refuses it.
using TOnFormSkin = std::function<void(ui::TObject* Sender, const std::string& aName, bool& DoSkin)>;
// Offered each control before the built-in control mapping; a handler that sets
// SkinnedControl has skinned the control itself.
using TOnSkinControl =
    std::function<void(ui::TComponent* Sender, TSkinData* SkinData, ui::TControl* Form,
                       ui::TControl* Control, const std::string& ControlClass,
                       ui::TComponent*& SkinnedControl)>;
// Called by the manager's hook for every new top-level window (not published).
using TWindowCreatedEvent = std::function<void(TSkinData* Sender, HWND Window, const std::string& ClassName)>;

class TSkinData : public ui::TComponent {
  VELA_CLASS_INFO
public:
  static constexpr const char* kVersion = "3.02.03.09";
  static constexpr int kDefaultDisableTag = 99;

  explicit TSkinData(ui::TComponent* owner);
  ~TSkinData() override;

  // Published properties, in streaming order.
  bool Active() const { return active_; }
  void SetActive(bool value);
  int DisableTag() const { return disableTag_; }
  void SetDisableTag(int value) { disableTag_ = value; }
  TSkinControls SkinControls() const { return skinControls_; }
  void SetSkinControls(TSkinControls value) { skinControls_ = value; }
  bool HasControl(TSkinControlType type) const { return (skinControls_ & SkinControlBit(type)) != 0; }
  std::uint32_t Options() const { return options_; }
  void SetOptions(std::uint32_t value) { options_ = value; }
  bool HasOption(TSkinOption option) const { return (options_ >> option) & 1u; }
  ui::TStrings* Skin3rd() const { return skin3rd_.get(); }
  void SetSkin3rd(const ui::TStrings* lines);
  std::wstring SkinFile() const { return skinFile_; }
  void SetSkinFile(const std::wstring& path);
  // "(Good)" only at design time with a stored skin; "(none)" otherwise. Writing is ignored.
  std::wstring SkinStore() const;
  void SetSkinStore(const std::wstring&) {}
  TSkinFormType SkinFormtype() const { return formType_; }
  void SetSkinFormtype(TSkinFormType value) { formType_ = value; }
  // Always kVersion; writing is ignored.
  std::wstring Version() const;
  void SetVersion(const std::wstring&) {}
  bool MenuUpdate() const { return menuUpdate_; }
  void SetMenuUpdate(bool value) { menuUpdate_ = value; }
  bool MenuMerge() const { return menuMerge_; }
  void SetMenuMerge(bool value) { menuMerge_ = value; }

  TOnFormSkin OnFormSkin;
  ui::TNotifyEvent OnSkinChanged;
  TOnSkinControl OnSkinControl;
  TWindowCreatedEvent OnWindowCreated;
  // Shows the older-skin message of a package of another version; a message box with the
  // application's title unless replaced.
  std::function<void(const std::wstring&)> ShowMessage;

  // True until a load has completed; while true, Active cannot switch skinning on.
  bool SkinEmpty() const { return skinEmpty_; }
  const TSkinElements& Elements() const { return *elements_; }
  // A solid brush of the skin's ButtonFace colour (the system's before any load).
  HBRUSH FaceBrush() const { return faceBrush_.Get(); }
  // The window icon at caption-button size; filled by the frame skinner.
  ui::TBitmap* DefaultIcon() { return defaultIcon_.get(); }
  // The 16 x 16 menu glyphs cut from the "KILNMENU" bitmap resource: restore, maximise,
  // minimise, close. Empty when the program carries no such resource.
  ui::TImageList* MenuGlyphs() { return menuGlyphs_.get(); }
  // Turned off by the frame skinner while the framework rebuilds the form's menu.
  bool MenuPaint() const { return menuPaint_; }
  void SetMenuPaint(bool value) { menuPaint_ = value; }

  // The stored skin file (empty when none).
  const ui::TMemoryStream& SkinStream() const { return *stored_; }
  // Replaces the stored skin with these bytes and loads it, as reading "SkinStream" does.
  void ReadSkinStream(ui::TStream& stream);
  // Writes the stored form of "SkinStream": a 32-bit length, then the bytes.
  void WriteSkinStream(ui::TStream& stream) const;

  // Loads the stored skin; false when it is not a package of the right version (the older-skin
  // message box was shown) or cannot be read. The elements keep what they held on failure.
  bool LoadSkin();
  // Makes the forms this component already skins pick up a newly loaded skin.
  void ApplySkin();
  // The OnFormSkin decision; doSkin arrives true.
  void DecideFormSkin(const std::string& className, bool& doSkin);
  void NotifySkinChanged();

  void Loaded() override;
  void DefineProperties(ui::TFiler& filer) override;

private:
  bool Designing() const;
  bool Reading() const;
  // The steps of Loaded after the framework's: register with the manager and start skinning.
  void Register();
  void RebuildFaceBrush();
  void LoadMenuGlyphs();

  bool active_ = false;
  int disableTag_ = kDefaultDisableTag;
  TSkinControls skinControls_ = kDefaultSkinControls;
  std::uint32_t options_ = 0;
  std::unique_ptr<ui::TStringList> skin3rd_;
  std::wstring skinFile_;
  TSkinFormType formType_ = TSkinFormType::sfMainform;
  bool menuUpdate_ = true;
  bool menuMerge_ = false;
  bool skinEmpty_ = true;
  bool menuPaint_ = true;

  std::unique_ptr<ui::TMemoryStream> stored_;
  std::unique_ptr<TSkinElements> elements_;
  std::unique_ptr<ui::TBitmap> defaultIcon_;
  std::unique_ptr<ui::TImageList> menuGlyphs_;
  ui::TGdiObject<HBRUSH> faceBrush_;
};

} // namespace vela::skin
