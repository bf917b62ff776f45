#include <gtest/gtest.h>

#include "net/message_codec.h"
#include "text/cp1251.h"
#include "text/program_error.h"

namespace solvar::net {
namespace {

using Messages = std::vector<std::string>;

TEST(MessageCodec, BuildsTheWireTexts) {
  EXPECT_EQ(PairMessage(TagMe, 31, 31), "ME31~31");
  EXPECT_EQ(PairMessage(TagPo, 12, 7), "PO12~7");
  const std::string ds = TextMessage(TagDs, DisconnectText);
  EXPECT_EQ(ds, "DS\xD0\xE0\xE7\xF0\xFB\xE2 \xF1\xE2\xFF\xE7\xE8...");
  EXPECT_EQ(text::Cp1251ToUtf8(Payload(ds)), "Разрыв связи...");
  EXPECT_EQ(TextMessage(TagMs, ""), "MS");
}

TEST(MessageCodec, EncodesEveryMessageTheProgramSends) {
  EXPECT_EQ(StartMessage(true, 45, 35), "ME45~35");
  EXPECT_EQ(StartMessage(false, 15, 20), "YO15~20");
  EXPECT_EQ(MoveMessage(12, 7), "PO12~7");
  EXPECT_EQ(ResultMessage(3, 1), "LU");
  EXPECT_EQ(ResultMessage(1, 3), "WI");
  EXPECT_EQ(ResultMessage(2, 2), "DR");
  EXPECT_EQ(ChatMessage("да"), "MS\xE4\xE0");
  EXPECT_EQ(text::Cp1251ToUtf8(Payload(RefusalMessage())), RefusalText);
  EXPECT_EQ(DisconnectMessage(), TextMessage(TagDs, DisconnectText));
}

TEST(MessageCodec, PairsConvertOrRaiseTheConversionError) {
  EXPECT_EQ(ParsePair("12~7").First, 12);
  EXPECT_EQ(ParsePair("12~7").Second, 7);
  EXPECT_EQ(ParsePair("-1~40").First, -1);
  EXPECT_THROW(ParsePair("127"), text::ConversionError);    // no "~": the first number is empty
  EXPECT_THROW(ParsePair("1~2~3"), text::ConversionError);  // the second is all after the first "~"
  EXPECT_THROW(ParsePair("1~2DS"), text::ConversionError);
  EXPECT_THROW(ParsePair("x~2"), text::ConversionError);
}

TEST(MessageCodec, OneReadIsOneMessageUnlessAPairOrAFragmentIsFollowedByATag) {
  EXPECT_EQ(SplitRead("PO12~7"), Messages{"PO12~7"});
  EXPECT_EQ(SplitRead("PO12~7MShello"), (Messages{"PO12~7", "MShello"}));
  EXPECT_EQ(SplitRead("ME31~31PO5~5LU"), (Messages{"ME31~31", "PO5~5", "LU"}));
  EXPECT_EQ(SplitRead("PO1~2PO3~4"), (Messages{"PO1~2", "PO3~4"}));
  // The rest does not start with a tag: one message, which then fails to convert.
  EXPECT_EQ(SplitRead("PO12~7xyz"), Messages{"PO12~7xyz"});
  // A result notice with the disconnect notice after it stays one message.
  EXPECT_EQ(SplitRead("LUDSabc"), Messages{"LUDSabc"});
  EXPECT_EQ(SplitRead("MStext PO1~2"), Messages{"MStext PO1~2"});
  // A pair that does not read fails alone; the move after it is kept.
  EXPECT_EQ(SplitRead("POa~bPO7~7"), (Messages{"POa~b", "PO7~7"}));
  EXPECT_EQ(SplitRead("PO12~7xyzMSx"), (Messages{"PO12~7xyz", "MSx"}));
  // The tail of a message cut apart goes alone, ahead of the next tag.
  EXPECT_EQ(SplitRead("~bPO7~7"), (Messages{"~b", "PO7~7"}));
  EXPECT_EQ(SplitRead("junk"), Messages{"junk"});
  EXPECT_TRUE(SplitRead("").empty());
}

TEST(MessageCodec, TagsAreExactAndCaseSensitive) {
  EXPECT_TRUE(StartsWithTag("DS...", TagDs));
  EXPECT_FALSE(StartsWithTag("ds...", TagDs));
  EXPECT_FALSE(StartsWithKnownTag("XX"));
  EXPECT_FALSE(StartsWithKnownTag("P"));
  EXPECT_EQ(Payload("LU"), "");
}

TEST(IsValidIPv4, AcceptsFourPartsUpTo255) {
  EXPECT_TRUE(IsValidIPv4("192.168.0.5"));
  EXPECT_TRUE(IsValidIPv4("127.0.0.1"));
  EXPECT_TRUE(IsValidIPv4("1.2.3.4."));
  EXPECT_FALSE(IsValidIPv4("192.168.0.256"));
  EXPECT_FALSE(IsValidIPv4("1.2.3"));
  EXPECT_FALSE(IsValidIPv4("1.2.3.4.5"));
  EXPECT_FALSE(IsValidIPv4("1.-2.3.4"));
  EXPECT_FALSE(IsValidIPv4(""));
}

TEST(IsValidIPv4, PartThatIsNotANumberRaisesTheConversionError) {
  EXPECT_THROW(IsValidIPv4("1..2.3"), text::ConversionError);
  EXPECT_THROW(IsValidIPv4("localhost"), text::ConversionError);
  EXPECT_THROW(IsValidIPv4("1.2.3.4 "), text::ConversionError);
  try {
    IsValidIPv4(text::Utf8ToCp1251("1.два.3.4"));
  } catch (const text::ConversionError& e) {
    EXPECT_STREQ(e.what(), "'два' is not a valid integer value");
  }
}

}  // namespace
}  // namespace solvar::net
