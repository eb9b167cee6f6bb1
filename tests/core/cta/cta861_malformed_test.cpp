#include <gtest/gtest.h>

#include "core/cta/cta861.h"
#include "core/rows.h"
#include "support/corpus.h"

namespace edid {
namespace {

// The rows of tests/data/cta_malformed.txt: a real block with bytes changed by hand
// against the problem its decode reports and the data blocks and timings it still reads.
TEST(CtaMalformed, StopsWhereTheBlockGoesWrongAndSaysWhere) {
  const std::vector<std::uint8_t> edid = test::corpusBytes("1B2A4BE6467A");
  for (const test::Row& row : test::readRows("cta_malformed.txt")) {
    std::vector<std::uint8_t> block(edid.begin() + 128, edid.begin() + 256);
    std::istringstream changes(row.fields.at(0));
    for (std::string c; changes >> c && c != "-";)
      block.at(std::stoul(c)) =
          static_cast<std::uint8_t>(std::stoi(c.substr(c.find('=') + 1), nullptr, 16));
    const cta::Block decoded = cta::decodeBlock(block, 1);
    const cta::Node* problems = decoded.root.child("problems");
    EXPECT_EQ(problems ? problems->children.at(0).text.str() : "-", row.fields.at(1)) << row.text;
    const cta::Node* blocks = decoded.root.child("data_blocks");
    EXPECT_EQ(blocks ? blocks->children.size() : 0, std::stoul(row.fields.at(2))) << row.text;
    const cta::Node* timings = decoded.root.child("detailed_timings");
    EXPECT_EQ(timings ? timings->children.size() : 0, std::stoul(row.fields.at(3))) << row.text;
  }
}

}  // namespace
}  // namespace edid
