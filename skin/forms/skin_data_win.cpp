#include "skin/forms/skin_data.h"

#include "skin/data/skin_elements_win.h"
#include "skin/data/skin_text_win.h"
#include "skin/forms/skin_manager.h"
#include "ui/bitmap.h"
#include "ui/core/stream.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/image_list.h"

#include <filesystem>
#include <system_error>

namespace vela::skin {

namespace {

const std::vector<std::string> kSkinControlIdents = {
    "xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar", "xcCombo",
    "xcCheckBox", "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton",
    "xcBitBtn", "xcSpeedButton", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab",
    "xcSystemMenu", "xcFastReport"};
const std::vector<std::string> kOptionIdents = {"xoMDIScrollbar", "xoMenuMerge", "xoNCPaint"};
const std::vector<std::string> kFormTypeIdents = {"sfMainform", "sfOnlyThisForm", "sfDialog"};

constexpr wchar_t kMenuGlyphResource[] = L"KILNMENU";
constexpr int kMenuGlyphSize = 16;
constexpr ui::TColor kMenuGlyphMask = 0xFFFFFF;

TSkinManage& Manager() {
  if (!SkinManager) SkinManager = new TSkinManage;
  return *SkinManager;
}

} // namespace

const ui::TClassInfo& TSkinData::StaticClassInfo() {
  using P = ui::PropsOf<TSkinData>;
  static const ui::TClassInfo info = ui::MakeClassInfo<TSkinData>(
      "TSkinData", &ui::TComponent::StaticClassInfo(),
      {P::Bool("Active", &TSkinData::Active, &TSkinData::SetActive),
       P::Int("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag),
       P::Set("SkinControls", &TSkinData::SkinControls, &TSkinData::SetSkinControls, kSkinControlIdents),
       P::Set("Options", &TSkinData::Options, &TSkinData::SetOptions, kOptionIdents),
       P::Strings<ui::TStrings>("Skin3rd", &TSkinData::Skin3rd),
       P::Str("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile),
       P::Str("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore),
       P::Enum<TSkinFormType>("SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype,
                              kFormTypeIdents),
       P::Str("Version", &TSkinData::Version, &TSkinData::SetVersion),
       P::Bool("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate),
       P::Bool("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge),
       P::Event("OnFormSkin", &TSkinData::OnFormSkin),
       P::Event("OnSkinChanged", &TSkinData::OnSkinChanged),
       P::Event("OnSkinControl", &TSkinData::OnSkinControl)});
  return info;
}

TSkinData::TSkinData(ui::TComponent* owner)
    : ui::TComponent(owner),
      ShowMessage([](const std::wstring& text) { ui::ShowMessage(text); }),
      skin3rd_(std::make_unique<ui::TStringList>()),
      stored_(std::make_unique<ui::TMemoryStream>()),
      elements_(std::make_unique<TSkinElements>()),
      defaultIcon_(std::make_unique<ui::TBitmap>()),
      menuGlyphs_(std::make_unique<ui::TImageList>(nullptr)) {
  for (const std::wstring& line : BuiltInSkin3rd()) skin3rd_->Add(line);
  RebuildFaceBrush();
  LoadMenuGlyphs();
}

TSkinData::~TSkinData() {
  Destroying();
  menuGlyphs_.reset();
  skin3rd_.reset();
  if (SkinManager) SkinManager->UnregisterSkinData(this);
}

bool TSkinData::Designing() const { return HasState(ui::csDesigning); }
bool TSkinData::Reading() const { return HasState(ui::csLoading | ui::csReading); }

std::wstring TSkinData::SkinStore() const {
  return Designing() && stored_->Size() > 0 ? L"(Good)" : L"(none)";
}

std::wstring TSkinData::Version() const { return ui::Utf8ToWide(kVersion); }

void TSkinData::SetSkin3rd(const ui::TStrings* lines) { skin3rd_->Assign(lines); }

void TSkinData::LoadMenuGlyphs() {
  menuGlyphs_->SetSize(kMenuGlyphSize, kMenuGlyphSize);
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (!FindResourceW(module, kMenuGlyphResource, MAKEINTRESOURCEW(2) /* RT_BITMAP */)) return;
  ui::TBitmap strip;
  strip.LoadFromResourceName(module, kMenuGlyphResource);
  menuGlyphs_->AddMasked(strip, kMenuGlyphMask);
}

void TSkinData::RebuildFaceBrush() {
  faceBrush_.Reset(CreateSolidBrush(ui::ColorToRGB(elements_->Colours.ButtonFace)));
}

// ---- the stored skin

void TSkinData::DefineProperties(ui::TFiler& filer) {
  filer.DefineBinaryProperty("SkinStream", [this](ui::TStream& stream) { ReadSkinStream(stream); });
}

void TSkinData::ReadSkinStream(ui::TStream& stream) {
  std::int32_t n = stream.ReadInt32();
  if (n <= 0) return;
  if (n > stream.Size() - stream.Position())
    throw ui::EReadError("SkinStream: the stored length exceeds the data");
  stored_->Clear();
  stored_->CopyFrom(stream, n);
  stored_->SetPosition(0);
  if (!Designing()) LoadSkin();
}

void TSkinData::WriteSkinStream(ui::TStream& stream) const {
  stream.WriteInt32(std::int32_t(stored_->Size()));
  if (stored_->Size() > 0) stream.WriteBuffer(stored_->Memory(), std::size_t(stored_->Size()));
}

bool TSkinData::LoadSkin() {
  if (Designing()) return false;
  skinEmpty_ = true;
  TSkinReader reader;
  reader.ShowMessage = [this](std::string_view text) {
    if (ShowMessage) ShowMessage(AnsiToWide(text));
  };
  MemoryStream source(std::span<const std::uint8_t>(stored_->Memory(), std::size_t(stored_->Size())));
  if (!reader.LoadPackage(source)) return false;

  MemoryStream description;
  std::string descriptionName;
  reader.ExtractFirstMatching(".ini", description, descriptionName);
  description.SetPosition(0);
  TQuickIni ini;
  ini.LoadFromStream(description);

  LoadSkinElements(reader, ini, *elements_, SystemSkinLoadOptions());
  RebuildFaceBrush();
  skinEmpty_ = false;
  return true;
}

void TSkinData::SetSkinFile(const std::wstring& path) {
  skinEmpty_ = true;
  skinFile_ = path;
  if (Designing()) {
    if (!path.empty()) stored_->Clear();
    return;
  }
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(std::filesystem::path(path), error)) return;
  ui::TMemoryStream file;
  file.LoadFromFile(path);
  stored_->Clear();
  stored_->CopyFrom(file, 0);
  stored_->SetPosition(0);
  LoadSkin();
  if (formType_ == TSkinFormType::sfMainform) ApplySkin();
}

// ---- registration and switching

void TSkinData::Loaded() {
  ui::TComponent::Loaded();
  if (!Designing()) Register();
}

void TSkinData::Register() {
  TSkinManage& manager = Manager();
  manager.RegisterSkinData(this);
  if (formType_ != TSkinFormType::sfMainform) {
    manager.Active = true;
    manager.ActivationState += 1;
    if (auto* form = dynamic_cast<ui::TCustomForm*>(Owner())) manager.AttachWindow(form->Handle());
    return;
  }
  manager.InstallHook();
  if (active_) {
    if (skinEmpty_) active_ = false;
    else manager.ScheduleAction(saSkin, TSkinManage::kActionDelay);
  }
  if (!HasControl(xcMainMenu)) skinControls_ &= ~SkinControlBit(xcSystemMenu);
  else skinControls_ &= ~SkinControlBit(xcMenuItem);
}

void TSkinData::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (Designing() || Reading()) return;
  if (!SkinManager) Register();
  TSkinManage& manager = *SkinManager;
  switch (formType_) {
  case TSkinFormType::sfMainform:
    if (value) {
      if (skinEmpty_) return;
      manager.ScheduleAction(saSkin, TSkinManage::kActionDelay);
      manager.ActivationState = asActivated;
    } else {
      manager.ScheduleAction(saUnskin, TSkinManage::kActionDelay);
    }
    manager.PendingSkinData = this;
    break;
  case TSkinFormType::sfOnlyThisForm:
    manager.PendingSkinData = this;
    if (!(value && skinEmpty_)) manager.ScheduleAction(value ? saSkin : saUnskin, TSkinManage::kActionDelay);
    break;
  case TSkinFormType::sfDialog:
    break;
  }
}

void TSkinData::ApplySkin() {
  if (Designing() || Reading()) return;
  if (!SkinManager) Register();
  TSkinManage& manager = *SkinManager;
  manager.PendingSkinData = this;
  manager.RefreshFormSkins();
  if (manager.ActivationState == asActivated) manager.ScheduleAction(saSkinChanged, TSkinManage::kActionDelay);
}

void TSkinData::DecideFormSkin(const std::string& className, bool& doSkin) {
  if (OnFormSkin) {
    OnFormSkin(this, className, doSkin);
    return;
  }
  if (className == "SysMonthCal32") doSkin = false;
  if (className.rfind("Tfr", 0) == 0 && HasControl(xcFastReport)) doSkin = false;
}

void TSkinData::NotifySkinChanged() {
  if (OnSkinChanged) OnSkinChanged(this);
}

} // namespace vela::skin
