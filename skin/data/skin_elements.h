#pragma once
// Every element of a skin, and the one call that loads them all from a package and its
// description. The skin data component owns a TSkinElements and runs LoadSkinElements on each
// load; tools and tests load a skin file with LoadSkinFile.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "skin/data/caption_buttons.h"
#include "skin/data/colours.h"
#include "skin/data/combo_composite.h"
#include "skin/data/element_loaders.h"
#include "skin/data/elements.h"
#include "skin/data/quick_ini.h"
#include "skin/data/skin_reader.h"

namespace vela::skin {

// The six track-bar thumbs, in loading order.
enum class TrackbarThumb { Horz, Vert, Left, Right, Up, Down };
constexpr int kTrackbarThumbCount = 6;
// Their sections, indexed by TrackbarThumb.
constexpr std::array<std::string_view, kTrackbarThumbCount> kTrackbarThumbSections = {
    "Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft",
    "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown"};

struct TSkinElements {
  TSkinElements() = default;
  TSkinElements(const TSkinElements&) = delete;
  TSkinElements& operator=(const TSkinElements&) = delete;

  // Always present, overwritten in place by each load.
  TDataSkinBorder Left{"Left"};
  TDataSkinBorder Right{"Right"};
  TDataSkinBorder Top{"Top"};
  TDataSkinBorder Bottom{"Bottom"};
  TDataSkinButton Buttons{"Buttons"};
  TDataSkinTitle Title{"Title"};
  // The kept caption-button sections in file order, then the three MDI buttons.
  TCaptionButtons CaptionButtons;

  // Optional elements: an empty slot is an element the skin does not have.
  std::unique_ptr<TDataSkinBorder> Progress;
  std::unique_ptr<TDataSkinObject> MenuBar;
  std::unique_ptr<TDataSkinObject> GroupBoxEdge;
  std::unique_ptr<TDataSkinBoxLabel> GroupBox;
  std::unique_ptr<TDataSkinObject> Toolbars;
  std::unique_ptr<TDataSkinBorder> Tabs;
  std::unique_ptr<TDataSkinObject> StatusBarEdges;
  std::unique_ptr<TDataSkinBorder> ComboButton;
  std::unique_ptr<TDataSkinObject> SunkEdge;
  std::unique_ptr<TDataSkinObject> ExtraImages;
  std::unique_ptr<TDataSkinObject> Headerbar;
  std::unique_ptr<TDataSkinObject> MenuItem;
  std::unique_ptr<TDataSkinObject> MenuBackground;
  std::unique_ptr<TDataSkinObject> Scrollbar;
  std::unique_ptr<TDataSkinObject> HorzScroll;
  std::unique_ptr<TDataSkinObject> VertScroll;
  std::unique_ptr<TDataSkinObject> HorzScrollThumb;
  std::unique_ptr<TDataSkinObject> VertScrollThumb;
  std::array<std::unique_ptr<TDataSkinObject>, kTrackbarThumbCount> TrackbarThumbs;
  std::unique_ptr<TDataSkinBorder> UpDownHorz;
  std::unique_ptr<TDataSkinBorder> UpDownVert;

  TSkinColours Colours;
  TCustomColours CustomColours = DefaultCustomColours();
  std::string SkinName;

  const TDataSkinObject* TrackbarThumbElement(TrackbarThumb which) const {
    return TrackbarThumbs[std::size_t(which)].get();
  }
};

struct SkinLoadOptions {
  // The system's horizontal scroll-arrow width; the combo composite's button is 2 wider.
  int ScrollArrowWidth = kDefaultScrollArrowWidth;
  // Shows the package reader's older-skin message (LoadSkinFile only); nothing when empty.
  std::function<void(std::string_view)> ShowMessage;
  // Hears of every part of the skin the load could not use (an image that does not load, a
  // package that does not open, a description that is missing or too long), for tools that
  // check skins. The elements loaded are the same with or without it.
  SkinProblemSink Report;
};

// No real description comes near this (a skin's INI text is a few kilobytes); a longer one is
// not read, so that lookups stay cheap however long a hostile package makes it.
constexpr std::size_t kMaxDescriptionSize = 1 << 20;

// Loads every element, in the skin's loading order: the skin name, the frame borders, the
// colours and custom colours, the caption and MDI buttons, the push button, the title, the
// optional elements, the final frame counts and the combo composite. Never fails: whatever
// the description or the package lacks leaves an element absent, an image empty or a field at
// its default.
void LoadSkinElements(const TSkinReader& package, const TQuickIni& ini, TSkinElements& elements,
                      const SkinLoadOptions& options = {});

// Sets every present element's cell count from the element table; the skin's own value is
// kept only where the table names a key (frame borders, caption buttons, scroll thumbs). The
// push button's mark strips get theirs from their width when the skin gives none.
void ApplyFrameCounts(const TQuickIni& ini, TSkinElements& elements);

// The cell count of a check or radio strip whose count the skin does not give: its width
// divided by the cell width (13 for strips under 16 pixels high, else 16), at least 4.
std::int32_t MarkStripFrames(const Bitmap& strip);

enum class SkinLoadResult {
  Loaded,
  WrongVersion, // the package is of another version; nothing was loaded
  Damaged,      // the file does not expand or its package structure does not hold
};

// The whole path from a skin file: expand it, read the package, find the ".ini" member, load
// every element. On a failure the elements keep what they held. A missing description, or one
// longer than kMaxDescriptionSize, loads as an empty one. An allocation failure of the
// decompressor propagates as ElzhException.
SkinLoadResult LoadSkinFile(std::span<const std::uint8_t> skinFile, TSkinElements& elements,
                            const SkinLoadOptions& options = {});

} // namespace vela::skin
