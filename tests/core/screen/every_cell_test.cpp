// Every cell and every entry of the decoding screen, each checked right after its
// event against the EDID 1.3 base block layout written out below, never against the
// program's own byte map.
#include <gtest/gtest.h>

#include <set>

#include "core/common/text.h"
#include "core/screen/checksum_screen.h"
#include "core/screen/established_screen.h"
#include "core/screen/vendor_screen.h"
#include "core/screen/version_screen.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

// The base block of the VESA EDID 1.3 standard: each field's bytes, its section's
// bytes, and the frame that shows the section. The four 18-byte blocks come from
// kBlockFields, applied at 54, 72, 90 and 108.
struct LayoutField {
  int first, last;                // the field's bytes
  int sectionFirst, sectionLast;  // its section's bytes
  int frame;                      // Hints index; -1 inside an 18-byte block
  const char* name;
};

constexpr LayoutField kLayout[] = {
    {0, 7, 0, 7, 0, "header 00 FF FF FF FF FF FF 00"},
    {8, 9, 8, 17, 1, "ID manufacturer name"},
    {10, 11, 8, 17, 1, "ID product code"},
    {12, 15, 8, 17, 1, "ID serial number"},
    {16, 16, 8, 17, 1, "week of manufacture"},
    {17, 17, 8, 17, 1, "year of manufacture"},
    {18, 18, 18, 19, 2, "EDID version"},
    {19, 19, 18, 19, 2, "EDID revision"},
    {20, 20, 20, 24, 3, "video input definition"},
    {21, 21, 20, 24, 3, "max horizontal image size"},
    {22, 22, 20, 24, 3, "max vertical image size"},
    {23, 23, 20, 24, 3, "display transfer characteristic (gamma)"},
    {24, 24, 20, 24, 3, "feature support"},
    {25, 25, 25, 34, 4, "red/green low bits"},
    {26, 26, 25, 34, 4, "blue/white low bits"},
    {27, 27, 25, 34, 4, "red x"},
    {28, 28, 25, 34, 4, "red y"},
    {29, 29, 25, 34, 4, "green x"},
    {30, 30, 25, 34, 4, "green y"},
    {31, 31, 25, 34, 4, "blue x"},
    {32, 32, 25, 34, 4, "blue y"},
    {33, 33, 25, 34, 4, "white x"},
    {34, 34, 25, 34, 4, "white y"},
    {35, 35, 35, 35, 5, "established timings I"},
    {36, 36, 36, 36, 6, "established timings II"},
    {37, 37, 37, 37, 7, "manufacturer's reserved timings"},
    {38, 39, 38, 53, 8, "standard timing 1"},
    {40, 41, 38, 53, 8, "standard timing 2"},
    {42, 43, 38, 53, 8, "standard timing 3"},
    {44, 45, 38, 53, 8, "standard timing 4"},
    {46, 47, 38, 53, 8, "standard timing 5"},
    {48, 49, 38, 53, 8, "standard timing 6"},
    {50, 51, 38, 53, 8, "standard timing 7"},
    {52, 53, 38, 53, 8, "standard timing 8"},
    {126, 126, 126, 127, 13, "extension flag"},
    {127, 127, 126, 127, 13, "checksum"},
};

// Offsets inside an 18-byte block: a detailed timing, or (first bytes 00 00 00) a
// monitor descriptor, whose bytes 0-1 are its zero marker.
struct BlockField {
  int first, last;
  const char* name;
};
constexpr BlockField kBlockFields[] = {
    {0, 1, "pixel clock / descriptor marker"},
    {2, 2, "horizontal active low"},
    {3, 3, "horizontal blanking low"},
    {4, 4, "horizontal active/blanking high"},
    {5, 5, "vertical active low"},
    {6, 6, "vertical blanking low"},
    {7, 7, "vertical active/blanking high"},
    {8, 8, "horizontal sync offset low"},
    {9, 9, "horizontal sync width low"},
    {10, 10, "vertical sync offset/width low"},
    {11, 11, "sync offset/width high"},
    {12, 12, "horizontal image size low"},
    {13, 13, "vertical image size low"},
    {14, 14, "image size high"},
    {15, 15, "horizontal border"},
    {16, 16, "vertical border"},
    {17, 17, "flags"},
};

LayoutField layoutOf(int index) {
  for (const LayoutField& f : kLayout)
    if (index >= f.first && index <= f.last) return f;
  const int start = 54 + 18 * ((index - 54) / 18);
  for (const BlockField& f : kBlockFields)
    if (index - start >= f.first && index - start <= f.last)
      return {start + f.first, start + f.last, start, start + 17, -1, f.name};
  ADD_FAILURE() << "no layout for byte " << index;
  return {};
}

// Blocks of this EDID (BBY product 50, week 1 of 2012): two detailed timings, a
// monitor name (FC) and range limits (FD).
constexpr const char* kId = "5D0A287815F7";

// A typed pair and the text its field's decoder leaves, worked out by hand from the
// bytes of kId: 08 59 | 32 00 | 01 00 00 00 | 01 | 16 | 01 03 ... 35: A3 36: 08 37: 00.
struct Typed {
  int cell;
  const char* pair;
  std::string Common::*text;
  const char* expected;
};
const Typed kTyped[] = {
    {8, "04", &Common::ManufacturerText, "ABY"},  // 0000 0100 0101 1001: 1, 2, 25
    {9, "43", &Common::ManufacturerText, "BBC"},  // 0000 1000 0100 0011: 2, 2, 3
    {10, "41", &Common::ProductLetters, "A"},
    {11, "12", &Common::ProductLetters, "2"},             // 12 is no letter; 10 keeps its "2"
    {12, "39", &Common::SerialNumberText, "00057"},       // 0x00000039
    {13, "01", &Common::SerialNumberText, "00257"},       // 0x00000101
    {14, "01", &Common::SerialNumberText, "65537"},       // 0x00010001
    {15, "80", &Common::SerialNumberText, "2147483649"},  // 0x80000001
    {16, "34", &Common::WeekText, "52"},
    {17, "00", &Common::YearText, "1990"},
    {18, "02", &Common::VersionText, "2"},
    {19, "0A", &Common::RevisionText, "10"},
};

int sumOf(const Image& image) {
  int sum = 0;
  for (int i = 0; i < kEdidSize; ++i) sum += image.byte(i);
  return sum % 256;
}

std::set<int> changedBytes(const Image& before, const Image& after) {
  std::set<int> out;
  for (int i = 0; i < kEdidSize; ++i)
    if (before.cell(i) != after.cell(i)) out.insert(i);
  return out;
}

class EveryCell : public ScreenFixture {
 protected:
  void SetUp() override {
    load(corpusImage(kId));
    setModes(true, false);
  }
  // Byte 127 after bytes change from before to after, by the 256 - sum rule.
  static std::string checksumAfter(const Image& before, const Image& after) {
    int value = before.byte(127);
    for (int i = 0; i < 127; ++i) value += before.byte(i) - after.byte(i);
    return ByteToHex(((value % 256) + 256) % 256);
  }
};

TEST_F(EveryCell, FocusShowsTheSectionAndFieldOfTheLayout) {
  for (int i = 0; i < kEdidSize; ++i) {
    const LayoutField field = layoutOf(i);
    focusCell(i);
    SCOPED_TRACE(std::string("byte ") + std::to_string(i) + ", " + field.name);
    int frame = field.frame;
    if (frame < 0) {
      const bool timing = field.sectionFirst < 90;  // blocks 0 and 1 of kId
      frame = timing ? (i == field.sectionLast ? 10 : 9) : 11;
    }
    EXPECT_EQ(visibleHints(), std::vector<int>{frame});
    EXPECT_EQ(cellsWith(BackColour::Field), cells({{field.first, field.last}}));
    std::vector<int> section;
    for (int c = field.sectionFirst; c <= field.sectionLast; ++c)
      if (c < field.first || c > field.last) section.push_back(c);
    EXPECT_EQ(cellsWith(BackColour::Section), section);
  }
}

TEST_F(EveryCell, ATypedPairChangesItsByteAndTheChecksumAtOnce) {
  for (int i = 0; i < kEdidSize; ++i) {
    SCOPED_TRACE(std::string("byte ") + std::to_string(i) + ", " + layoutOf(i).name);
    load(corpusImage(kId));
    focusCell(i);
    ASSERT_FALSE(common.UnsavedChanges);
    const Image before = screen.image;
    const Typed* typed = nullptr;
    for (const Typed& t : kTyped)
      if (t.cell == i) typed = &t;
    const std::string pair = typed ? typed->pair : ByteToHex(before.byte(i) ^ 0x5A);
    typeInto(i, pair);

    Image expected = before;
    expected.setCell(i, pair);
    // The header and bytes 126-127 have no decoder: nothing more until the next focus.
    const bool decoded = i >= 8 && i <= 125;
    if (decoded) expected.setCell(127, checksumAfter(before, expected));
    EXPECT_EQ(changedBytes(before, screen.image), changedBytes(before, expected));
    EXPECT_EQ(screen.image.cell(127), expected.cell(127));
    EXPECT_EQ(sumOf(screen.image) == 0, decoded);
    EXPECT_EQ(common.UnsavedChanges, decoded);
    if (typed) {
      EXPECT_EQ(common.*(typed->text), typed->expected);
    }

    if (!decoded) {
      // The next focus corrects byte 127, which for 127 itself restores the saved image.
      focusCell(i == 0 ? 1 : 0);
      EXPECT_EQ(sumOf(screen.image), 0);
      EXPECT_EQ(common.UnsavedChanges, i != 127);
    }
  }
  focusCell(126);
  typeInto(126, "02");
  focusCell(127);
  EXPECT_EQ(screen.section<ChecksumScreen>().edid.lbEDID[6].caption, "Extended Flag = 2");

  // A typed timing byte re-decodes its check boxes.
  typeInto(35, "FF");
  typeInto(36, "00");
  typeInto(37, "80");
  EXPECT_EQ(selected(screen.section<EstablishedScreen>().established.ET1).size(), 8u);
  EXPECT_TRUE(selected(screen.section<EstablishedScreen>().established.ET2).empty());
  EXPECT_TRUE(screen.section<EstablishedScreen>().established.ET3[7].value);
}

// Each entry box, focused from each byte of its field, writes exactly the bytes
// worked out by hand, and the checksum is right straight after the Enter.
TEST_F(EveryCell, EveryEntryWritesExactlyItsFieldsBytes) {
  struct Entry {
    int first, last;  // the field's bytes, any of which may hold the focus
    const char* text;
    std::vector<std::pair<int, const char*>> writes;
  };
  const Entry entries[] = {
      {8, 9, "ABC", {{8, "04"}, {9, "43"}}},
      {10, 11, "XY", {{10, "58"}, {11, "59"}}},
      {12, 15, "305419896", {{12, "78"}, {13, "56"}, {14, "34"}, {15, "12"}}},
      {16, 16, "7", {{16, "07"}}},
      {17, 17, "2000", {{17, "0A"}}},
      {18, 18, "2", {{18, "02"}}},
      {19, 19, "4", {{19, "04"}}},
  };
  for (const Entry& entry : entries) {
    for (int cell = entry.first; cell <= entry.last; ++cell) {
      SCOPED_TRACE(std::string(entry.text) + " from byte " + std::to_string(cell));
      load(corpusImage(kId));
      focusCell(cell);
      const Image before = screen.image;
      Image expected = before;
      for (const auto& [index, text] : entry.writes) expected.setCell(index, text);
      expected.setCell(127, checksumAfter(before, expected));
      if (cell <= 17) {
        screen.section<VendorScreen>().vendor.VendorInfo.text = entry.text;
        screen.section<VendorScreen>().VendorInfo_KeyUp(13);
      } else {
        screen.section<VersionScreen>().edid.VerRev.text = entry.text;
        screen.section<VersionScreen>().VerRev_KeyUp(13);
      }
      EXPECT_EQ(screen.image.byteTexts(), expected.byteTexts());
      EXPECT_EQ(sumOf(screen.image), 0);
      EXPECT_TRUE(common.UnsavedChanges);
      EXPECT_TRUE(host.messages.empty());
    }
  }

  // Each timing box flips its own bit (box 0 is bit 7) and nothing else.
  for (int byte : {35, 36, 37}) {
    for (int box = byte == 37 ? 7 : 0; box < 8; ++box) {
      SCOPED_TRACE("byte " + std::to_string(byte) + " box " + std::to_string(box));
      load(corpusImage(kId));
      focusCell(byte);
      const Image before = screen.image;
      const int bit = byte == 37 ? 0x80 : 0x80 >> box;
      Image expected = before;
      expected.setByte(byte, before.byte(byte) ^ bit);
      expected.setCell(127, checksumAfter(before, expected));
      auto& boxes = byte == 35   ? screen.section<EstablishedScreen>().established.ET1
                    : byte == 36 ? screen.section<EstablishedScreen>().established.ET2
                                 : screen.section<EstablishedScreen>().established.ET3;
      boxes[static_cast<std::size_t>(box)].value = !boxes[static_cast<std::size_t>(box)].value;
      if (byte == 35) screen.section<EstablishedScreen>().ET1_Click(box);
      if (byte == 36) screen.section<EstablishedScreen>().ET2_Click(box);
      if (byte == 37) screen.section<EstablishedScreen>().ET3_Click(box);
      EXPECT_EQ(screen.image.byteTexts(), expected.byteTexts());
      EXPECT_EQ(sumOf(screen.image), 0);
      EXPECT_TRUE(common.UnsavedChanges);
    }
  }
}

}  // namespace
}  // namespace edid::test
