// Extension flag / checksum texts, the version entry, and the established timing
// codecs against the reference decoder's text.
#include <gtest/gtest.h>

#include "core/common/text.h"
#include "core/sections/checksum.h"
#include "core/sections/established.h"
#include "core/sections/version.h"
#include "support/corpus.h"
#include "support/reference.h"

namespace edid {
namespace {

TEST(VersionAndChecksum, ExtensionTextsAndABrokenChecksum) {
  Image image = test::corpusImage(test::corpusIds().front());
  image.setByte(126, 0);
  EXPECT_EQ(checksum::extensionBlocksText(image), "No Extension EDID Block(s)\r\n");
  image.setByte(126, 1);
  EXPECT_EQ(checksum::extensionFlagCaption(image), "Extended Flag = 1");
  EXPECT_EQ(checksum::extensionBlocksText(image), "(01) Extension EDID Block(s)\r\n");
  image.setByte(126, 0xFF);
  EXPECT_EQ(checksum::extensionFlagCaption(image), "Extended Flag = 255");
  EXPECT_EQ(checksum::extensionBlocksText(image), "(255) Extension EDID Block(s)\r\n");
  EXPECT_EQ(checksum::checksumCaption(image), "CheckSum Is Invalid");
  EXPECT_FALSE(checksum::decode(image).valid);
  image.setByte(127, image.correctChecksum());
  EXPECT_EQ(checksum::checksumCaption(image), "CheckSum OK");
}

TEST(VersionEntry, AcceptsZeroTo255AndRefusesTheRest) {
  EXPECT_EQ(*version::encode(19, "2"), (CellWrites{{19, "02"}}));
  EXPECT_EQ(*version::encode(18, "255"), (CellWrites{{18, "FF"}}));
  EXPECT_EQ(*version::encode(18, "254.5"), (CellWrites{{18, "FF"}}));  // halves away from zero
  EXPECT_EQ(*version::encode(18, "1.4"), (CellWrites{{18, "01"}}));
  for (const char* bad : {"256", "-1", "255.5", "1e9"})
    EXPECT_EQ(version::encode(18, bad).error(), "This value must value between 0 and 255") << bad;
}

// Every established timing is the one the reference decoder names for that bit.
TEST(EstablishedTimings, NamesMatchTheReferenceDecoder) {
  int compared = 0;
  for (const auto& id : test::corpusIds()) {
    const std::string text = test::referenceText(id);
    // One text is in an older layout without the base block's sections.
    if (text.find("Block 0, Base EDID:") == std::string::npos) continue;
    const Image image = test::corpusImage(id);
    std::string ours;
    for (int byte : {35, 36, 37}) ours += established::reportText(image, byte) + "\n";
    const auto named = test::namedTimings(ours), reference = test::referenceEstablished(text);
    EXPECT_TRUE(test::sameTimings(named, reference))
        << id << "\n ours:      " << test::describe(named)
        << "\n reference: " << test::describe(reference);
    ++compared;
  }
  EXPECT_GE(compared, 399);
}

// Round trip over every byte value: setting each bit back from the decoded checks
// rebuilds the byte, and nothing but two upper-case hex digits is written.
TEST(EstablishedTimings, EveryByteValueRoundTripsThroughTheCheckBoxes) {
  for (int value = 0; value < 256; ++value) {
    for (int byte : {35, 36}) {
      Image image;
      image.setByte(byte, value);
      const auto checks = established::checks(image, byte);
      Image rebuilt;
      rebuilt.setByte(byte, 0);
      for (int i = 0; i < 8; ++i)
        rebuilt.apply(established::setBit(rebuilt, byte, i, checks[static_cast<std::size_t>(i)]));
      EXPECT_EQ(rebuilt.cell(byte), ByteToHex(value));
    }
  }
}

}  // namespace
}  // namespace edid
