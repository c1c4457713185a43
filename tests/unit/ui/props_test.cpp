// Published properties read and written by name.
#include "tests/unit/ui/test_classes.h"
#include "ui/core/props.h"

#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

TEST(PropertiesByName, MissingPropertiesReadAsZeroOrEmptyAndRefuseWrites) {
  TGadget g(nullptr);
  EXPECT_FALSE(IsPublishedProp(&g, "NumGlyphs"));
  EXPECT_EQ(GetOrdProp(&g, "NumGlyphs"), 0);
  EXPECT_EQ(GetEnumProp(&g, "Layout"), "");
  EXPECT_EQ(GetStrProp(&g, "Caption"), L"");
  EXPECT_EQ(GetSetProp(&g, "Anchors"), "");
  EXPECT_EQ(GetObjectProp(&g, "Glyph"), nullptr);
  EXPECT_EQ(GetPropValue(&g, "Caption"), L"");
  EXPECT_FALSE(SetPropValue(&g, "Transparent", L"True"));
  EXPECT_FALSE(SetOrdProp(&g, "Margin", 3));
  EXPECT_FALSE(SetStrProp(&g, "Caption", L"x"));
  EXPECT_EQ(GetOrdProp(nullptr, "Count"), 0);
  // A property of another kind reads as nothing too.
  EXPECT_EQ(GetStrProp(&g, "Count"), L"");
  EXPECT_EQ(GetEnumProp(&g, "Title"), "");
  EXPECT_EQ(GetOrdProp(&g, "Title"), 0);
}

TEST(PropertiesByName, EnumerationsAndBooleansTakeIdentifiersInAnyCaseOrOrdinals) {
  TGadget g(nullptr);
  EXPECT_TRUE(SetPropValue(&g, "active", L"True"));
  EXPECT_TRUE(g.Active());
  EXPECT_EQ(GetEnumProp(&g, "Active"), "True");
  EXPECT_TRUE(SetPropValue(&g, "Active", L"false"));
  EXPECT_FALSE(g.Active());
  EXPECT_TRUE(SetPropValue(&g, "Shade", L"SHDARK"));
  EXPECT_EQ(g.Shade(), TShade::shDark);
  EXPECT_EQ(GetEnumProp(&g, "shade"), "shDark");
  EXPECT_TRUE(SetEnumProp(&g, "Shade", "2"));
  EXPECT_EQ(g.Shade(), TShade::shNone);
  // Unknown identifiers and ordinals out of range change nothing.
  EXPECT_FALSE(SetPropValue(&g, "Shade", L"shPurple"));
  EXPECT_FALSE(SetEnumProp(&g, "Shade", "3"));
  EXPECT_FALSE(SetPropValue(&g, "Active", L"Yes"));
  EXPECT_EQ(g.Shade(), TShade::shNone);
}

TEST(PropertiesByName, IntegersFromDecimalHexOrNamesAndTheirTextBack) {
  TGadget g(nullptr);
  EXPECT_TRUE(SetPropValue(&g, "Count", L" -42 "));
  EXPECT_EQ(g.Count(), -42);
  EXPECT_EQ(GetPropValue(&g, "Count"), L"-42");
  EXPECT_TRUE(SetPropValue(&g, "Colour", L"16711935"));
  EXPECT_EQ(GetOrdProp(&g, "Colour"), 0xFF00FF);
  EXPECT_TRUE(SetPropValue(&g, "Colour", L"clBlue"));
  EXPECT_EQ(g.Colour(), 0xFF0000);
  EXPECT_TRUE(SetPropValue(&g, "Colour", L"$FF"));
  EXPECT_EQ(g.Colour(), 0xFF);
  EXPECT_FALSE(SetPropValue(&g, "Count", L"12abc"));
  EXPECT_FALSE(SetPropValue(&g, "Count", L"clBlue")); // names belong to Colour only
  EXPECT_FALSE(SetPropValue(&g, "Count", L""));
  EXPECT_EQ(g.Count(), -42);
}

TEST(PropertiesByName, SetsAsBracketedMemberLists) {
  TGadget g(nullptr);
  EXPECT_TRUE(SetPropValue(&g, "Options", L"[goFast, GOLOUD]"));
  EXPECT_EQ(g.Options(), 0b101u);
  EXPECT_EQ(GetSetProp(&g, "Options"), "[goFast,goLoud]");
  EXPECT_TRUE(SetPropValue(&g, "Options", L"[]"));
  EXPECT_EQ(g.Options(), 0u);
  EXPECT_FALSE(SetPropValue(&g, "Options", L"[goFast,goSlow]"));
  EXPECT_FALSE(SetPropValue(&g, "Options", L"goFast"));
  EXPECT_EQ(g.Options(), 0u);
}

TEST(PropertiesByName, StringsStringListsAndObjects) {
  TGadget g(nullptr);
  EXPECT_TRUE(SetPropValue(&g, "Title", L"Local Host IP：")); // full-width colon kept as is
  EXPECT_EQ(g.Title(), L"Local Host IP：");
  EXPECT_TRUE(SetStrProp(&g, "Lines", L"a\r\nb"));
  EXPECT_EQ(g.Lines()->Count(), 2);
  EXPECT_EQ(GetStrProp(&g, "Lines"), L"a\r\nb\r\n");
  EXPECT_EQ(GetObjectProp<TStyle>(&g, "Style"), g.Style());
  EXPECT_EQ(GetObjectProp<TStringList>(&g, "Style"), nullptr); // wrong class filter
  TStyle other;
  other.SetWeight(700);
  EXPECT_TRUE(SetObjectProp(&g, "Style", &other)); // an owned object is copied
  EXPECT_EQ(g.Style()->Weight(), 700);
  EXPECT_NE(g.Style(), &other);
  TGadget buddy(nullptr);
  EXPECT_TRUE(SetObjectProp(&g, "Buddy", &buddy)); // a reference is stored
  EXPECT_EQ(g.Buddy(), &buddy);
  EXPECT_THROW(SetObjectProp(&g, "Buddy", &other), EPropertyError);
  g.SetBuddy(nullptr);
}

TEST(PropertiesByName, EventsTakeHandlersOfExactlyTheirType) {
  TGadget g(nullptr);
  int pings = 0;
  EXPECT_TRUE(SetMethodProp(&g, "OnPing", TNotifyEvent([&](TObject*) { ++pings; })));
  EXPECT_TRUE(IsMethodAssigned(&g, "onping"));
  g.OnPing(&g);
  EXPECT_EQ(pings, 1);
  // A handler of another type is refused and leaves the event as it was.
  EXPECT_FALSE(SetMethodProp(&g, "OnPing", TPokeEvent([](TObject*, int&) {})));
  EXPECT_FALSE(SetMethodProp(&g, "OnPing", 42));
  EXPECT_TRUE(IsMethodAssigned(&g, "OnPing"));
  EXPECT_TRUE(SetMethodProp(&g, "OnPing", std::any()));
  EXPECT_FALSE(IsMethodAssigned(&g, "OnPing"));
  EXPECT_FALSE(SetMethodProp(&g, "OnMissing", std::any()));
  EXPECT_FALSE(IsMethodAssigned(&g, "Count"));
}

TEST(PropertiesByName, SubclassesInheritTheirAncestorsProperties) {
  TBigGadget big(nullptr);
  EXPECT_TRUE(SetPropValue(&big, "Depth", L"3"));
  EXPECT_TRUE(SetPropValue(&big, "Count", L"4"));
  EXPECT_TRUE(SetPropValue(&big, "Name", L"Big1"));
  EXPECT_EQ(big.Depth() + big.Count(), 7);
  EXPECT_EQ(big.Name(), "Big1");
  EXPECT_FALSE(IsPublishedProp(static_cast<TGadget*>(new TGadget(&big)), "Depth"));
  auto names = TBigGadget::StaticClassInfo().AllProperties();
  EXPECT_EQ(names.front()->name, "Name");
  EXPECT_EQ(names.back()->name, "Depth");
}

} // namespace
} // namespace vela::ui::test
