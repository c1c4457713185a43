#include "link/device_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vela::link {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> F(std::initializer_list<const char*> fields) {
  return {fields.begin(), fields.end()};
}

class DeviceListTest : public ::testing::Test {
protected:
  std::string Row(int r) {
    const ListRow& row = model.rows().at(static_cast<std::size_t>(r));
    return row.caption + "|" + row.texts[0] + "|" + row.texts[1] + "|" + row.texts[2] + "|" +
           row.texts[3];
  }
  void Tick(int row) { model.SetTicked(row, true); }

  VectorListModel model;
  DeviceList list{model};
};

TEST_F(DeviceListTest, AnnouncementsBecomeRowsUnderTheLastDeviceName) {
  list.OnCardAnnouncement(F({"Early", "H0", "S0"}));
  list.OnDeviceAnnouncement(F({"Dev1", "H1", "S1", "extra"}));
  list.OnCardAnnouncement(F({"CPU", "H2", "S2"}));
  list.OnDeviceAnnouncement(F({"Dev2", "H3", "S3"}));
  list.OnCardAnnouncement(F({"CPU", "H4", "S4"}));
  EXPECT_EQ(Row(0), "||Early|H0|S0");
  EXPECT_EQ(Row(1), "|Dev1|Main|H1|S1");
  EXPECT_EQ(Row(2), "|Dev1|CPU|H2|S2");
  EXPECT_EQ(Row(4), "|Dev2|CPU|H4|S4");
  EXPECT_FALSE(model.IsTicked(1));
}

TEST_F(DeviceListTest, ShortAnnouncementNamesTheMissingFieldAndAddsNoRow) {
  list.OnDeviceAnnouncement(F({"Old", "H", "S"}));
  try {
    list.OnDeviceAnnouncement(F({"NewName", "H"}));
    FAIL() << "no error";
  } catch (const AnnouncementError& error) {
    EXPECT_EQ(error.missing_index(), 2);
    EXPECT_THAT(error.what(), ::testing::HasSubstr("2"));
  }
  EXPECT_EQ(list.LastDeviceName(), "NewName"); // taken before the versions are read
  EXPECT_THROW(list.OnCardAnnouncement(F({})), AnnouncementError);
  EXPECT_THROW(list.OnDeviceAnnouncement(F({})), AnnouncementError);
  EXPECT_EQ(list.LastDeviceName(), "NewName");
  EXPECT_EQ(model.RowCount(), 1);
}

TEST(CardTypeTest, ComparesTheFirstTwoBytesAndTheBytesFromTheSixthOn) {
  EXPECT_TRUE(SameCardType("Main", "Ma"));
  EXPECT_TRUE(SameCardType("Main", "Maxyz"));
  EXPECT_TRUE(SameCardType("IO123abc", "IO999abc"));
  EXPECT_FALSE(SameCardType("IO123abc", "IO123abd"));
  EXPECT_FALSE(SameCardType("Main", "CPU"));
  EXPECT_FALSE(SameCardType("Maxyz", "Maxyz1"));
  const std::vector<std::string> mixed = {"CPU01", "CPU02", "IO01"};
  EXPECT_FALSE(CardsOfOneType(mixed));
  EXPECT_TRUE(CardsOfOneType(std::span(mixed).first(2)));
}

TEST_F(DeviceListTest, TickRuleUndoesASecondTickOfAnotherType) {
  list.OnDeviceAnnouncement(F({"Dev", "H", "S"}));
  list.OnCardAnnouncement(F({"CPU01", "H", "S"}));
  list.OnCardAnnouncement(F({"Mavis", "H", "S"}));
  Tick(0);
  EXPECT_FALSE(list.ApplyTickRule(0)); // a first tick is always accepted
  EXPECT_FALSE(list.ApplyTickRule(1)); // one ticked: a press on another type changes nothing
  Tick(1);
  EXPECT_TRUE(list.ApplyTickRule(1));
  EXPECT_FALSE(model.IsTicked(1));
  EXPECT_TRUE(model.IsTicked(0));
  Tick(2);
  EXPECT_FALSE(list.ApplyTickRule(2)); // "Mavis" is of the type of "Main"
  // With two ticked, a press on an unticked row of another type still refuses it.
  EXPECT_TRUE(list.ApplyTickRule(1));
  EXPECT_FALSE(model.IsTicked(1));
  EXPECT_FALSE(list.ApplyTickRule(std::nullopt));
  EXPECT_THAT(TickedCardNames(model), ElementsAre("Main", "Mavis"));
}

TEST_F(DeviceListTest, DeviceAnnouncedTwiceIsListedTwiceAndBothRowsCanBeTicked) {
  list.OnDeviceAnnouncement(F({"Dev", "H", "S"}));
  list.OnDeviceAnnouncement(F({"Dev", "H", "S"}));
  Tick(0);
  Tick(1);
  EXPECT_FALSE(list.ApplyTickRule(1));
  EXPECT_EQ(TickedRowCount(model), 2);
}

} // namespace
} // namespace vela::link
