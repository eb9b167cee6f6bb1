#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <sstream>

#include "core/cta/cta_edit.h"
#include "core/rows.h"
#include "support/corpus.h"

namespace edid::cta {
namespace {

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

// Each row of tests/data/cta_edits.txt: an edit of a real EDID's first CTA block against
// the block's byte 3, data block collection and DTDs worked out by hand.
Result<Bytes> edit(const Bytes& e, const std::string& call) {
  std::istringstream in(call);
  std::string name;
  std::vector<std::string> words;
  in >> name;
  for (std::string word; in >> word;) words.push_back(word);
  const auto n = [&words](std::size_t i) { return std::stoi(words.at(i)); };
  const auto bytes = [&call] { return test::hexBytes(call.substr(call.find(' ') + 1)); };
  if (name == "vic.add") return addVic(e, 1, n(0));
  if (name == "vic.remove") return removeVic(e, 1, n(0));
  if (name == "freesync") return setFreeSync(e, 1, n(0), n(1));
  if (name == "audio.remove") return removeAllAudio(e, 1);
  if (name == "hdmi.tmds") return setHdmiMaxTmds(e, 1, n(0));
  if (name == "hf.tmds") return setHdmiForumMaxTmds(e, 1, n(0));
  if (name == "dtd.remove") return removeDtd(e, 1, n(0));
  if (name == "dtd.add") return addDtd(e, 1, Dtd{bytes()[0], bytes()[1]});
  if (name == "dtd.interlace") return setDtdInterlaced(e, 1, n(0), true);
  if (name == "dtd.field")  // DTD FIELD ENTRY
    return editDtdField(e, 1, n(0), detailed_timing::Field(n(1)), words.at(2));
  if (name == "block.add") return addDataBlock(e, 1, bytes());
  if (name == "block.move") return moveDataBlock(e, 1, n(0), n(1));
  Result<Bytes> out = e;  // block.remove I J ...: one after the other
  for (std::size_t i = 0; i < words.size(); ++i) out = out ? removeDataBlock(*out, 1, n(i)) : out;
  return out;
}

TEST(CtaEdit, EditsGiveTheHandWorkedBlock) {
  for (const test::Row& row : test::readRows("cta_edits.txt")) {
    SCOPED_TRACE(row.text);
    const Bytes before = extensionOf(row.fields[0]);
    const Result<Bytes> after = edit(before, row.fields[1]);
    if (row.fields[2].starts_with("refused: ")) {
      EXPECT_EQ("refused: " + after.error(), row.fields[2]);
      continue;
    }
    ASSERT_TRUE(after.ok()) << after.error();
    const Bytes block(after->begin(), after->begin() + 128);
    EXPECT_EQ(std::accumulate(block.begin(), block.end(), 0) % 256, 0);
    if (row.fields[2].starts_with("bytes ")) {  // the block before with these bytes changed
      Bytes expected(before.begin(), before.begin() + 127);
      std::istringstream changes(row.fields[2].substr(6));
      for (std::string change; changes >> change;)
        expected.at(std::stoul(change)) = test::hexBytes(change.substr(change.find('=') + 1))[0];
      EXPECT_EQ(Bytes(block.begin(), block.end() - 1), expected);
      continue;
    }
    EXPECT_EQ(block[3], std::stoi(row.fields[2], nullptr, 16));
    const bool same = row.fields[3].starts_with("same");
    Bytes collection = test::hexBytes(same || row.fields[3] == "-" ? "" : row.fields[3]);
    if (same) {
      collection = Bytes(before.begin() + 4, before.begin() + before[2]);
      std::istringstream changes(row.fields[3].substr(4));
      for (std::string change; changes >> change;)
        collection.at(std::stoul(change)) = test::hexBytes(change.substr(change.find('=') + 1))[0];
    }
    EXPECT_EQ(Bytes(block.begin() + 4, block.begin() + block[2]), collection);
    std::vector<Bytes> expected;
    std::istringstream dtds(row.fields[4]);
    for (std::size_t i = 0; dtds >> i;) expected.push_back(dtdsOf(before).at(i));
    EXPECT_EQ(dtdsOf(block), expected);
    const int end = block[2] + 18 * static_cast<int>(expected.size());
    EXPECT_EQ(std::count(block.begin() + end, block.end() - 1, 0), 127 - end);
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
