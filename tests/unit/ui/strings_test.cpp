// String lists, text conversion and integer parsing.
#include "ui/core/strings.h"
#include "ui/core/text.h"

#include <gtest/gtest.h>

namespace vela::ui {
namespace {

TEST(StringLists, TextSplitsAtEveryKindOfLineBreakAndJoinsWithCrLf) {
  TStringList list;
  list.SetText(L"one\r\ntwo\nthree\rfour\r\n\r\nsix");
  ASSERT_EQ(list.Count(), 6);
  EXPECT_EQ(list[3], L"four");
  EXPECT_EQ(list[4], L"");
  EXPECT_EQ(list.Text(), L"one\r\ntwo\r\nthree\r\nfour\r\n\r\nsix\r\n");
  list.SetText(L"");
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringLists, NameValueLinesLookUpWithoutCase) {
  TStringList list;
  list.Add(L"TComboboxex=combobox");
  list.Add(L"TAdvPageControl=nil");
  EXPECT_EQ(list.Values(L"tcomboboxex"), L"combobox");
  EXPECT_EQ(list.Names(1), L"TAdvPageControl");
  EXPECT_EQ(list.Values(L"TMissing"), L"");
  list.SetValue(L"TAdvPageControl", L"");
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.IndexOf(L"TCOMBOBOXEX=COMBOBOX"), 0);
}

TEST(StringLists, ChangesAreAnnouncedOnceForABatch) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.Add(L"a");
  EXPECT_EQ(changes, 1);
  TStringList other;
  other.Add(L"x");
  other.Add(L"y");
  list.Assign(&other);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(list.Equals(other));
  EXPECT_THROW(list.Get(2), EStringListError);
  EXPECT_THROW(list.Insert(5, L"z"), EStringListError);
}

TEST(TextConversion, IntegersAcceptDecimalAndHexAndNameTheBadText) {
  EXPECT_EQ(StrToInt(L"5000"), 5000);
  EXPECT_EQ(StrToInt(L" -7 "), -7);
  EXPECT_EQ(StrToInt(L"$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt(L"0x10"), 16);
  try {
    StrToInt(L"50a0");
    FAIL() << "no error for a non-integer";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), L"'50a0' is not a valid integer value");
  }
  int v = 0;
  EXPECT_FALSE(TryStrToInt(L"4294967296", v));
  EXPECT_FALSE(TryStrToInt(L"2147483648", v));
  EXPECT_FALSE(TryStrToInt(L"５", v)); // a full-width digit is not a digit here
}

TEST(TextConversion, Utf8AndUtf16RoundTripIncludingAstralAndMalformedInput) {
  std::wstring wide = L"Connect！内容回显：\U0001F600";
  EXPECT_EQ(Utf8ToWide(WideToUtf8(wide)), wide);
  EXPECT_EQ(Utf8ToWide("\xE5\x86"), L"\uFFFD\uFFFD");  // truncated sequence
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");  // overlong form
}

} // namespace
} // namespace vela::ui
