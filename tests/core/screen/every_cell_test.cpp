// Every cell and every entry of the decoding screen, each checked right after its
// event against the EDID 1.3 base block layout of tests/data/layout.txt, never
// against the program's own byte map.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "core/common/text.h"
#include "core/rows.h"
#include "core/screen/checksum_screen.h"
#include "core/screen/established_screen.h"
#include "core/screen/vendor_screen.h"
#include "core/screen/version_screen.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

// The rows of tests/data/layout.txt: each field of the VESA EDID 1.3 base block with
// its section and frame, the fields inside an 18-byte block (applied at 54, 72, 90
// and 108), and pairs typed into cells of kId with the texts worked out by hand.
struct LayoutField {
  int first = 0, last = 0;                // the field's bytes
  int sectionFirst = 0, sectionLast = 0;  // its section's bytes
  int frame = -1;                         // Hints index; -1 inside an 18-byte block
  std::string name;
};
struct Typed {
  int cell = 0;
  std::string pair, text, expected;
};
struct Layout {
  std::vector<LayoutField> fields, blockFields;
  std::vector<Typed> typed;
};

const Layout& layout() {
  static const Layout kLayout = [] {
    Layout out;
    for (const Row& row : readRows("layout.txt")) {
      std::istringstream head(row.fields[0]);
      std::string kind;
      head >> kind;
      if (kind == "typed") {
        Typed& t = out.typed.emplace_back();
        head >> t.cell >> t.pair;
        t.text = row.fields.at(1);
        t.expected = row.fields.at(2);
        continue;
      }
      LayoutField f;
      head >> f.first >> f.last;
      f.name = row.fields.back();
      if (kind == "block") {
        out.blockFields.push_back(f);
        continue;
      }
      std::istringstream(row.fields.at(1)) >> f.sectionFirst >> f.sectionLast;
      f.frame = std::stoi(row.fields.at(2));
      out.fields.push_back(f);
    }
    return out;
  }();
  return kLayout;
}

LayoutField layoutOf(int index) {
  for (const LayoutField& f : layout().fields)
    if (index >= f.first && index <= f.last) return f;
  const int start = 54 + 18 * ((index - 54) / 18);
  for (const LayoutField& f : layout().blockFields)
    if (index - start >= f.first && index - start <= f.last)
      return {start + f.first, start + f.last, start, start + 17, -1, f.name};
  ADD_FAILURE() << "no layout for byte " << index;
  return {};
}

// Blocks of this EDID (BBY product 50, week 1 of 2012): two detailed timings, a
// monitor name (FC) and range limits (FD).
constexpr const char* kId = "5D0A287815F7";

// The text a typed pair's decoder leaves, by its name in the table.
const std::string& shownText(const Common& common, const std::string& name) {
  static const std::map<std::string, std::string Common::*> kTexts = {
      {"ManufacturerText", &Common::ManufacturerText},
      {"ProductLetters", &Common::ProductLetters},
      {"SerialNumberText", &Common::SerialNumberText},
      {"WeekText", &Common::WeekText},
      {"YearText", &Common::YearText},
      {"VersionText", &Common::VersionText},
      {"RevisionText", &Common::RevisionText},
      {"GammaText", &Common::GammaText}};
  return common.*kTexts.at(name);
}

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
    for (const Typed& t : layout().typed)
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
      EXPECT_EQ(shownText(common, typed->text), typed->expected);
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
