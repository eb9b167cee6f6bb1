#include <gtest/gtest.h>

#include "core/cta/cta861.h"
#include "support/corpus.h"

namespace edid {
namespace {

// Block 1 of 1B2A4BE6467A (02 03 72 F1: data blocks from byte 4 to 113, a video
// block 5E at byte 4 of 30 bytes) with bytes changed by hand. Each row: the
// changes, the problem the decode reports (empty: none), how many data blocks and
// detailed timings it still reads.
TEST(CtaMalformed, StopsWhereTheBlockGoesWrongAndSaysWhere) {
  struct Row {
    std::vector<std::pair<int, int>> bytes;
    std::string problem;
    std::size_t dataBlocks, timings;
  };
  const std::vector<Row> rows = {
      {{}, "", 10, 0},
      {{{2, 3}},
       "The DTD offset 3 lies outside 4 to 127; nothing after the header is decoded",
       0,
       0},
      {{{2, 128}},
       "The DTD offset 128 lies outside 4 to 127; nothing after the header is decoded",
       0,
       0},
      // The last data block (EB at byte 102, 11 bytes) claims 12.
      {{{102, 0xEC}},
       "The data block at byte 102 (12 bytes) runs past the DTD offset 114; decoding stopped "
       "there",
       9,
       0},
      // The timings then start at byte 6: five until the 00 00 at byte 96.
      {{{2, 6}, {4, 0x42}},
       "The data block at byte 4 (2 bytes) runs past the DTD offset 6; decoding stopped there",
       0,
       5},
      // A timing's clock at byte 114 whose 18 bytes would reach the checksum.
      {{{2, 114}, {114, 0x01}},
       "A detailed timing at byte 114 is cut off by the checksum; decoding stopped there",
       10,
       0},
      // The last data block read as a timing (bytes 102-119).
      {{{2, 102}}, "", 9, 1},
  };
  const std::vector<std::uint8_t> edid = test::corpusBytes("1B2A4BE6467A");
  for (const Row& row : rows) {
    std::vector<std::uint8_t> block(edid.begin() + 128, edid.begin() + 256);
    for (const auto& [at, value] : row.bytes) block[std::size_t(at)] = std::uint8_t(value);
    const cta::Block decoded = cta::decodeBlock(block, 1);
    const cta::Node* problems = decoded.root.child("problems");
    EXPECT_EQ(problems ? problems->children.at(0).text : "", row.problem) << row.problem;
    const cta::Node* blocks = decoded.root.child("data_blocks");
    EXPECT_EQ(blocks ? blocks->children.size() : 0, row.dataBlocks) << row.problem;
    const cta::Node* timings = decoded.root.child("detailed_timings");
    EXPECT_EQ(timings ? timings->children.size() : 0, row.timings) << row.problem;
  }
}

}  // namespace
}  // namespace edid
