// Naming the monitor when parts are missing (the model lists: model_list_test).
#include "core/report/monitor_name.h"

#include <gtest/gtest.h>

namespace edid {
namespace {

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
