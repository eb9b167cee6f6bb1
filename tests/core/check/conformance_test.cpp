#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "core/check/conformance.h"
#include "support/corpus.h"

namespace edid {
namespace {

// Real EDIDs, each conformant by the reference decoder:
//   A = 06F840044FF3: 1.3 analog, 41x26 cm, 800x600@56 (56.25 Hz) established; DTD 1 1440x900
//   (hblank 464, hfront 80,
//       hsync 152, 408x255 mm, 59.89 Hz); range limits in slot 2 (56-75 Hz,
//       30-81 kHz, 140 MHz, GTF); name in slot 3; serial in slot 4.
//   B = 5DCA474195F3: 1.4 digital (B5), range limits (bare) in slot 4; block 1 is
//       CTA-861 rev 3, DTD offset 26, byte 3 F1: a video block at 4 (VICs 16 31 32
//       4 19 18 17 3 2 1), audio at 15, speaker allocation at 19, video capability
//       at 23 (6B); DTDs 3840x2160, 2560x1440, 2048x1280 and one more.
const std::string kA = "06F840044FF3";
const std::string kB = "5DCA474195F3";

struct Patch {
  int at;  // offset in the whole EDID: block 1 starts at 128
  std::vector<std::uint8_t> bytes;
};

struct Row {
  std::string id;
  std::vector<Patch> patches;
  std::string rule;      // the message's start that names the rule
  std::string expected;  // the one finding line of that rule; "" for none
  bool keepChecksum = false;
};

std::vector<std::uint8_t> patched(const Row& row) {
  std::vector<std::uint8_t> edid = test::corpusBytes(row.id);
  for (const Patch& p : row.patches) {
    if (p.at + p.bytes.size() > edid.size()) edid.resize(p.at + p.bytes.size());
    std::copy(p.bytes.begin(), p.bytes.end(), edid.begin() + p.at);
  }
  if (!row.keepChecksum)
    for (std::size_t b = 0; b + 128 <= edid.size(); b += 128) {
      int sum = 0;
      for (std::size_t i = b; i < b + 127; ++i) sum += edid[i];
      edid[b + 127] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
    }
  return edid;
}

const std::vector<std::uint8_t> kZero18(18, 0);

std::vector<std::uint8_t> ctaBlockOfB() {
  const std::vector<std::uint8_t> b = test::corpusBytes(kB);
  return {b.begin() + 128, b.end()};
}

// One row breaks a rule, the next keeps it (often the same patch on another version).
// Expected lines worked out by hand from the bytes above and the VESA/CTA layouts.
// clang-format off
const Row kRows[] = {
    {kA, {{0, {1}}},
     "Header", "block 0, bytes 0-7: failure: Header: 01 FF FF FF FF FF FF 00, not 00 FF FF FF FF FF FF 00"},
    {kA, {}, "Header", ""},
    {kA, {{127, {0xBE}}},
     "Checksum", "block 0, byte 127: failure: Checksum: byte 127 is BE, the block needs BD to sum to 00", true},
    {kA, {{126, {1}}},
     "Extension count", "block 0, byte 126: failure: Extension count: byte 126 says 1 extension block(s), 0 present"},
    {kA, {{19, {5}}},
     "Version", "block 0, bytes 18-19: failure: Version: 1.5 is not an EDID version 1.0-1.4"},
    {kA, {{9, {0x20}}},
     "Manufacturer", "block 0, bytes 8-9: failure: Manufacturer ID: 4C 20 holds letter codes 19, 1, 0, not A-Z " "(1-26) with bit 15 clear"},
    {kA, {{16, {54}}},
     "Manufacture week", "block 0, byte 16: failure: Manufacture week: 54 is not 0-53"},
    {kB, {{16, {54}}}, "Manufacture week", ""},
    {kA, {{17, {0x26}}},
     "Manufacture year", "block 0, byte 17: failure: Manufacture year: 2028 is more than a year after 2026"},
    {kA, {{17, {0x25}}}, "Manufacture year", ""},
    {kB, {{17, {0x0F}}},
     "Manufacture year", "block 0, byte 17: failure: Manufacture year: 2005 is before 2006, the first year EDID 1.4 " "allows"},
    {kB, {{20, {0xF5}}},
     "Video input: colour", "block 0, byte 20: failure: Video input: colour depth value 7 (bits 6-4 of F5) is reserved"},
    {kB, {{20, {0xB6}}},
     "Video input: interface", "block 0, byte 20: failure: Video input: interface value 6 (bits 3-0 of B6) is reserved"},
    {kA, {{20, {0x85}}},
     "Video input", "block 0, byte 20: failure: Video input: bits 6-1 of a digital input (85) are reserved in " "EDID 1.3"},
    {kA, {{20, {0x81}}}, "Video input", ""},
    {kA, {{23, {0xFF}}},
     "Gamma", "block 0, byte 23: warning: Gamma: FF (gamma given elsewhere) needs EDID 1.4; this is 1.3"},
    {kB, {{23, {0xFF}}}, "Gamma", ""},
    {kA, {{24, {0x28}}},
     "Features", "block 0, byte 24: failure: Features: EDID 1.3 requires bit 1 (preferred timing in the first " "detailed timing), byte 24 is 28"},
    {kA, {{19, {2}}, {24, {0x28}}}, "Features", ""},
    {kA, {{24, {0x2E}}},
     "sRGB", "block 0, bytes 24-34: failure: sRGB: feature bit 2 says sRGB, but the chromaticities (bytes " "25-34) are not sRGB's (EE 91 A3 54 4C 99 26 0F 50 54)"},
    {kA, {{25, {0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54}}},
     "sRGB", "block 0, bytes 24-34: failure: sRGB: the chromaticities are sRGB's, but feature bit 2 (byte " "24 = 2A) is clear"},
    {kA, {}, "sRGB", ""},
    {kA, {{33, {0x1A, 0xCD}}},
     "Chromaticity", "block 0, bytes 25-34: failure: Chromaticity: white point (0.103, 0.802) lies outside the " "red-green-blue triangle"},
    {kA, {{33, {0xF0}}},
     "Chromaticity", "block 0, bytes 25-34: failure: Chromaticity: white (0.938, 0.329) is no colour: y must be " "above 0 and x + y at most 1"},
    {kA, {}, "Chromaticity", ""},
    {kA, {{52, {0, 0}}},
     "Standard timing 8", "block 0, bytes 52-53: failure: Standard timing 8: 00 00 gives no width (byte 1 below 02); an " "unused slot is 01 01"},
    {kA, {{52, {0x20, 0x20}}},
     "Standard timing 8", "block 0, bytes 52-53: failure: Standard timing 8: an unused slot is 01 01, not 20 20"},
    {kA, {{19, {2}}, {52, {0x61, 0x00}}},
     "Standard timing 8", "block 0, bytes 52-53: warning: Standard timing 8: aspect bits 00 mean 1:1 before EDID 1.3 " "(1024x1024)"},
    {kA, {{52, {0x61, 0x00}}}, "Standard timing 8", ""},
    {kA, {{63, {0x90}}, {65, {0x10}}},
     "Detailed timing 1: horizontal", "block 0, bytes 57-65: failure: Detailed timing 1: horizontal sync ends at 1920, after the " "blanking ends at 1904"},
    {kA, {}, "Detailed timing 1: horizontal", ""},
    {kA, {{54, {0x10, 0x00}}},
     "Detailed timing 1: pixel", "block 0, bytes 54-55: failure: Detailed timing 1: pixel clock 0.16 MHz is below 10 MHz"},
    {kA, {{66, {0xF4}}},
     "Detailed timing 1: image", "block 0, bytes 66-68: failure: Detailed timing 1: image size 500x255 mm does not match the " "display size 41x26 cm"},
    {kA, {{21, {0, 0}}},
     "Detailed timing 1: image", "block 0, bytes 66-68: failure: Detailed timing 1: image size 408x255 mm, but the display " "size (bytes 21-22) is not given"},
    {kA, {}, "Detailed timing 1: image", ""},
    {kA, {{54, {0, 0, 0, 0x10, 0}}},
     "Detailed timing 1: EDID", "block 0, bytes 54-71: failure: Detailed timing 1: EDID 1.3 requires the preferred timing in " "bytes 54-71, found a descriptor (tag 10)"},
    {kA, {{19, {2}}, {54, {0, 0, 0, 0x10, 0}}}, "Detailed timing 1: EDID", ""},
    {kA, {{93, {0xFE}}},
     "Descriptors: EDID", "block 0, bytes 54-125: failure: Descriptors: EDID 1.3 requires a monitor name descriptor " "(FC), none found"},
    {kA, {{19, {2}}, {93, {0xFE}}}, "Descriptors: EDID", ""},
    {kA, {{75, {0x10}}},
     "Descriptors: EDID", "block 0, bytes 54-125: failure: Descriptors: EDID 1.3 requires a range limits descriptor " "(FD), none found"},
    {kA, {{107, {0x00}}},
     "Descriptor 3: padding", "block 0, byte 107: failure: Descriptor 3: padding byte 107 after the 0A is 00, not 20"},
    {kA, {}, "Descriptor 3: padding", ""},
    {kA, {{92, {0x01}}},
     "Descriptor 3: reserved", "block 0, byte 92: failure: Descriptor 3: reserved byte 2 is 01, not 00"},
    {kA, {{76, {0x01}}},
     "Descriptor 2: reserved", "block 0, byte 76: failure: Descriptor 2: reserved byte 4 is 01, not 00"},
    {kB, {{112, {0x01}}}, "Descriptor 4: reserved", ""},
    {kB, {{112, {0x02}}},
     "Range limits: offsets", "block 0, byte 112: failure: Range limits: offsets byte 4 is 02; bits 7-4 are reserved and a " "minimum's +255 needs the maximum's"},
    {kB, {{112, {0x01}}}, "Range limits: offsets", ""},
    {kA, {{108, kZero18}},
     "Descriptor 4: all", "block 0, bytes 108-125: failure: Descriptor 4: all 18 bytes are 00; an unused descriptor is " "the dummy (tag 10)"},
    {kA, {{77, {0x50}}},
     "Range limits: minimum", "block 0, bytes 77-78: failure: Range limits: minimum vertical rate 80 Hz is above the " "maximum 75 Hz"},
    {kA, {}, "Range limits: minimum", ""},
    {kA, {{77, {0x3A}}},
     "Range limits: Established", "block 0, bytes 77-78: failure: Range limits: Established 800x600@56 at 56.25 Hz is outside the vertical range 58-75 Hz"},
    {kA, {{77, {0x39}}}, "Range limits: Established", ""},
    {kA, {{19, {4}}, {77, {0x3A}}},
     "Range limits: Established", "block 0, bytes 77-78: warning: Range limits: Established 800x600@56 at 56.25 Hz is outside the vertical range 58-75 Hz"},
    {kB, {{118, {0x00}}},
     "Range limits: GTF", "block 0, byte 118: failure: Range limits: GTF (timing support 00) needs continuous " "frequencies, but feature bit 0 (byte 24) is clear"},
    {kB, {{24, {0x3B}}, {118, {0x00}}}, "Range limits: GTF", ""},
    {kA, {{82, {0x01}}},
     "Range limits: timing", "block 0, byte 82: failure: Range limits: timing support 01 (range limits only) needs EDID " "1.4; this is 1.3"},
    {kB, {}, "Range limits: timing", ""},
    {kA, {{108, {0, 0, 0, 0xFD, 0, 0x38, 0x4B, 0x1E, 0x51, 0x0E, 0, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}}},
     "Descriptor 4: a second", "block 0, bytes 108-125: failure: Descriptor 4: a second range limits descriptor (FD); only " "one may appear"},
    {kA, {}, "Descriptor 4: a second", ""},
    // A 1.3 EDID of three blocks: B's CTA block twice after A.
    {kA, {{126, {2}}, {128, ctaBlockOfB()}, {256, ctaBlockOfB()}},
     "Extension: EDID", "block 1, byte 0: failure: Extension: EDID 1.3 with 3 blocks needs a block map (F0) in block " "1, found tag 02"},
    {kB, {{126, {2}}, {256, ctaBlockOfB()}}, "Extension: EDID", ""},
    {kB, {{128, {0x03}}},
     "Extension: block", "block 1, byte 0: failure: Extension: block 1 has the unknown tag 03"},
    {kB, {}, "Extension", ""},
    {kB, {{129, {4}}},
     "CTA-861: revision", "block 1, byte 1: failure: CTA-861: revision 4 is not 1-3"},
    {kB, {{130, {2}}},
     "CTA-861: DTD offset", "block 1, byte 2: failure: CTA-861: DTD offset 2 is not 0 or 4-127"},
    {kB, {{132, {0x5F}}},
     "CTA-861: data block", "block 1, bytes 4-25: failure: CTA-861: data block at byte 4 (tag 2, length 31) runs past the " "DTD offset 26"},
    {kB, {{133, {0xDC}}},
     "Video data block", "block 1, byte 5: failure: Video data block: byte DC is VIC 220, which names no video format"},
    {kB, {{134, {0x10}}},
     "Video data block", "block 1, byte 6: failure: Video data block: VIC 16 is listed twice"},
    {kB, {}, "Video data block", ""},
    {kB, {{147, {0x63, 0x03, 0x0C, 0x00}}},
     "HDMI data block: length", "block 1, bytes 19-22: failure: HDMI data block: length 3 is below the minimum 5"},
    {kB, {{147, {0x63, 0x03, 0x0C, 0x00}}},
     "HDMI data block: HDMI", "block 1, bytes 19-22: failure: HDMI data block: HDMI requires EDID 1.3, this is 1.4"},
    {kB, {{19, {3}}, {147, {0x63, 0x03, 0x0C, 0x00}}}, "HDMI data block: HDMI", ""},
    {kB, {{147, {0x63, 0xD8, 0x5D, 0xC4}}},
     "HDMI Forum data block: length", "block 1, bytes 19-22: failure: HDMI Forum data block: length 3 is below the minimum 7"},
    {kB, {{131, {0xFF}}},
     "CTA-861: byte 3 counts", "block 1, byte 3: failure: CTA-861: byte 3 counts 15 native detailed timings, the EDID has 5"},
    {kB, {{131, {0xF3}}},
     "CTA-861: native", "block 1, byte 3: failure: CTA-861: native progressive timings have several resolutions: " "2560x1440, 3840x2160"},
    {kB, {{131, {0xF2}}}, "CTA-861: native", ""},
    {kB, {{228, {0x01}}},
     "CTA-861: padding", "block 1, bytes 100-126: failure: CTA-861: padding byte 100 is 01, not 00"},
    {kB, {}, "CTA-861: padding", ""},
    {kB, {{143, {0x83, 0x01, 0x00, 0x00}}},
     "CTA-861: a second", "block 1, bytes 19-22: failure: CTA-861: a second speaker allocation data block at byte 19; " "only one may appear"},
    {kB, {}, "CTA-861: a second", ""},
    {kB, {{152, {0x01}}},
     "CTA-861: no video capability", "block 1, bytes 4-25: failure: CTA-861: no video capability data block to declare RGB " "quantization as selectable"},
    {kB, {{153, {0x2B}}},
     "Video capability", "block 1, byte 25: failure: Video capability data block: byte 2B has bit 6 (RGB quantization " "selectable) clear"},
    {kB, {}, "CTA-861: no video capability", ""},
    {kB, {{35, {0x85}}, {142, {0x05}}},
     "CTA-861: 640x480p60", "block 1, bytes 4-25: failure: CTA-861: 640x480p60 is neither an established timing (byte 35 " "bit 5) nor VIC 1"},
    {kB, {{142, {0x05}}}, "CTA-861: 640x480p60", ""},
    {kB, {{131, {0xB1}}},
     "CTA-861: audio", "block 1, byte 3: failure: CTA-861: audio data blocks are present, but byte 3 (B1) bit 6 says " "no basic audio"},
};
// clang-format on

std::vector<std::string> linesOfRule(const std::vector<check::Finding>& findings,
                                     const std::string& rule) {
  std::vector<std::string> lines;
  for (const check::Finding& f : findings)
    if (f.message.rfind(rule, 0) == 0) lines.push_back(check::findingLine(f));
  return lines;
}

TEST(Conformance, EachRuleBrokenAndKept) {
  for (const Row& row : kRows) {
    const auto findings = check::checkEdid(patched(row), {.currentYear = 2026});
    const std::vector<std::string> expected =
        row.expected.empty() ? std::vector<std::string>{} : std::vector{row.expected};
    EXPECT_EQ(linesOfRule(findings, row.rule), expected) << row.id << " rule " << row.rule;
  }
}

// The corpus's reference texts end in the reference decoder's verdict ("EDID
// conformity: PASS" or "FAIL"); the checker's failures should give the same one.
TEST(Conformance, AgreesWithTheReferenceVerdicts) {
  int compared = 0, same = 0, conformant = 0, conformantSame = 0;
  for (const std::string& id : test::corpusIds()) {
    const std::string text = test::readFile(test::corpusDir() + "/" + id + ".txt");
    const bool pass = text.find("EDID conformity: PASS") != std::string::npos;
    if (!pass && text.find("EDID conformity: FAIL") == std::string::npos) continue;
    const bool ours = !check::hasFailure(check::checkEdid(test::corpusBytes(id)));
    ++compared;
    same += ours == pass;
    conformant += pass;
    conformantSame += pass && ours;
  }
  ASSERT_GT(conformant, 0);
  EXPECT_GE(same * 100, compared * 90) << same << " of " << compared;
  EXPECT_GE(conformantSame * 100, conformant * 85) << conformantSame << " of " << conformant;
}

TEST(Conformance, SummaryCountsBySeverity) {
  using check::Severity;
  const check::Finding failure{Severity::Failure, 0, 1, 1, "x"};
  const check::Finding warning{Severity::Warning, 0, 1, 1, "x"};
  EXPECT_EQ(check::summaryText({}), "No problems found");
  EXPECT_EQ(check::summaryText({failure, failure, warning}), "2 failures, 1 warning");
  EXPECT_EQ(check::summaryText({warning, warning}), "2 warnings");
}

}  // namespace
}  // namespace edid
