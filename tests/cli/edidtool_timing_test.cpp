// edidtool timing: the bytes of a timing worked out by hand from the VESA layout,
// the report-style text, refusals and usage errors.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/edidtool.h"
#include "support/run_tool.h"

namespace edid::cli {
namespace {

using test::Outcome;
using test::runTool;

TEST(EdidtoolTiming, PrintsTheFieldsAndTheBytes) {
  // CVT-RB2 1920x1080@60: 133.32 MHz = 0x3414; H 1920 = 0x780 + 80 blank, V 1080 = 0x438
  // + 31 blank; H 8 offset, 32 wide; V 17 offset (0x11), 8 wide; digital separate +H -V.
  const std::string bytes = "14 34 80 50 70 38 1F 40 08 20 18 04 00 00 00 00 00 1A\n";
  const Outcome hex = runTool({"timing", "--cvt", "1920x1080@60", "--rb2", "--hex"});
  EXPECT_EQ(hex.status, 0) << hex.err;
  EXPECT_EQ(hex.out, bytes);

  const Outcome full = runTool({"timing", "--vic", "5"});
  EXPECT_EQ(full.status, 0) << full.err;
  for (const char* line :
       {"VIC 5: 74.250 MHz, 33.750 kHz, 60.000 Hz (fields)\n", "1920x540  Pixel Clock: 74.25 MHz",
        "Refreshed Mode: Interlaced", "Sync Offset: 88 pixels", "Blanking Time: 22 lines",
        "Digital Separate, Horizontal Polarity (+) Vertical Polarity (+)\n",
        "Bytes: 01 1D 80 18 71 1C 16 20 58 2C 25 00 00 00 00 00 00 9E\n"})
    EXPECT_NE(full.out.find(line), std::string::npos) << line << "\n" << full.out;
  EXPECT_EQ(full.out.find('\r'), std::string::npos);

  // v2's 1 kHz clock step: 295.416 MHz is stored as 295.42.
  const Outcome steps = runTool({"timing", "--cvt", "2560x1440@75", "--rb2"});
  EXPECT_NE(steps.out.find("10 kHz steps: 295.42 MHz"), std::string::npos) << steps.out;
}

TEST(EdidtoolTiming, RefusalsAndUsageErrors) {
  const std::pair<std::vector<std::string>, std::string> rows[] = {
      {{"timing", "--cvt", "7680x4320@60"}, "above 655.35 MHz"},
      {{"timing", "--dmt", "0x57"}, "horizontal active of 4096 pixels does not fit the 12 bits"},
      {{"timing", "--vic", "128"}, "VICs run from 1 to 127"},
      {{"timing", "--dmt", "1920x1080@75"}, "DMT has no timing of 1920x1080 at 75 Hz"},
  };
  for (const auto& [args, says] : rows) {
    const Outcome o = runTool(args);
    EXPECT_EQ(o.status, 1) << says;
    EXPECT_NE(o.err.find(says), std::string::npos) << o.err;
    EXPECT_TRUE(o.out.empty());
  }
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"timing"},
                                             {"timing", "--cvt"},
                                             {"timing", "--cvt", "1920x1080"},
                                             {"timing", "--gtf", "1920x1080@60", "--rb"},
                                             {"timing", "--vic", "16", "--interlaced"},
                                             {"timing", "--vic", "16", "--dmt", "4"},
                                             {"timing", "--dmt", "0x52", "--rb"}}) {
    const Outcome o = runTool(args);
    EXPECT_EQ(o.status, 2) << args.back();
    EXPECT_NE(o.err.find("Try 'edidtool --help'"), std::string::npos) << o.err;
  }
}

}  // namespace
}  // namespace edid::cli
