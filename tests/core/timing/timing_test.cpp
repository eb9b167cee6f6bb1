// Generated timings against the reference decoder's --cvt/--gtf/--dmt/--vic output
// (scripts/install-deps installs it), and the refusals of the 18-byte descriptor.
#include "core/timing/timing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

namespace edid::timing {
namespace {

// ---- The reference decoder, run at test time.

struct Reference {
  int clockKHz = 0, hActive = 0, hfp = 0, hs = 0, hbp = 0, vfp = 0, vs = 0, vbp = 0;
  bool hp = false, vp = false, interlaced = false;
};

bool haveReference() {
  return std::system("command -v edid-decode >/dev/null 2>&1") == 0;
}

Reference runReference(const std::string& args) {
  std::string text;
  if (FILE* p = popen(("edid-decode " + args + " 2>&1").c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, p)) text += buffer;
    pclose(p);
  }
  static const std::regex head(R"(:\s+(\d+)x\d+(i?)\s.*?([\d.]+) MHz)");
  static const std::regex h(R"(Hfront\s+(\d+) Hsync\s+(\d+) Hback\s+(\d+) Hpol ([PN]))");
  static const std::regex v(R"(Vfront\s+(\d+) Vsync\s+(\d+) Vback\s+(\d+) Vpol ([PN]))");
  Reference r;
  std::smatch m;
  if (!std::regex_search(text, m, head)) {
    ADD_FAILURE() << "edid-decode " << args << " printed: " << text;
    return r;
  }
  r.hActive = std::stoi(m[1]);
  r.interlaced = m[2].length() > 0;
  r.clockKHz = static_cast<int>(std::lround(std::stod(m[3]) * 1000));
  if (std::regex_search(text, m, h)) {
    r.hfp = std::stoi(m[1]), r.hs = std::stoi(m[2]), r.hbp = std::stoi(m[3]);
    r.hp = m[4] == "P";
  }
  if (std::regex_search(text, m, v)) {
    r.vfp = std::stoi(m[1]), r.vs = std::stoi(m[2]), r.vbp = std::stoi(m[3]);
    r.vp = m[4] == "P";
  }
  return r;
}

TEST(TimingFormulas, AgreeWithTheReferenceDecoder) {
  if (!haveReference()) GTEST_SKIP() << "edid-decode is not installed";
  struct Mode {
    int w, h;
    double hz;
  };
  // Widths are multiples of 8 where the decoder keeps the width CVT rounds down.
  const Mode modes[] = {{640, 480, 60},   {800, 600, 75},   {1024, 768, 85},   {1280, 1024, 60},
                        {1600, 900, 60},  {1920, 1080, 50}, {1920, 1200, 120}, {2560, 1440, 60},
                        {3840, 2160, 30}, {1368, 768, 144}};
  struct Case {
    std::string args;
    Result<Timing> made;
  };
  std::vector<Case> cases;
  const auto wh = [](const Mode& m) {
    return "w=" + std::to_string(m.w) + ",h=" + std::to_string(m.h) +
           ",fps=" + std::to_string(static_cast<int>(m.hz));
  };
  for (const Mode& m : modes) {
    cases.push_back({"--cvt " + wh(m), cvt(m.w, m.h, m.hz)});
    cases.push_back({"--cvt " + wh(m) + ",rb=1", cvt(m.w, m.h, m.hz, {CvtBlanking::Reduced})});
    cases.push_back({"--cvt " + wh(m) + ",rb=2", cvt(m.w, m.h, m.hz, {CvtBlanking::ReducedV2})});
    cases.push_back({"--gtf " + wh(m), gtf(m.w, m.h, m.hz)});
  }
  CvtOptions interlaced;
  interlaced.interlaced = true;
  GtfOptions gtfInterlaced;
  gtfInterlaced.interlaced = true;
  cases.push_back({"--cvt w=1920,h=1080,fps=60,interlaced", cvt(1920, 1080, 60, interlaced)});
  cases.push_back({"--cvt w=720,h=576,fps=50,interlaced", cvt(720, 576, 50, interlaced)});
  cases.push_back({"--gtf w=1920,h=1080,fps=60,interlaced", gtf(1920, 1080, 60, gtfInterlaced)});
  // Few lines a frame: the minimum back porch decides.
  cases.push_back({"--cvt w=640,h=480,fps=30", cvt(640, 480, 30)});
  cases.push_back({"--cvt w=640,h=480,fps=24,rb=1", cvt(640, 480, 24, {CvtBlanking::Reduced})});
  cases.push_back({"--cvt w=1366,h=768,fps=60,rb=2", cvt(1366, 768, 60, {CvtBlanking::ReducedV2})});
  cases.push_back({"--cvt w=1920,h=1080,fps=60,rb=2,alt",
                   cvt(1920, 1080, 60, {CvtBlanking::ReducedV2, false, false, true})});
  // A secondary curve from 0 kHz on applies to every mode.
  GtfOptions secondary;
  secondary.secondary = GtfSecondary{0, {30, 450, 150, 25}};
  cases.push_back({"--gtf w=1920,h=1080,fps=75,secondary,C=30,M=450,K=150,J=25",
                   gtf(1920, 1080, 75, secondary)});
  for (int id : {0x04, 0x0F, 0x1B, 0x2F, 0x45, 0x51, 0x52, 0x53, 0x56, 0x58})
    cases.push_back({"--dmt " + std::to_string(id), dmt(id)});
  for (int code : {1, 5, 6, 16, 19, 21, 32, 39, 63, 97, 107, 118, 199, 219})
    cases.push_back({"--vic " + std::to_string(code), vic(code)});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    ASSERT_TRUE(c.made.ok()) << c.made.error();
    const Timing& t = *c.made;
    const Reference r = runReference(c.args);
    EXPECT_EQ(t.pixelClockKHz, r.clockKHz);
    EXPECT_EQ(t.hActive, r.hActive);
    EXPECT_EQ(t.interlaced, r.interlaced);
    EXPECT_EQ(t.hTotal(), r.hActive + r.hfp + r.hs + r.hbp);
    EXPECT_EQ(t.hFrontPorch, r.hfp);
    EXPECT_EQ(t.hSync, r.hs);
    EXPECT_EQ(t.vFrontPorch, r.vfp);
    EXPECT_EQ(t.vSync, r.vs);
    EXPECT_EQ(t.vBlank(), r.vfp + r.vs + r.vbp);
    EXPECT_EQ(t.hSyncPositive, r.hp);
    EXPECT_EQ(t.vSyncPositive, r.vp);
  }
  EXPECT_GE(cases.size(), 40u);
}

// ---- The 18 bytes.

TEST(TimingDescriptor, RefusalsSayWhyAndWhatWouldHoldIt) {
  struct Row {
    Timing timing;
    const char* says;
  };
  const Timing uhd8k = *cvt(7680, 4320, 60);
  const Timing uhd4k = *cvt(3840, 2160, 60);
  Timing wideSync = *cvt(1920, 1080, 60);
  wideSync.hSync = 1024;
  Timing tallPorch = *cvt(1920, 1080, 60);
  tallPorch.vFrontPorch = 64;
  const Row rows[] = {
      {uhd8k, "above 655.35 MHz, the most an 18-byte detailed timing holds. Reduced blanking"},
      {wideSync, "horizontal sync width of 1024 pixels does not fit the 10 bits"},
      {tallPorch, "vertical sync offset of 64 lines does not fit the 6 bits"},
  };
  for (const Row& row : rows) {
    const auto bytes = encodeDescriptor(row.timing);
    ASSERT_FALSE(bytes.ok()) << row.says;
    EXPECT_NE(bytes.error().find(row.says), std::string::npos) << bytes.error();
  }
  // 655.35 MHz itself is the largest clock the two bytes hold.
  Timing edge = uhd4k;
  edge.pixelClockKHz = 655350;
  const auto held = encodeDescriptor(edge);
  ASSERT_TRUE(held.ok()) << held.error();
  EXPECT_EQ((*held)[0], 0xFF);
  EXPECT_EQ((*held)[1], 0xFF);
  // Interlaced, it holds the lines of one field: 1080i stores 540 = 0x21C.
  const auto field = encodeDescriptor(*cvt(1920, 1080, 60, {CvtBlanking::Standard, true}));
  ASSERT_TRUE(field.ok()) << field.error();
  EXPECT_EQ((*field)[5], 0x1C);
  EXPECT_EQ((*field)[7] >> 4, 2);
}

TEST(TimingRequests, RefusedWithAReason) {
  const std::pair<Result<Timing>, const char*> rows[] = {
      {cvt(0, 1080, 60), "width and height from 1"},
      {gtf(1920, 1080, 0), "refresh rate above 0"},
      {gtf(640, 480, 1), "no horizontal blanking"},
      {cvt(1920, 1080, 60, {CvtBlanking::Reduced, false, false, true}), "only reduced blanking v2"},
      {dmt(0x59), "DMT IDs run from 0x01 to 0x58"},
      {dmt(1920, 1080, 75), "no timing of 1920x1080 at 75 Hz"},
      {vic(128), "VICs run from 1 to 127 and 193 to 219"},
  };
  for (const auto& [made, says] : rows) {
    ASSERT_FALSE(made.ok()) << says;
    EXPECT_NE(made.error().find(says), std::string::npos) << made.error();
  }
  // By size: the standard timing unless reduced blanking is asked for.
  EXPECT_EQ(dmt(1280, 768, 60)->name, "DMT 0x17");
  EXPECT_EQ(dmt(1280, 768, 60, true)->name, "DMT 0x16");
}

TEST(TimingGtf, SecondaryCurveFromARangeLimitsBlockAndItsStartFrequency) {
  // Range limits with secondary GTF: start 2 x 40 = 80 kHz, C = 60 / 2, M = 0x01C2,
  // K = 150, J = 50 / 2.
  const Descriptor block = {0,  0,    0, 0xFD, 0,  50,   160,  30,  160,
                            30, 0x02, 0, 40,   60, 0xC2, 0x01, 150, 50};
  const auto secondary = gtfSecondaryOf(block);
  ASSERT_TRUE(secondary.ok()) << secondary.error();
  EXPECT_EQ(secondary->startKHz, 80);
  EXPECT_EQ(secondary->curve.c, 30);
  EXPECT_EQ(secondary->curve.m, 450);
  EXPECT_EQ(secondary->curve.k, 150);
  EXPECT_EQ(secondary->curve.j, 25);
  Descriptor plain = block;
  plain[10] = 0x00;
  EXPECT_FALSE(gtfSecondaryOf(plain).ok());

  // 1920x1080@60 runs at 67 kHz on the default curve: below the start, unchanged;
  // @75 (85 kHz) is made on the secondary curve with +H -V.
  const GtfOptions withSecondary{false, false, *secondary};
  const Timing below = *gtf(1920, 1080, 60, withSecondary);
  EXPECT_EQ(below.pixelClockKHz, gtf(1920, 1080, 60)->pixelClockKHz);
  const Timing above = *gtf(1920, 1080, 75, withSecondary);
  EXPECT_NE(above.hBlank(), gtf(1920, 1080, 75)->hBlank());
  EXPECT_TRUE(above.hSyncPositive);
  EXPECT_FALSE(above.vSyncPositive);
}

}  // namespace
}  // namespace edid::timing
