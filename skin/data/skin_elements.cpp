#include "skin/data/skin_elements.h"

#include "skin/data/element_loaders.h"
#include "skin/data/memory_stream.h"

namespace vela::skin {
namespace {

// Cell counts fixed by the element table.
constexpr std::int32_t kButtonsFrames = 5;
constexpr std::int32_t kTitleFrames = 2;
constexpr std::int32_t kProgressFrames = 2;
constexpr std::int32_t kMenuBarFrames = 2;
constexpr std::int32_t kScrollbarFrames = 23;
constexpr std::int32_t kTrackbarThumbFrames = 5;
constexpr std::int32_t kUpDownFrames = 8;
constexpr std::int32_t kScrollThumbDefaultFrames = 3;

void LoadOptionalElements(const ElementSource& s, TSkinElements& e) {
  LoadProgressElement(s, "Progress", e.Progress);
  LoadMenuBarElement(s, e.MenuBar);
  LoadPlainElement(s, "GroupBoxEdge", e.GroupBoxEdge);
  LoadBoxLabelElement(s, "GroupBox", e.GroupBox);
  LoadPlainElement(s, "Toolbars", e.Toolbars);
  LoadBorderedElement(s, "Tabs", "Border", e.Tabs);
  LoadPlainElement(s, "StatusBarEdges", e.StatusBarEdges);
  LoadBorderedElement(s, "ComboButton", "", e.ComboButton);
  if (e.ComboButton) MirrorComboButton(*e.ComboButton);
  LoadPlainElement(s, "SunkEdge", e.SunkEdge);
  LoadPlainElement(s, "ExtraImages", e.ExtraImages);
  LoadPlainElement(s, "Headerbar", e.Headerbar);
  LoadPlainElement(s, "MenuItem", e.MenuItem);
  LoadPlainElement(s, "MenuBackground", e.MenuBackground);
  LoadPlainElement(s, "Scrollbar", e.Scrollbar);
  LoadPlainElement(s, "HorzScroll", e.HorzScroll);
  LoadPlainElement(s, "VertScroll", e.VertScroll);
  LoadPlainElement(s, "HorzScrollThumb", e.HorzScrollThumb);
  LoadPlainElement(s, "VertScrollThumb", e.VertScrollThumb);
  for (int i = 0; i < kTrackbarThumbCount; ++i)
    LoadPlainElement(s, kTrackbarThumbSections[std::size_t(i)], e.TrackbarThumbs[std::size_t(i)]);
  LoadBorderedElement(s, "UpDown.Horz", "GlyphImage", e.UpDownHorz);
  LoadBorderedElement(s, "UpDown.Vert", "GlyphImage", e.UpDownVert);
}

template <typename Element>
void SetFrames(const std::unique_ptr<Element>& slot, std::int32_t frames) {
  if (slot) slot->FrameCount = frames;
}

} // namespace

std::int32_t MarkStripFrames(const Bitmap& strip) {
  const int cellWidth = strip.Height() < 16 ? 13 : 16;
  return std::max<std::int32_t>(strip.Width() / cellWidth, 4);
}

void ApplyFrameCounts(const TQuickIni& ini, TSkinElements& e) {
  e.Buttons.FrameCount = kButtonsFrames;
  if (e.Buttons.RadioButtonFrame == 0) e.Buttons.RadioButtonFrame = MarkStripFrames(e.Buttons.RadioBitmap);
  if (e.Buttons.CheckButtonFrame == 0) e.Buttons.CheckButtonFrame = MarkStripFrames(e.Buttons.CheckBitmap);
  e.Title.FrameCount = kTitleFrames;
  SetFrames(e.Progress, kProgressFrames);
  SetFrames(e.MenuBar, kMenuBarFrames);
  SetFrames(e.GroupBoxEdge, 2);
  SetFrames(e.GroupBox, 1);
  SetFrames(e.Toolbars, 5);
  SetFrames(e.Tabs, 5);
  SetFrames(e.StatusBarEdges, 3);
  SetFrames(e.ComboButton, kComboButtonFrames);
  SetFrames(e.SunkEdge, 4);
  SetFrames(e.ExtraImages, 5);
  SetFrames(e.Headerbar, 5);
  SetFrames(e.MenuItem, 5);
  SetFrames(e.MenuBackground, 1);
  SetFrames(e.Scrollbar, kScrollbarFrames);
  SetFrames(e.HorzScroll, 4);
  SetFrames(e.VertScroll, 4);
  SetFrames(e.HorzScrollThumb,
            ini.ReadInteger("HorzScrollThumb", "FrameCount", kScrollThumbDefaultFrames));
  SetFrames(e.VertScrollThumb,
            ini.ReadInteger("VertScrollThumb", "FrameCount", kScrollThumbDefaultFrames));
  for (auto& thumb : e.TrackbarThumbs) SetFrames(thumb, kTrackbarThumbFrames);
  SetFrames(e.UpDownHorz, kUpDownFrames);
  SetFrames(e.UpDownVert, kUpDownFrames);
}

void LoadSkinElements(const TSkinReader& package, const TQuickIni& ini, TSkinElements& e,
                      const SkinLoadOptions& options) {
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  e.SkinName = ini.ReadString("TitlebarSkin", "SkinName", "");

  PixelBudget budget;
  DecodedMembers decoded;
  const SkinProblemSink* report = options.Report ? &options.Report : nullptr;
  // The colours are not known yet while the borders load; they read none.
  const ElementSource borders{package, ini, clBtnText, &budget, &decoded, report};
  for (TDataSkinBorder* border : {&e.Left, &e.Right, &e.Top, &e.Bottom})
    LoadFrameBorder(borders, *border);

  e.Colours = LoadSkinColours(ini);
  e.CustomColours = LoadCustomColours(ini);
  const ElementSource s{package, ini, e.Colours.ButtonText, &budget, &decoded, report};

  LoadCaptionButtons(s, sections, e.CaptionButtons);
  LoadPushButton(s, e.Buttons);
  LoadTitle(s, e.Title);
  LoadOptionalElements(s, e);
  ApplyFrameCounts(ini, e);
  BuildComboComposite(e.SunkEdge.get(), e.ComboButton.get(), e.ExtraImages.get(),
                      options.ScrollArrowWidth);
}

SkinLoadResult LoadSkinFile(std::span<const std::uint8_t> skinFile, TSkinElements& elements,
                            const SkinLoadOptions& options) {
  const auto report = [&options](std::string where, std::string what) {
    if (options.Report) options.Report(SkinLoadProblem{std::move(where), std::move(what)});
  };
  TSkinReader package;
  package.ShowMessage = options.ShowMessage;
  MemoryStream source(skinFile);
  if (!package.LoadPackage(source)) {
    const bool wrongVersion = package.Status() == PackageStatus::WrongVersion;
    report("package", wrongVersion ? std::string(TSkinReader::kOlderSkinMessage) + " (" +
                                         package.Problem() + ")"
                                   : "damaged: " + package.Problem());
    return wrongVersion ? SkinLoadResult::WrongVersion : SkinLoadResult::Damaged;
  }
  MemoryStream description;
  std::string descriptionName;
  if (!package.ExtractFirstMatching(".ini", description, descriptionName)) {
    report("package", "no readable member whose name contains \".ini\"");
  } else if (description.Size() > kMaxDescriptionSize) {
    report(descriptionName, std::to_string(description.Size()) + " bytes, more than the " +
                                std::to_string(kMaxDescriptionSize) + " a description may hold");
    description.Clear();
  }
  description.SetPosition(0);
  TQuickIni ini;
  ini.LoadFromStream(description);
  LoadSkinElements(package, ini, elements, options);
  return SkinLoadResult::Loaded;
}

} // namespace vela::skin
