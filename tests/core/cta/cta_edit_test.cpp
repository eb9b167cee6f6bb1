#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <sstream>

#include "core/cta/cta_edit.h"
#include "support/corpus.h"

namespace edid::cta {
namespace {

Bytes hex(const std::string& text) {
  Bytes out;
  std::istringstream in(text);
  for (std::string pair; in >> pair;)
    out.push_back(static_cast<std::uint8_t>(std::stoi(pair, nullptr, 16)));
  return out;
}

Bytes extensionOf(const std::string& id) {
  const Bytes all = test::corpusBytes(id);
  return Bytes(all.begin() + 128, all.end());
}

// The DTDs of a block as read by the VESA layout: from byte 2 on, 18 bytes each,
// until a zero pixel clock.
std::vector<Bytes> dtdsOf(const Bytes& block) {
  std::vector<Bytes> out;
  for (int at = block[2]; at + 18 <= 127 && (block[at] || block[at + 1]); at += 18)
    out.emplace_back(block.begin() + at, block.begin() + at + 18);
  return out;
}

// Each edit on a real EDID's first CTA block, with the block's byte 3, its data block
// collection and its DTDs after the edit worked out by hand from the bytes before it.
TEST(CtaEdit, EditsGiveTheHandWorkedBlock) {
  using Edit = std::function<Result<Bytes>(const Bytes&)>;
  struct Row {
    const char* what;
    const char* id;
    Edit edit;
    int byte3;
    const char* collection;  // hex, header bytes included
    std::vector<int> dtds;   // the original DTDs that remain, in order (0-based)
    const char* refusal = "";
    int patched = -1, patch = 0;  // with no collection: the one byte of it that changes
  };
  // 1031763B91D4: video(10) audio speakers HDMI FreeSync 48-75, 4 DTDs, 17 bytes free.
  const Row rows[] = {
      {"VIC 97 added: the DTDs move by one",
       "1031763B91D4",
       [](const Bytes& e) { return addVic(e, 1, 97); },
       0xF4,
       "4B 90 04 03 01 14 12 05 1F 10 13 61 23 09 07 07 83 01 00 00 65 03 0C 00 10 00 68 1A 00 00 "
       "01 01 30 4B E6",
       {0, 1, 2, 3}},
      {"VIC 4 removed",
       "1031763B91D4",
       [](const Bytes& e) { return removeVic(e, 1, 4); },
       0xF4,
       "49 90 03 01 14 12 05 1F 10 13 23 09 07 07 83 01 00 00 65 03 0C 00 10 00 68 1A 00 00 01 01 "
       "30 4B E6",
       {0, 1, 2, 3}},
      {"FreeSync 48-144",
       "1031763B91D4",
       [](const Bytes& e) { return setFreeSync(e, 1, 48, 144); },
       0xF4,
       "4A 90 04 03 01 14 12 05 1F 10 13 23 09 07 07 83 01 00 00 65 03 0C 00 10 00 68 1A 00 00 01 "
       "01 30 90 E6",
       {0, 1, 2, 3}},
      {"audio and speakers removed, basic audio off",
       "1031763B91D4",
       [](const Bytes& e) { return removeAllAudio(e, 1); },
       0xB4,
       "4A 90 04 03 01 14 12 05 1F 10 13 65 03 0C 00 10 00 68 1A 00 00 01 01 30 4B E6",
       {0, 1, 2, 3}},
      {"HDMI TMDS 300 MHz grows the block by flags and clock",
       "1031763B91D4",
       [](const Bytes& e) { return setHdmiMaxTmds(e, 1, 300); },
       0xF4,
       "4A 90 04 03 01 14 12 05 1F 10 13 23 09 07 07 83 01 00 00 67 03 0C 00 10 00 00 3C 68 1A 00 "
       "00 01 01 30 4B E6",
       {0, 1, 2, 3}},
      {"first DTD removed",
       "1031763B91D4",
       [](const Bytes& e) { return removeDtd(e, 1, 0); },
       0xF4,
       nullptr,
       {1, 2, 3}},
      {"a DTD needs 18 of the 17 free bytes",
       "1031763B91D4",
       [](const Bytes& e) {
         return addDtd(e, 1, Dtd{0x01, 0x1D});
       },
       0,
       nullptr,
       {},
       "No room in block 1: the change needs 18 bytes, 17 are free."},
      {"VIC 128 is out of range",
       "1031763B91D4",
       [](const Bytes& e) { return addVic(e, 1, 128); },
       0,
       nullptr,
       {},
       "A VIC is 1 to 127 or 193 to 219."},
      {"FreeSync minimum above maximum",
       "1031763B91D4",
       [](const Bytes& e) { return setFreeSync(e, 1, 144, 48); },
       0,
       nullptr,
       {},
       "A FreeSync range is 1 to 255 Hz, the minimum below the maximum."},
      {"HDMI TMDS past the byte",
       "1031763B91D4",
       [](const Bytes& e) { return setHdmiMaxTmds(e, 1, 1280); },
       0,
       nullptr,
       {},
       "The maximum TMDS clock must be 0 to 1275 MHz in steps of 5."},
      // 259C3547801B: 5 bytes free; an HDR block with a maximum luminance fills them.
      {"exactly fills the block",
       "259C3547801B",
       [](const Bytes& e) { return addDataBlock(e, 1, hex("E4 06 05 01 5A")); },
       0xB1,
       "49 90 1F 04 13 03 12 01 02 11 65 03 0C 00 10 00 68 1A 00 00 01 01 30 4B ED E2 00 2B E4 06 "
       "05 01 5A",
       {0, 1, 2, 3, 4}},
      {"one byte too many",
       "259C3547801B",
       [](const Bytes& e) { return addDataBlock(e, 1, hex("E5 06 05 01 5A 3C")); },
       0,
       nullptr,
       {},
       "No room in block 1: the change needs 6 bytes, 5 are free."},
      {"moved up",
       "259C3547801B",
       [](const Bytes& e) { return moveDataBlock(e, 1, 3, -1); },
       0xB1,
       "49 90 1F 04 13 03 12 01 02 11 65 03 0C 00 10 00 E2 00 2B 68 1A 00 00 01 01 30 4B ED",
       {0, 1, 2, 3, 4}},
      // 1D6EF918C9BE: video and HDMI; without them the DTDs start at byte 4.
      {"last data block removed",
       "1D6EF918C9BE",
       [](const Bytes& e) {
         auto once = removeDataBlock(e, 1, 1);
         return once ? removeDataBlock(*once, 1, 0) : once;
       },
       0xB1,
       "",
       {0, 1, 2}},
      // 1FE6E686619C: HDMI Forum block 67 D8 5D C4 01 88 80 03, 680 MHz.
      {"HDMI Forum TMDS 600 MHz",
       "1FE6E686619C",
       [](const Bytes& e) { return setHdmiForumMaxTmds(e, 1, 600); },
       0xF1,
       nullptr,
       {0, 1, 2},
       "",
       36,
       0x78},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const Bytes before = extensionOf(row.id);
    const Result<Bytes> after = row.edit(before);
    if (*row.refusal) {
      EXPECT_EQ(after.error(), row.refusal);
      continue;
    }
    ASSERT_TRUE(after.ok()) << after.error();
    const Bytes block(after->begin(), after->begin() + 128);
    EXPECT_EQ(std::accumulate(block.begin(), block.end(), 0) % 256, 0);
    EXPECT_EQ(block[3], row.byte3);
    Bytes collection;
    if (row.collection) {
      collection = hex(row.collection);
      EXPECT_EQ(Bytes(block.begin() + 4, block.begin() + block[2]), collection);
    } else {
      collection = Bytes(before.begin() + 4, before.begin() + before[2]);
      if (row.patched >= 0)
        collection[static_cast<std::size_t>(row.patched)] = static_cast<std::uint8_t>(row.patch);
      EXPECT_EQ(Bytes(block.begin() + 4, block.begin() + block[2]), collection);
    }
    EXPECT_EQ(block[2], 4 + collection.size());
    std::vector<Bytes> expected;
    for (const int i : row.dtds) expected.push_back(dtdsOf(before)[static_cast<std::size_t>(i)]);
    EXPECT_EQ(dtdsOf(block), expected);
    const int end = block[2] + 18 * static_cast<int>(expected.size());
    EXPECT_EQ(std::count(block.begin() + end, block.end() - 1, 0), 127 - end);
  }
}

// A field of a CTA block's DTD, typed as in the base block's timing editor.
// 1031763B91D4 block 1, DTD 1 at byte 38: 2A 44 80 A0 70 38 27 40 30 20 35 00 12 22 21 00
// 00 1A (174.50 MHz, 1920 + 160 x 1080 + 39); the new bytes worked out by the VESA layout.
TEST(CtaEdit, DtdFieldEditsChangeOnlyTheirBytes) {
  namespace dt = detailed_timing;
  using Edit = std::function<Result<Bytes>(const Bytes&)>;
  const auto field = [](dt::Field f, const char* entry) -> Edit {
    return [=](const Bytes& e) { return editDtdField(e, 1, 0, f, entry); };
  };
  struct Row {
    const char* what;
    Edit edit;
    std::vector<std::pair<int, int>> bytes;  // DTD offset, new value
    const char* refusal = "";
  };
  const Row rows[] = {
      {"horizontal active 1680 = 0x690: low byte, upper nibble of byte 4",
       field(dt::Field::HorizontalActive, "1680"),
       {{2, 0x90}, {4, 0x60}}},
      {"pixel clock with a decimal comma: 14850 x 10 kHz",
       field(dt::Field::PixelClock, "148,5"),
       {{0, 0x02}, {1, 0x3A}}},
      {"interlaced sets flag bit 7",
       [](const Bytes& e) { return setDtdInterlaced(e, 1, 0, true); },
       {{17, 0x9A}}},
      {"a 12-bit field refuses 4096",
       field(dt::Field::HorizontalActive, "4096"),
       {},
       "Invalid Value"},
      {"a zero clock would end the DTD list",
       field(dt::Field::PixelClock, "0"),
       {},
       "A detailed timing needs a pixel clock."},
      {"the block has four DTDs",
       [](const Bytes& e) { return editDtdField(e, 1, 4, dt::Field::HorizontalActive, "1"); },
       {},
       "There is no detailed timing 5."},
  };
  const Bytes before = extensionOf("1031763B91D4");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const Result<Bytes> after = row.edit(before);
    if (*row.refusal) {
      EXPECT_EQ(after.error(), row.refusal);
      continue;
    }
    ASSERT_TRUE(after.ok()) << after.error();
    Bytes expected(before.begin(), before.begin() + 127);
    for (const auto& [offset, value] : row.bytes)
      expected[static_cast<std::size_t>(38 + offset)] = static_cast<std::uint8_t>(value);
    EXPECT_EQ(Bytes(after->begin(), after->begin() + 127), expected);
    EXPECT_EQ(std::accumulate(after->begin(), after->begin() + 128, 0) % 256, 0);
  }
}

// Decoding each data block of every CTA block of the corpus and encoding it again
// gives its bytes back; so does the block as a whole when its padding is zero.
TEST(CtaEdit, CodecsRoundTripTheCorpus) {
  int checked = 0;
  for (const std::string& id : test::corpusIds()) {
    const Bytes extension = extensionOf(id);
    for (std::size_t at = 0; at + 128 <= extension.size(); at += 128) {
      const Bytes raw(extension.begin() + static_cast<std::ptrdiff_t>(at),
                      extension.begin() + static_cast<std::ptrdiff_t>(at) + 128);
      const auto block = parseCta(raw);
      if (!block) continue;
      SCOPED_TRACE(id);
      for (const Bytes& b : block->dataBlocks) {
        Result<Bytes> again = b;
        switch (dataBlockKind(b)) {
          case Kind::Audio:
            again = encodeAudio(decodeAudio(b));
            break;
          case Kind::Video:
            again = encodeVideo(decodeVideo(b));
            break;
          case Kind::Speakers:
            again = encodeSpeakers(decodeSpeakers(b));
            break;
          case Kind::Hdmi:
            again = encodeHdmi(*decodeHdmi(b));
            break;
          case Kind::HdmiForum:
          case Kind::HfScdb:
            again = encodeHdmiForum(*decodeHdmiForum(b));
            break;
          case Kind::FreeSync:
            again = encodeFreeSync(*decodeFreeSync(b));
            break;
          case Kind::HdrStatic:
            again = encodeHdrStatic(*decodeHdrStatic(b));
            break;
          default:
            continue;
        }
        EXPECT_TRUE(again.ok() && *again == b) << again.error();
        ++checked;
      }
      const int end = block->usedBytes() - 1;
      if (raw[2] != 0 &&
          std::all_of(raw.begin() + end, raw.end() - 1, [](int v) { return v == 0; })) {
        EXPECT_EQ(buildCta(*block), raw);
      }
    }
  }
  EXPECT_GT(checked, 700);
}

}  // namespace
}  // namespace edid::cta
