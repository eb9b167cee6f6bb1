#include <gtest/gtest.h>

#include <fstream>

#include "support/corpus.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

// A corpus EDID with bytes changed and every checksum made good again.
std::string writePatched(const test::TempDir& dir, const std::string& name, const std::string& id,
                         const std::vector<std::pair<int, std::uint8_t>>& patches) {
  std::vector<std::uint8_t> edid = test::corpusBytes(id);
  for (const auto& [at, value] : patches) edid[at] = value;
  for (std::size_t b = 0; b < edid.size(); b += 128) {
    int sum = 0;
    for (std::size_t i = b; i < b + 127; ++i) sum += edid[i];
    edid[b + 127] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
  }
  const std::string path = dir.file(name);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(edid.data()), static_cast<std::streamsize>(edid.size()));
  return path;
}

// 06F840044FF3: EDID 1.3, 800x600 at 56.25 Hz among its established timings, range
// limits 56-75 Hz from byte 77, the name descriptor's tag at byte 93. 5DCA474195F3: EDID 1.4 whose
// CTA-861 block has a video data block of 10 VICs at byte 4 and its DTDs at 26;
// its VIC 32 (24 Hz, 27 kHz) lies below the range limits (29 Hz, 30 kHz), which
// EDID 1.4 only warns about.
TEST(EdidtoolCheck, LinesAndStatusPerFile) {
  test::TempDir dir("check");
  const std::string clean = writePatched(dir, "clean.bin", "06F840044FF3", {});
  const std::string old = writePatched(dir, "old.bin", "06F840044FF3", {{93, 0xFE}, {77, 0x3A}});
  const std::string cta = writePatched(dir, "cta.bin", "5DCA474195F3", {{132, 0x5F}});
  const std::string warned = writePatched(dir, "warned.bin", "5DCA474195F3", {});

  auto r = test::runTool({"check", clean});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");

  r = test::runTool({"check", old, clean});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, old +
                       ": block 0, bytes 54-125: failure: Descriptors: EDID 1.3 requires a "
                       "monitor name descriptor (FC), none found\n" +
                       old +
                       ": block 0, bytes 77-78: failure: Range limits: Established "
                       "800x600@56 at 56.25 Hz is outside the vertical range 58-75 Hz\n");

  r = test::runTool({"check", cta});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(cta +
                       ": block 1, bytes 4-25: failure: CTA-861: data block at byte 4 (tag 2, "
                       "length 31) runs past the DTD offset 26\n" +
                       cta +
                       ": block 1, bytes 4-25: failure: CTA-861: no video capability data "
                       "block to declare RGB quantization as selectable\n"),
            std::string::npos);

  r = test::runTool({"check", warned});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(test::runTool({"check", "--warnings-as-errors", warned}).status, 1);

  r = test::runTool({"check", "--json", warned});
  EXPECT_EQ(r.out.rfind("[\n  {\n    \"file\": \"" + warned +
                            "\",\n    \"severity\": \"warning\",\n    \"block\": 0,\n    "
                            "\"first_byte\": 113,\n    \"last_byte\": 114,",
                        0),
            0u);

  r = test::runTool({"report", "--json", warned});
  EXPECT_NE(
      r.out.find(
          "\"problems\": [\n    {\n      \"severity\": \"warning\",\n      \"block\": 0,\n      "
          "\"first_byte\": 113,"),
      std::string::npos);

  r = test::runTool({"check", dir.file("missing.bin"), old});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("missing.bin"), std::string::npos);
  EXPECT_NE(r.out.find(old + ": block 0"), std::string::npos);
}

}  // namespace
}  // namespace edid
