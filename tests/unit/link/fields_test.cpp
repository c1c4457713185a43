#include "link/fields.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vela::link {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Split936(std::string_view text) {
  return SplitFields(text, IsCp936LeadByte);
}

TEST(SplitFieldsTest, BlanksAndCommasSeparateUnquotedFields) {
  EXPECT_THAT(Split936("  CPU V1.0,V2.0\r\n"), ElementsAre("CPU", "V1.0", "V2.0"));
  EXPECT_THAT(Split936("a , b\t,c"), ElementsAre("a", "b", "c"));
  EXPECT_THAT(Split936("\r\n"), ElementsAre());
}

TEST(SplitFieldsTest, QuotedFieldsKeepBlanksCommasAndDoubledQuotes) {
  EXPECT_THAT(Split936("\"My Device\",\"a,b\",\"say \"\"hi\"\"\"\r\n"),
              ElementsAre("My Device", "a,b", "say \"hi\""));
  // A quotation mark inside an unquoted field is an ordinary byte.
  EXPECT_THAT(Split936("ab\"c d"), ElementsAre("ab\"c", "d"));
  // Text right after a closing mark starts the next field.
  EXPECT_THAT(Split936("\"ab\"cd,e"), ElementsAre("ab", "cd", "e"));
  // An unterminated quote runs to the end of the text.
  EXPECT_THAT(Split936("\"open end\r\n"), ElementsAre("open end\r\n"));
}

TEST(SplitFieldsTest, EmptyFieldsBetweenCommasAndTheLastCommaRule) {
  EXPECT_THAT(Split936("a,,b"), ElementsAre("a", "", "b"));
  EXPECT_THAT(Split936(",b"), ElementsAre("", "b"));
  EXPECT_THAT(Split936("a,"), ElementsAre("a", ""));
  // The comma is not the text's last byte when CR LF follows it.
  EXPECT_THAT(Split936("a,\r\n"), ElementsAre("a"));
  EXPECT_THAT(Split936("a, ,b"), ElementsAre("a", "", "b"));
  EXPECT_THAT(Split936("\"\",x"), ElementsAre("", "x"));
}

TEST(SplitFieldsTest, TextEndsAtTheFirstZeroByteAndSplittingAtTheFieldLimit) {
  const std::string text("a,b\0c,d", 7);
  EXPECT_THAT(Split936(text), ElementsAre("a", "b"));
  EXPECT_THAT(SplitFields("a,\"b c\",d,e", IsCp936LeadByte, 2), ElementsAre("a", "b c"));
  EXPECT_THAT(SplitFields("a,", IsCp936LeadByte, 1), ElementsAre("a"));
}

TEST(SplitFieldsTest, TrailBytesThatLookLikeCommasOrQuotesStayInTheirCharacter) {
  // 0x81 0x2C and 0x95 0x22 are double-byte characters in code page 936.
  const std::string comma_trail = "\x81\x2C"
                                  "A,B";
  EXPECT_THAT(Split936(comma_trail), ElementsAre("\x81\x2C"
                                                 "A",
                                                 "B"));
  EXPECT_THAT(SplitFields(comma_trail, IsNeverLeadByte), ElementsAre("\x81", "A", "B"));

  const std::string quote_trail = "\"\x95\x22x\",y";
  EXPECT_THAT(Split936(quote_trail), ElementsAre("\x95\x22x", "y"));
  EXPECT_THAT(SplitFields(quote_trail, IsNeverLeadByte), ElementsAre("\x95", "x\"", "y"));

  // A lead byte at the very end has no trail to take along.
  EXPECT_THAT(Split936("ab\x81"), ElementsAre("ab\x81"));
}

TEST(JoinFieldsTest, QuotesOnlyWhatTheSplitterWouldChangeAndRoundTrips) {
  const std::vector<std::string> fields = {"CPU",    "My Device",        "a,b",  "say \"hi\"", "",
                                           "\"lead", "\x95\x22\xB0\xA1", "x\ty", "\x81\x2C"};
  const std::string joined = JoinFields(fields, IsCp936LeadByte);
  EXPECT_EQ(joined.substr(0, 16), "CPU,\"My Device\",");
  EXPECT_THAT(Split936(joined), ElementsAre("CPU", "My Device", "a,b", "say \"hi\"", "", "\"lead",
                                            "\x95\x22\xB0\xA1", "x\ty", "\x81\x2C"));
  EXPECT_EQ(QuoteField("\x95\x22", IsCp936LeadByte), "\x95\x22");
  EXPECT_EQ(QuoteField("\x95\x22", IsNeverLeadByte), "\"\x95\"\"\"");
}

} // namespace
} // namespace vela::link
