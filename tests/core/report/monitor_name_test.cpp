// Naming the monitor from model list files, without a screen.
#include "core/report/monitor_name.h"

#include <gtest/gtest.h>

#include "support/corpus.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

TEST(MonitorName, FoldersAreTriedInOrderUntilALineMatches) {
  // 000CCAC2C577 is VSC, product code 0x7D20; its name block reads "VA926 Series".
  const Image image = test::corpusImage("000CCAC2C577");
  EXPECT_EQ(modelListKey(image), "VSC7D20");
  EXPECT_EQ(modelFromDescriptor(image, "none"), "VA926 Series");

  test::TempDir first("first"), second("second");
  std::vector<std::string> lines;
  std::vector<std::string> errors;
  const auto collect = [&errors](const std::string& e) { errors.push_back(e); };

  // No model list file at all: nothing names the monitor.
  EXPECT_FALSE(nameFromModelLists(image, {first.path.string()}, lines, collect).has_value());

  test::writeText(first.file("a.inf"), "START_DDCTEST\r\nABC0001 \"Other One\"\r\nEND_DDCTEST\r\n");
  auto name = nameFromModelLists(image, {first.path.string()}, lines, collect);
  ASSERT_TRUE(name.has_value());
  EXPECT_FALSE(name->matched);
  EXPECT_EQ(name->brand, "VSC");
  EXPECT_EQ(name->model, "VA926 Series");

  // A later folder's line wins once the first folder has none.
  test::writeText(second.file("b.INF"),
                  "START_DDCTEST\nVSC7D20 = \"ViewTech  VA926  \"\nEND_DDCTEST\n");
  name = nameFromModelLists(image, {first.path.string(), second.path.string()}, lines, collect);
  ASSERT_TRUE(name.has_value());
  EXPECT_TRUE(name->matched);
  EXPECT_EQ(name->brand, "ViewTech");
  EXPECT_EQ(name->model, "VA926");
  EXPECT_TRUE(errors.empty());
}

TEST(MonitorName, MissingPartsFallBack) {
  Image image;  // manufacturer "@@@", product 0000, no name block
  EXPECT_EQ(modelListKey(image), "@@@0000");
  auto name = nameFromModelLines(image, {"@@@0000 \"OnlyBrand\""}, "@@@");
  EXPECT_FALSE(name.matched);
  EXPECT_EQ(name.brand, "OnlyBrand");
  EXPECT_EQ(name.model, "UNKNOWN MODEL");
  name = nameFromModelLines(image, {}, "");
  EXPECT_EQ(name.brand, "UNKNOWN BRAND");
  // Product codes with letters key on the first two and last two digits.
  image.setByte(10, 'A');
  image.setByte(11, 'B');
  EXPECT_EQ(modelListKey(image), "@@@4241");
}

}  // namespace
}  // namespace edid
