// Menu shortcuts: the text shown after a menu item's caption and its reading back.
#include "ui/core/shortcut.h"

#include <gtest/gtest.h>

namespace vela::ui {
namespace {

constexpr unsigned kF5 = 0x74;
constexpr unsigned kDelete = 0x2E;

struct ShortCutCase {
  TShortCut shortCut;
  const wchar_t* text;
};

const ShortCutCase kCases[] = {
    {ShortCut('S', scCtrl), L"Ctrl+S"},
    {ShortCut('7', scAlt), L"Alt+7"},
    {ShortCut(kF5, scShift | scCtrl), L"Shift+Ctrl+F5"},
    {ShortCut(kDelete, scNone), L"Del"},
    {ShortCut(0x7B, scCtrl | scAlt), L"Ctrl+Alt+F12"},
    {ShortCut(0xBD, scCtrl), L"Ctrl+-"},
};

TEST(ShortCutText, NamesModifiersInFixedOrderThenTheKey) {
  for (const ShortCutCase& c : kCases) EXPECT_EQ(ShortCutToText(c.shortCut), c.text) << c.text;
}

TEST(ShortCutText, ReadsBackWhatItWrites) {
  for (const ShortCutCase& c : kCases) EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
}

TEST(ShortCutText, ReadingIgnoresCaseBlanksAndModifierOrder) {
  EXPECT_EQ(TextToShortCut(L" ctrl + shift + f5 "), ShortCut(kF5, scShift | scCtrl));
  EXPECT_EQ(TextToShortCut(L"alt+ctrl+del"), ShortCut(kDelete, scCtrl | scAlt));
}

TEST(ShortCutText, NothingForNoKeyOrAnUnknownName) {
  EXPECT_EQ(ShortCutToText(scNone), L"");
  EXPECT_EQ(ShortCutToText(ShortCut(0xE7, scCtrl)), L"");   // a key without a name
  EXPECT_EQ(TextToShortCut(L""), scNone);
  EXPECT_EQ(TextToShortCut(L"Ctrl+"), scNone);
  EXPECT_EQ(TextToShortCut(L"Ctrl+Banana"), scNone);
}

TEST(ShortCutText, StoredValueKeepsOnlyKeyAndModifiers) {
  // A description stores the shortcut as an integer; bits beyond the key and the modifiers
  // are not part of it.
  EXPECT_EQ(ShortCut(0x153, scCtrl | 0x1000), ShortCut(0x53, scCtrl));
  EXPECT_EQ(16467, ShortCut('S', scCtrl));
}

} // namespace
} // namespace vela::ui
