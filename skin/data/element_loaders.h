#pragma once
// The loaders that fill element records from a skin's INI description and bitmap members.
//
// Every loader reads one section. The optional elements live in slots: a loader first frees
// what the slot holds, then leaves it empty when the section does not name the element's
// image. The always-present elements (frame borders, push button, title) are overwritten in
// place. Nothing here fails: a missing key keeps its default and a missing or unreadable
// bitmap leaves the image empty (and is told to the source's report, when it has one).
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "skin/data/colours.h"
#include "skin/data/elements.h"
#include "skin/data/quick_ini.h"
#include "skin/data/skin_reader.h"

namespace vela::skin {

// The pixels one skin load may decode in all. Real skins stay far below it (a few hundred
// thousand pixels); a hostile package that names huge images again and again gets empty
// images once it is spent, instead of making the loader allocate gigabytes.
constexpr std::int64_t kSkinPixelBudget = std::int64_t(1) << 25;

class PixelBudget {
public:
  explicit PixelBudget(std::int64_t total = kSkinPixelBudget) : remaining_(total) {}
  // Takes the pixels of `bitmap` from the budget; false, taking nothing, when they do not fit.
  bool Take(const Bitmap& bitmap) {
    const std::int64_t pixels = std::int64_t(bitmap.Width()) * bitmap.Height();
    if (pixels > remaining_) return false;
    remaining_ -= pixels;
    return true;
  }
  std::int64_t Remaining() const { return remaining_; }

private:
  std::int64_t remaining_;
};

// Something a load could not use, for the skin's author: where it is (an image key as
// "[Section] Key=value", a member name or the package) and what is wrong with it. The programs
// see the same elements whether anyone listens or not.
struct SkinLoadProblem {
  std::string Where;
  std::string What;
};
using SkinProblemSink = std::function<void(const SkinLoadProblem&)>;

// The image members one load has decoded, by lower-cased member name, with why a member could
// not be used. A member named by many keys is decoded once, so that a description cannot make
// the load decode one costly member again and again.
struct DecodedMember {
  Bitmap Image;
  std::string Problem;
};
using DecodedMembers = std::unordered_map<std::string, DecodedMember>;

// What the loaders read from: the package's members, its description, the skin's ButtonText
// colour (the default of every element's text colours), the load's pixel budget and decoded
// members, and where problems are reported (each of the last three: none when null).
struct ElementSource {
  const TSkinReader& Package;
  const TQuickIni& Ini;
  ColourCode ButtonText = clBtnText;
  PixelBudget* Budget = nullptr;
  DecodedMembers* Decoded = nullptr;
  const SkinProblemSink* Report = nullptr;
};

// The member an image value names: its file-name part (after the last "\" or ":"), or an
// empty text when that part is empty or does not end in exactly ".bmp".
std::string SkinImageMember(std::string_view value);

// Loads the image an image key names into `bitmap`; clears it when the value names no ".bmp"
// member, the member is missing, damaged or empty, it does not decode, or its pixels exceed
// what is left of `budget`. Returns why the image is empty, or an empty text when it loaded or
// the value is empty. Members already in `decoded` are not decoded again; new ones are added.
std::string LoadSkinBitmap(const TSkinReader& package, Bitmap& bitmap, std::string_view value,
                           PixelBudget* budget = nullptr, DecodedMembers* decoded = nullptr);

// LoadSkinBitmap of the value of `key` in `section`, from the source's package, within its
// budget; a problem goes to the source's report.
void LoadSkinImage(const ElementSource& source, Bitmap& bitmap, std::string_view section,
                   std::string_view key);

// The plain element: "Image", the margins, "Style", "Trans", "Tile" (above 1 reads as 0) and
// the text colours.
void LoadPlainElement(const ElementSource& source, std::string_view section,
                      std::unique_ptr<TDataSkinObject>& slot);

// As the plain element without "Style", plus the second image from `secondImageKey` (none when
// that key is empty).
void LoadBorderedElement(const ElementSource& source, std::string_view section,
                         std::string_view secondImageKey, std::unique_ptr<TDataSkinBorder>& slot);

// The progress bar: "Bitmap" and "Chunk", the margins, "Style", "Trans" and "Tile" as read.
void LoadProgressElement(const ElementSource& source, std::string_view section,
                         std::unique_ptr<TDataSkinBorder>& slot);

// The group-box label: the plain element plus the background alignment and shifts.
void LoadBoxLabelElement(const ElementSource& source, std::string_view section,
                         std::unique_ptr<TDataSkinBoxLabel>& slot);

// The menu bar from section "Personality", key "menuBar". Its left and right margin fields
// carry the "TileLeftMenu" and "TileRightMenu" flags.
void LoadMenuBarElement(const ElementSource& source, std::unique_ptr<TDataSkinObject>& slot);

// One of the frame borders "Left", "Right", "Top" or "Bottom" (the record's Name), from
// section "Personality" with keys formed from the name ("TopTopHeight", "TopFrame", ...).
void LoadFrameBorder(const ElementSource& source, TDataSkinBorder& border);

// The push button of section "Buttons" with its check and radio strips.
void LoadPushButton(const ElementSource& source, TDataSkinButton& buttons);

// The caption text of section "Personality" ("TextBack", the text placement, the colours) and
// the font height of section "Fonts".
void LoadTitle(const ElementSource& source, TDataSkinTitle& title);

// The combo button's strip always holds this many cells.
constexpr std::int32_t kComboButtonFrames = 4;

// Gives the combo button its second image: its own strip with every cell mirrored left to
// right (the button for a box whose scroll bar is on the left). The cells keep their order, so
// cell k is still the look of state k.
void MirrorComboButton(TDataSkinBorder& comboButton);

} // namespace vela::skin
